#pragma once
// Globals of the plug-in module that other parts of the plug-in read: the organisation layer the
// host framework reaches through the module database description, and the file-type handles the
// host answered when the module registered its file types.
namespace MvQARN {
class COlLoadableExtension;
}

namespace Kobra {

// The one organisation layer; null until the module is created inside a host database context.
extern MvQARN::COlLoadableExtension* g_orgLayer;

// Positions in g_fileTypes, in registration order.
enum FileTypeSlot {
    FileTypeUserSettings = 0,      // *.lynx, main dialog
    FileTypeArbSetting = 1,        // *.wv
    FileTypeArbWave = 2,           // *.wv
    FileTypeRecorder = 3,          // *.wv
    FileTypeServiceLog = 4,        // *.txt
    FileTypeUserSettingsPanel = 5, // *.lynx, interface panels
    FileTypeHex = 6,               // *.hex, SSI gain and SPI files
    FileTypeCount = 7,
};

// Handles the host answered for the module's file types (0 until registered).
extern int g_fileTypes[FileTypeCount];

} // namespace Kobra
