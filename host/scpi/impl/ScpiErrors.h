#pragma once
// Standard SCPI error numbers with their texts, and how an error sets the event status register.
#include <QString>

namespace MvQARN {

enum EScpiError {
    ScpiNoError = 0,
    ScpiErrCommand = -100,
    ScpiErrInvalidCharacter = -101,
    ScpiErrSyntax = -102,
    ScpiErrInvalidSeparator = -103,
    ScpiErrDataType = -104,
    ScpiErrParameterNotAllowed = -108,
    ScpiErrMissingParameter = -109,
    ScpiErrCommandHeader = -110,
    ScpiErrHeaderSeparator = -111,
    ScpiErrMnemonicTooLong = -112,
    ScpiErrUndefinedHeader = -113,
    ScpiErrHeaderSuffix = -114,
    ScpiErrNumericData = -120,
    ScpiErrInvalidNumberChar = -121,
    ScpiErrInvalidSuffix = -131,
    ScpiErrInvalidCharacterData = -141,
    ScpiErrStringData = -150,
    ScpiErrInvalidStringData = -151,
    ScpiErrBlockData = -160,
    ScpiErrInvalidBlockData = -161,
    ScpiErrExpression = -170,
    ScpiErrExecution = -200,
    ScpiErrSettingsConflict = -221,
    ScpiErrDataOutOfRange = -222,
    ScpiErrIllegalParameterValue = -224,
    ScpiErrDeviceSpecific = -300,
    ScpiErrQueueOverflow = -350,
    ScpiErrInputBufferOverrun = -363,
    ScpiErrQuery = -400,
    ScpiErrQueryInterrupted = -410,
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

// Text of a standard negative error number; empty for numbers this table does not know.
QString scpiErrorText(int code);
// The event status bit an error sets: -1xx CME, -2xx EXE, -3xx and device-specific (positive) DDE,
// -4xx QYE; 0 for no error.
int scpiEsrBitOf(int code);

} // namespace MvQARN
