#include "host/gui/VGXStyleManager.h"

#include <QApplication>
#include <QMap>
#include <QStyle>
#include <QStyleFactory>

namespace MvQARN {

namespace {

struct Registry {
    QMap<QString, QPalette> palettes;
    QMap<QString, QFont> fonts;
    QMap<QString, QColor> colors;
    bool builtIns = false;
};

QPalette fusionPalette() {
    if (QStyle* style = QApplication::style())
        if (style->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
            return style->standardPalette();
    static QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    return fusion ? fusion->standardPalette() : QPalette();
}

QPalette tinted(const QColor& window, const QColor& base, const QColor& text, const QColor& highlight) {
    QPalette p = fusionPalette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Window, window);
        p.setColor(g, QPalette::Button, window.lighter(104));
        p.setColor(g, QPalette::Base, base);
        p.setColor(g, QPalette::WindowText, text);
        p.setColor(g, QPalette::ButtonText, text);
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::Highlight, highlight);
    }
    p.setColor(QPalette::Disabled, QPalette::Window, window);
    p.setColor(QPalette::Disabled, QPalette::Button, window);
    return p;
}

// Built on first use: palettes and fonts need the application object.
Registry& registry() {
    static Registry r;
    if (!r.builtIns && qApp) {
        r.builtIns = true;
        r.palettes.insert(QStringLiteral("DefaultPalette"), fusionPalette());
        r.palettes.insert(QStringLiteral("DiagramBlock"), tinted(QColor(232, 238, 246), QColor(250, 252, 255),
                                                                 QColor(16, 32, 64), QColor(0, 92, 170)));
        r.palettes.insert(
            QStringLiteral("diagramPalette"),
            tinted(QColor(214, 224, 236), QColor(246, 249, 252), QColor(16, 32, 64), QColor(0, 92, 170)));
        const QFont base = QApplication::font();
        QFont bold = base;
        bold.setBold(true);
        QFont small = base;
        small.setPointSizeF(base.pointSizeF() > 0 ? base.pointSizeF() * 0.85 : 8);
        QFont smallTable = small;
        smallTable.setStyleHint(QFont::SansSerif);
        QFont title = bold;
        title.setPointSizeF(base.pointSizeF() > 0 ? base.pointSizeF() * 1.1 : 10);
        r.fonts.insert(QStringLiteral("DefaultFont"), base);
        r.fonts.insert(QStringLiteral("BoldFont"), bold);
        r.fonts.insert(QStringLiteral("SmallFont"), small);
        r.fonts.insert(QStringLiteral("SmallTableFont"), smallTable);
        r.fonts.insert(QStringLiteral("TitleFont"), title);
        // Text of the chart panels: axis titles and tick labels.
        r.fonts.insert(QStringLiteral("FontStyle"), small);
    }
    if (r.colors.isEmpty()) {
        r.colors.insert(QStringLiteral("DataColor"), QColor(120, 170, 225));
        r.colors.insert(QStringLiteral("ControlColor"), QColor(235, 185, 95));
        r.colors.insert(QStringLiteral("LedOn"), QColor(40, 200, 70));
        r.colors.insert(QStringLiteral("LedOff"), QColor(96, 96, 96));
        r.colors.insert(QStringLiteral("ErrorColor"), QColor(200, 0, 0));
        // Chart panels: a dark plot area, on which the yellow curves and grey grids stand out.
        r.colors.insert(QStringLiteral("DiagramFillStyle"), QColor(16, 20, 28));
    }
    return r;
}

} // namespace

void VGXStyleManager::applyHostStyle() {
    static bool done = false;
    if (done || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    done = true;
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStringLiteral("Fusion"));
}

QPalette VGXStyleManager::palette(const QString& name) {
    const Registry& r = registry();
    return r.palettes.value(name, r.palettes.value(QStringLiteral("DefaultPalette"), fusionPalette()));
}

bool VGXStyleManager::hasPalette(const QString& name) {
    return registry().palettes.contains(name);
}

void VGXStyleManager::registerPalette(const QString& name, const QPalette& palette) {
    registry().palettes.insert(name, palette);
}

QStringList VGXStyleManager::paletteNames() {
    return registry().palettes.keys();
}

QFont VGXStyleManager::font(const QString& name) {
    return registry().fonts.value(name, QApplication::font());
}

bool VGXStyleManager::hasFont(const QString& name) {
    return registry().fonts.contains(name);
}

void VGXStyleManager::registerFont(const QString& name, const QFont& font) {
    registry().fonts.insert(name, font);
}

QColor VGXStyleManager::color(const QString& name) {
    return registry().colors.value(name);
}

void VGXStyleManager::registerColor(const QString& name, const QColor& color) {
    registry().colors.insert(name, color);
}

} // namespace MvQARN
