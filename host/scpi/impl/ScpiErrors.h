#pragma once
// Standard SCPI error numbers with their texts, and how an error sets the event status register.
// The list below is the one place where an SCPI error number or its text is spelled.
#include <QString>

#include "host/util/VGXExport.h"

namespace MvQARN {

// Name, number and text of every standard error the host raises.
#define VGX_SCPI_ERROR_LIST(X)                                                                               \
    X(ScpiNoError, 0, "No error")                                                                            \
    X(ScpiErrCommand, -100, "Command error")                                                                 \
    X(ScpiErrInvalidCharacter, -101, "Invalid character")                                                    \
    X(ScpiErrSyntax, -102, "Syntax error")                                                                   \
    X(ScpiErrInvalidSeparator, -103, "Invalid separator")                                                    \
    X(ScpiErrDataType, -104, "Data type error")                                                              \
    X(ScpiErrParameterNotAllowed, -108, "Parameter not allowed")                                             \
    X(ScpiErrMissingParameter, -109, "Missing parameter")                                                    \
    X(ScpiErrCommandHeader, -110, "Command header error")                                                    \
    X(ScpiErrHeaderSeparator, -111, "Header separator error")                                                \
    X(ScpiErrMnemonicTooLong, -112, "Program mnemonic too long")                                             \
    X(ScpiErrUndefinedHeader, -113, "Undefined header")                                                      \
    X(ScpiErrHeaderSuffix, -114, "Header suffix out of range")                                               \
    X(ScpiErrNumericData, -120, "Numeric data error")                                                        \
    X(ScpiErrInvalidNumberChar, -121, "Invalid character in number")                                         \
    X(ScpiErrInvalidSuffix, -131, "Invalid suffix")                                                          \
    X(ScpiErrInvalidCharacterData, -141, "Invalid character data")                                           \
    X(ScpiErrStringData, -150, "String data error")                                                          \
    X(ScpiErrInvalidStringData, -151, "Invalid string data")                                                 \
    X(ScpiErrBlockData, -160, "Block data error")                                                            \
    X(ScpiErrInvalidBlockData, -161, "Invalid block data")                                                   \
    X(ScpiErrExpression, -170, "Expression error")                                                           \
    X(ScpiErrExecution, -200, "Execution error")                                                             \
    X(ScpiErrSettingsConflict, -221, "Settings conflict")                                                    \
    X(ScpiErrDataOutOfRange, -222, "Data out of range")                                                      \
    X(ScpiErrIllegalParameterValue, -224, "Illegal parameter value")                                         \
    X(ScpiErrDeviceSpecific, -300, "Device-specific error")                                                  \
    X(ScpiErrQueueOverflow, -350, "Queue overflow")                                                          \
    X(ScpiErrInputBufferOverrun, -363, "Input buffer overrun")                                               \
    X(ScpiErrQuery, -400, "Query error")                                                                     \
    X(ScpiErrQueryInterrupted, -410, "Query INTERRUPTED")

enum EScpiError {
#define VGX_SCPI_ERROR_ENUM(name, code, text) name = code,
    VGX_SCPI_ERROR_LIST(VGX_SCPI_ERROR_ENUM)
#undef VGX_SCPI_ERROR_ENUM
};

// Event status register bits.
enum EScpiEsr {
    ScpiEsrOpc = 0x01,
    ScpiEsrQye = 0x04,
    ScpiEsrDde = 0x08,
    ScpiEsrExe = 0x10,
    ScpiEsrCme = 0x20,
    ScpiEsrPon = 0x80,
};

// Status byte bits.
enum EScpiStb {
    ScpiStbErrorQueue = 0x04,
    ScpiStbMav = 0x10,
    ScpiStbEsb = 0x20,
    ScpiStbMss = 0x40,
};

// Text of an error number: the list's text; for a number the list does not know, the device-specific
// text when it is positive, else the generic "Error".
VGX_EXPORT QString scpiErrorText(int code);
// The list's text followed by ";" and further information, as an error entry carries it.
VGX_EXPORT QString scpiErrorText(int code, const QString& info);
// Class of a negative error number: the first number of its hundred (ScpiErrCommand for -1xx,
// ScpiErrExecution for -2xx, ScpiErrDeviceSpecific for -3xx, ScpiErrQuery for -4xx); 0 for no error
// and positive (device-specific) numbers.
int scpiErrorClass(int code);
// The event status bit an error sets: -1xx CME, -2xx EXE, -3xx and device-specific (positive) DDE,
// -4xx QYE; 0 for no error.
VGX_EXPORT int scpiEsrBitOf(int code);

} // namespace MvQARN
