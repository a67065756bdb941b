#pragma once
// Panels that draw a focus or selection frame repaint when the focus moves into or out of them.
#include <QApplication>
#include <QWidget>

namespace MvQARN {

// Once per panel type: on every focus change, calls repaint(panel) for each Panel among the old and the
// new focus widget and their parents.
template <class Panel, class Repaint> void followFocus(Repaint repaint) {
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [repaint](QWidget* old, QWidget* now) {
        for (QWidget* w : {old, now})
            for (QWidget* p = w; p; p = p->parentWidget())
                if (auto* panel = qobject_cast<Panel*>(p))
                    repaint(panel);
    });
}

} // namespace MvQARN
