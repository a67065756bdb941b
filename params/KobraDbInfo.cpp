#include "params/KobraDbInfo.h"

#include <iterator>

#include "frame/KobraPluginGlobals.h"
#include "params/KobraCatalogue.h"

using namespace MvQARN;

namespace {

constinit const SListTypeEntry s_listTypes[] = {
    {Kobra::ListTypeSettings, "lynx", "DATA_NONE", "LaDirNone", {0, 1, 1, 0, 1, 1}, ""},
    {Kobra::ListTypeHex, "hex", "DATA_NONE", "LaDirNone", {0, 1, 1, 0, 1, 1}, ""},
    {Kobra::ListTypeWaveform, "wv", "DATA_NONE", "LaDirNone", {0, 1, 1, 1, 1, 1}, "VGX-WV"},
    {Kobra::ListTypeRecorder, "mv_rec", "DATA_NONE", "LaDirNone", {0, 1, 1, 1, 1, 1}, ""},
};

} // namespace

namespace Kobra {

constinit const SDevDbInfo g_devDbInfo = {"Database", &g_dbDescriptor, 0x24, "lynx box"};

constinit const SMdlDbInfo g_mdlDbInfo = {&g_devDbInfo, &g_orgLayer, s_listTypes,
                                          int(std::size(s_listTypes))};

} // namespace Kobra
