#pragma once
// Exported tables of box types and box modes: identifiers closed by -1, texts closed by a null
// pointer. Other host modules list the choices of IdPDbKobraType and IdPDbKobraMode with them.
namespace Kobra {

extern const int exLynxTypeIds[6];
extern const char* const exLynxTypeStr[6];

extern const int exLynxModeIds[4];
extern const char* const exLynxModeStr[4];

} // namespace Kobra
