#pragma once
// The host's look: the widget style (Fusion) and the palettes, fonts and colours that dialogs ask
// for by name. Names the host knows from the start:
//   palettes  "DefaultPalette" (the dialogs' palette), "DiagramBlock" (an element of the block
//             diagram), "diagramPalette" (the block diagram's background and its small blocks);
//   fonts     "DefaultFont", "BoldFont", "SmallTableFont", "SmallFont", "TitleFont";
//   colours   "DataColor", "ControlColor" (fields of structure diagrams), "LedOn", "LedOff",
//             "ErrorColor".
// Modules may register more under names of their own.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QStringList>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXStyleManager {
public:
    // Sets the application's widget style to Fusion once, when an application object exists; the
    // first framework widget calls it.
    static void applyHostStyle();

    // Unknown names answer the default palette, the application font or an invalid colour.
    static QPalette palette(const QString& name);
    static bool hasPalette(const QString& name);
    static void registerPalette(const QString& name, const QPalette& palette);
    static QStringList paletteNames();

    static QFont font(const QString& name);
    static bool hasFont(const QString& name);
    static void registerFont(const QString& name, const QFont& font);

    static QColor color(const QString& name);
    static void registerColor(const QString& name, const QColor& color);
};

} // namespace MvQARN
