#pragma once
// The module's database description handed to the host: the device entry naming the database module
// and its descriptor, and the module entry with the organisation-layer pointer and the list types the
// plug-in announces to the list administration.
#include "host/db/DbDefinitions.h"

namespace Kobra {

extern const MvQARN::SDevDbInfo g_devDbInfo;
extern const MvQARN::SMdlDbInfo g_mdlDbInfo;

// List types of the list administration.
enum EListType {
    ListTypeSettings = 188, // "lynx"
    ListTypeHex = 178,      // "hex"
    ListTypeWaveform = 192, // "wv"
    ListTypeRecorder = 201, // "mv_rec"
};

} // namespace Kobra
