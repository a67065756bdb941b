#pragma once
// Per-user settings shared with the box's companion configuration software: typed access by a fixed
// set of identifiers, dialog geometries by caption, install paths of two companion tools, and the
// user's working folder below the documents folder.
#include <QRect>
#include <QString>
#include <QVariant>

class QSettings;

namespace MvQARN {

class OrvaneSettings {
public:
    enum SETTING_ID {
        CB = 0,                     // "cb": accept a missing breakout board
        SCPI_SERVER_PORT = 1,       // "ScpiServerPort"
        INFO_SERVER_PORT = 2,       // "InfoServerPort"
        DIGRF_SCRIPT_RECOMPILE = 3, // "DigRFScriptRecompile"
        KOBRA_COUNT = 4,            // "KobraCount"
        PL2UL = 5,                  // "pl2ul"
        PL4UL = 6,                  // "pl4ul"
        SETTINGS_DIR = 7,           // "SettingsDir"
        PAWN_EDITOR_VIVEVI = 8,     // "PawnEditorVivevi": always answers 1
        BLOCK_NUM = 9,              // "blockNum"
        INFO_SERVER_ENABLED = 10,   // "InfoServerEnabled"
        WAVEMILL_PATH = 11,         // no key: install path of the waveform tool
        PELLOR_PATH = 12,           // no key: install path of the Pellor viewer
    };

    virtual ~OrvaneSettings();

    // The stored value, or defaultValue when the store has none; ids 8, 11 and 12 answer without
    // reading the store.
    static QVariant value(SETTING_ID id, const QVariant& defaultValue = QVariant());
    static void setValue(SETTING_ID id, const QVariant& v);
    static bool exists(SETTING_ID id);

    // Geometry of a dialog, keyed by its caption in the group "GuiPositions".
    static void saveDialogPosition(const QString& name, const QRect& r);
    // The saved geometry, or the null rectangle when none (or no readable one) is stored.
    static QRect loadDialogPosition(const QString& name);

private:
    OrvaneSettings();
    static QString keyForId(SETTING_ID id);
    static QString wavemillPath();
    static QString pellorPath();
    // The store (organisation "Maravel", application "Orvane", user scope, native format). It is
    // opened on first use rather than at load, so a host or a test can place the user settings
    // folder before anything is read.
    static QSettings& s_settings();
};

// The user's working folder: the documents folder followed by "/Maravel/Orvane", with forward
// slashes. Empty while the documents folder is unknown; kept once found.
QString getMyDocumentsPath();

} // namespace MvQARN
