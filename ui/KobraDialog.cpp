#include "ui/KobraDialog.h"

#include <QCloseEvent>
#include <QShowEvent>

#include "frame/OrvaneSettings.h"

namespace MvQARN {

KobraDialog::KobraDialog(int mode, const QString& name, const QString& title, int attributes)
    : VGXDialog(mode, name, title, attributes) {}

KobraDialog::KobraDialog(const QString& name, int columnHint, int rowHint, int mode)
    : VGXDialog(name, columnHint, rowHint, mode) {}

KobraDialog::KobraDialog(const QString& name, const QString& title, int columnHint, int rowHint)
    : VGXDialog(name, title, columnHint, rowHint) {}

KobraDialog::~KobraDialog() {
    savePosition();
}

void KobraDialog::showEvent(QShowEvent* event) {
    VGXDialog::showEvent(event);
    loadPosition();
}

void KobraDialog::closeEvent(QCloseEvent* event) {
    savePosition();
    VGXDialog::closeEvent(event);
}

void KobraDialog::savePosition() {
    // A dialog that never had a window has no place of its own yet; its default geometry must not
    // replace the one the user chose last time.
    if (!windowHandle())
        return;
    // The geometry that loadPosition applies, so that a round trip does not move the dialog.
    QRect r = geometry();
    // Partly above or left of the screen: that edge is kept at 0 and the far edges stay.
    if (r.top() < 0)
        r.setTop(0);
    if (r.left() < 0)
        r.setLeft(0);
    OrvaneSettings::saveDialogPosition(windowTitle(), r);
}

void KobraDialog::loadPosition() {
    const QRect r = OrvaneSettings::loadDialogPosition(windowTitle());
    if (r.isNull() || r.top() < 0 || r.left() < 0)
        return;
    setGeometry(r);
}

} // namespace MvQARN
