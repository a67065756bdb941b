#include "params/KobraTypes.h"

namespace Kobra {

const int exLynxTypeIds[6] = {0, 1, 2, 3, 4, -1};
const char* const exLynxTypeStr[6] = {"User Defined", "SSI", "CPRI", "OBSAI", "DigRF", nullptr};

const int exLynxModeIds[4] = {0, 1, 2, -1};
const char* const exLynxModeStr[4] = {"Receiver", "Transmitter", "Bidirectional", nullptr};

} // namespace Kobra
