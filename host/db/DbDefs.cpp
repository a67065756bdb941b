#include "host/db/DbDefs.h"

namespace MvQARN {

const char* dbErrorText(int error) {
    switch (error) {
    case DbOk:
        return "No error";
    case DbErrNoModule:
        return "No module registered for the box type";
    case DbErrOlCommand:
        return "Command of the organisation layer failed";
    case DbErrWrongType:
        return "Wrong data type";
    case DbErrOutOfRange:
        return "Value out of range";
    case DbErrUnknownParameter:
        return "Unknown parameter";
    case DbErrInstance:
        return "Instance out of range";
    case DbErrReadOnly:
        return "Parameter is read only";
    case DbErrSsiLogic:
        return "Function needs an SSI logic type";
    case DbErrRefFreq:
        return "Reference frequency not supported";
    case DbErrNesting:
        return "Request nesting too deep";
    case DbErrFileMissing:
        return "File not found";
    case DbErrBadFile:
        return "Settings file is damaged or not a settings file";
    case DbErrBadFileName:
        return "Invalid file name (a plain name of a file of this kind in its folder, no control characters)";
    case DbErrProtected:
        return "Service function locked by the protection level";
    case DbErrFileWrite:
        return "Settings file cannot be written";
    case DbErrSsiDirection:
        return "SSI control data not allowed in the current direction";
    case DbErrUiStateOff:
        return "User interface cannot be switched off while the box runs another standard";
    case DbErrWithText:
        return "";
    case DbErrNoBox:
        return "No box selected";
    default:
        return "Parameter database error";
    }
}

} // namespace MvQARN
