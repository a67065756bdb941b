#pragma once
// Panel classes that modules offer the host: a module registers a creator under the class name, and
// the host builds the panel in a dialog or diagram of its own without linking the module (a
// recorder block beside the box blocks, a module's general recorder panel in the host's recorder
// dialog). What each argument means is the panel class's to say.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "host/util/VGXModuleInterface.h"

class QWidget;

namespace MvQARN {

class VGXPanel;

class VGX_EXPORT VGXPanelClasses {
public:
    struct SArgs {
        QWidget* parent = nullptr;
        QString dialogName;
        int instance = 0;  // t0
        int direction = 0; // t1
        int channel = 0;   // t3
        QList<QByteArray> parameters;
        bool flag = false;
        QString text1;
        QString text2;
        QStringList selectionTexts;
        QList<int> selectionValues;
        QList<QByteArray> furtherParameters;
    };
    using PanelCreator = VGXPanel* (*)(const SArgs& args);

    // A later registration of the same class name replaces the earlier one; null removes it.
    static void registerPanelClass(const QString& className, PanelCreator creator);
    static PanelCreator panelCreator(const QString& className);
    // The panel made by the registered creator; null when none is registered.
    static VGXPanel* create(const QString& className, const SArgs& args);
    static QStringList panelClasses();
    static void clear();
};

} // namespace MvQARN
