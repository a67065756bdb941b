#include "frame/KobraProgressDialogFactory.h"

namespace Kobra {

// Constant-initialised, so a factory set during another file's static initialisation stays set.
ProgressDialogFactory createProgressDialog = nullptr;

} // namespace Kobra
