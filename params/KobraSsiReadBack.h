#pragma once
// Reading the SSI command data back from the box (command 31) into IdPDbLynxSsiCmData. Shared by
// the read conversion of IdPDbLynxSsiCmData and the update of IdPDbLynxSsiCmDataReadExec.
namespace MvQARN {
class CDbCnct;
class CDbDataTypeNBit;
} // namespace MvQARN

namespace Kobra {

// For the path-side instance of the context: 20005 unless the logic type is an SSI type, a failed
// read's error, 3 when the box refuses, else the result of writing the bits. Nothing is read when
// the bit length is 0 or no framework is attached (0 then). The bits read go to readBits when given.
int ssiReadBack(MvQARN::CDbCnct& cnct, MvQARN::CDbDataTypeNBit* readBits = nullptr);

// Logic types 6 "1.8V SSI" and 7 "2.8V SSI".
inline constexpr bool isSsiLogicType(int logicType) {
    return logicType == 6 || logicType == 7;
}

} // namespace Kobra
