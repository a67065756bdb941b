#pragma once
// Transfer of an interface's ARB entries to the box: the four entries' states, files and sample
// counts go to the driver's ARB table, then each entry's source loads its file and is switched.
namespace MvQARN {
class CDbDataBaseIfc;
class CDbMsgBuffer;
class KobraDrvDeviceIfc;
} // namespace MvQARN

namespace Kobra {

// Entry e (0 .. 3) of interface (t0, t1) is read at list index t3 = e. Returns the sum of the read and
// driver statuses.
int setArbSettings(MvQARN::KobraDrvDeviceIfc* device, MvQARN::CDbDataBaseIfc* db,
                   MvQARN::CDbMsgBuffer* msgBuffer, int t0, int t1, const char* stateName,
                   const char* fileName, const char* samplesName);

} // namespace Kobra
