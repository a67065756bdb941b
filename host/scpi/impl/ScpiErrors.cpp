#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

QString scpiErrorText(int code) {
    switch (code) {
    case ScpiNoError:
        return QStringLiteral("No error");
    case ScpiErrCommand:
        return QStringLiteral("Command error");
    case ScpiErrInvalidCharacter:
        return QStringLiteral("Invalid character");
    case ScpiErrSyntax:
        return QStringLiteral("Syntax error");
    case ScpiErrInvalidSeparator:
        return QStringLiteral("Invalid separator");
    case ScpiErrDataType:
        return QStringLiteral("Data type error");
    case ScpiErrParameterNotAllowed:
        return QStringLiteral("Parameter not allowed");
    case ScpiErrMissingParameter:
        return QStringLiteral("Missing parameter");
    case ScpiErrCommandHeader:
        return QStringLiteral("Command header error");
    case ScpiErrHeaderSeparator:
        return QStringLiteral("Header separator error");
    case ScpiErrMnemonicTooLong:
        return QStringLiteral("Program mnemonic too long");
    case ScpiErrUndefinedHeader:
        return QStringLiteral("Undefined header");
    case ScpiErrHeaderSuffix:
        return QStringLiteral("Header suffix out of range");
    case ScpiErrNumericData:
        return QStringLiteral("Numeric data error");
    case ScpiErrInvalidNumberChar:
        return QStringLiteral("Invalid character in number");
    case ScpiErrInvalidSuffix:
        return QStringLiteral("Invalid suffix");
    case ScpiErrInvalidCharacterData:
        return QStringLiteral("Invalid character data");
    case ScpiErrStringData:
        return QStringLiteral("String data error");
    case ScpiErrInvalidStringData:
        return QStringLiteral("Invalid string data");
    case ScpiErrBlockData:
        return QStringLiteral("Block data error");
    case ScpiErrInvalidBlockData:
        return QStringLiteral("Invalid block data");
    case ScpiErrExpression:
        return QStringLiteral("Expression error");
    case ScpiErrExecution:
        return QStringLiteral("Execution error");
    case ScpiErrSettingsConflict:
        return QStringLiteral("Settings conflict");
    case ScpiErrDataOutOfRange:
        return QStringLiteral("Data out of range");
    case ScpiErrIllegalParameterValue:
        return QStringLiteral("Illegal parameter value");
    case ScpiErrDeviceSpecific:
        return QStringLiteral("Device-specific error");
    case ScpiErrQueueOverflow:
        return QStringLiteral("Queue overflow");
    case ScpiErrInputBufferOverrun:
        return QStringLiteral("Input buffer overrun");
    case ScpiErrQuery:
        return QStringLiteral("Query error");
    case ScpiErrQueryInterrupted:
        return QStringLiteral("Query INTERRUPTED");
    default:
        return QString();
    }
}

int scpiEsrBitOf(int code) {
    if (code == 0)
        return 0;
    if (code > 0)
        return ScpiEsrDde;
    if (code <= -100 && code > -200)
        return ScpiEsrCme;
    if (code <= -200 && code > -300)
        return ScpiEsrExe;
    if (code <= -300 && code > -400)
        return ScpiEsrDde;
    if (code <= -400 && code > -500)
        return ScpiEsrQye;
    return 0;
}

} // namespace MvQARN
