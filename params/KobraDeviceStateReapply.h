#pragma once
// Refreshing the host baseband from the interfaces' device states: every path and side whose
// IdPDbLynxDeviceState is ON gets ON written again, marked as a re-apply so that its update runs
// although the value is unchanged. Used after a database recall and by the interface updates.
namespace MvQARN {
class CDbCnct;
}

namespace Kobra {

// 0, or the first error of the rewrites.
int reapplyDeviceStates(MvQARN::CDbCnct& cnct);

} // namespace Kobra
