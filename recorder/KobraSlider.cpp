#include "recorder/KobraSlider.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSlider>

#include "host/gui/CViewerEvent.h"

namespace MvQARN {

using MvGuiFramework::CViewerEvent;

KobraSlider::KobraSlider(QWidget* parent) : CViewer(parent), m_slider(new QSlider(Qt::Horizontal, this)) {
    m_slider->setTickPosition(QSlider::TicksBelow);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_slider);
    setFocusProxy(m_slider);
    installEventFilter(this);
    m_slider->installEventFilter(this);
}

KobraSlider::~KobraSlider() = default;

bool KobraSlider::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_slider || watched == this) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            sendActionEvent(CViewerEvent::ActionClicked);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                sendActionEvent(CViewerEvent::ActionActivated);
            else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_PageUp ||
                     key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End)
                sendActionEvent(CViewerEvent::ActionClicked);
            break;
        }
        default:
            break;
        }
    }
    return CViewer::eventFilter(watched, event);
}

void KobraSlider::readOnlyChanged(bool readOnly) {
    m_slider->setEnabled(!readOnly);
}

} // namespace MvQARN
