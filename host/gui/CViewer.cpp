#include "host/gui/CViewer.h"

#include <QApplication>

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXConst.h"
#include "host/gui/VGXStyleManager.h"

namespace MvGuiFramework {

namespace {

// The help line follows the focus: whichever widget takes it, the online key of its viewer becomes
// the current context-sensitive help. Installed once, with the first viewer.
void followFocus() {
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (!now)
            return;
        const QByteArray key = CViewer::onlineKeyOf(now);
        if (!key.isEmpty())
            MvQARN::VGXConst::setContextSensitiveHelp(key.constData());
    });
}

} // namespace

CViewer::CViewer(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    MvQARN::VGXStyleManager::applyHostStyle();
    followFocus();
}

CViewer::~CViewer() = default;

CViewer* CViewer::parentViewer() const {
    return viewerOf(parentWidget());
}

CViewer* CViewer::viewerOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* v = qobject_cast<CViewer*>(w))
            return v;
    return nullptr;
}

bool CViewer::sendActionEvent(int code) {
    CViewerEvent event(CViewerEvent::Action, code, this);
    return dispatchEvent(event);
}

bool CViewer::sendUserEvent(int code) {
    CViewerEvent event(CViewerEvent::User, code, this);
    return dispatchEvent(event);
}

bool CViewer::dispatchEvent(CViewerEvent& event) {
    for (CViewer* v = this; v && !event.isConsumed(); v = v->parentViewer()) {
        if (event.isAction())
            v->processActionEvent(&event);
        else
            v->processUserEvent(&event);
    }
    return event.isConsumed();
}

void CViewer::setReadOnly(bool readOnly) {
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    readOnlyChanged(isEffectivelyReadOnly());
    const QList<CViewer*> descendants = findChildren<CViewer*>();
    for (CViewer* v : descendants)
        v->readOnlyChanged(v->isEffectivelyReadOnly());
}

bool CViewer::isEffectivelyReadOnly() const {
    for (const CViewer* v = this; v; v = v->parentViewer())
        if (v->m_readOnly)
            return true;
    return false;
}

void CViewer::setOnlineKey(const char* key) {
    setOnlineKey(QByteArray(key));
}

void CViewer::setOnlineKey(const QByteArray& key) {
    m_onlineKey = key;
    setStatusTip(QString::fromLatin1(key));
}

QByteArray CViewer::onlineKeyOf(QWidget* widget) {
    for (CViewer* v = viewerOf(widget); v; v = v->parentViewer())
        if (!v->m_onlineKey.isEmpty())
            return v->m_onlineKey;
    return QByteArray();
}

bool CViewer::setColorPalette(const QString& name) {
    if (!MvQARN::VGXStyleManager::hasPalette(name))
        return false;
    m_paletteName = name;
    setPalette(MvQARN::VGXStyleManager::palette(name));
    setAutoFillBackground(true);
    return true;
}

bool CViewer::setFontStyle(const QString& name) {
    if (!MvQARN::VGXStyleManager::hasFont(name))
        return false;
    setFont(MvQARN::VGXStyleManager::font(name));
    return true;
}

void CViewer::processActionEvent(CViewerEvent*) {}

void CViewer::processUserEvent(CViewerEvent*) {}

void CViewer::readOnlyChanged(bool) {}

} // namespace MvGuiFramework
