#pragma once
// The box an interface works with: the serial number behind the selected entry of the list of
// connected boxes. Exported for other host modules and used by the parameter functions, the
// breakout-board check and the service functions.
namespace MvQARN {
class CDbCnct;
}

namespace Kobra {

// Serial number of the box selected by the context's interface (configured = false: the path-side
// instance t0, t1) or of the box chosen for configuration (configured = true). 0 when no box is
// selected, the index lies outside the list or a read fails.
int getKobraSelected(MvQARN::CDbCnct& cnct, bool configured);

// Entries of the serial list getKobraSelected looks at; entry 0 is never a box.
inline constexpr int SelectedSerialEntries = 20;

} // namespace Kobra
