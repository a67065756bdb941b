#include "host/gui/VGXDialog.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include "host/gui/VGXDialogAttributes.h"

namespace MvQARN {

namespace {

// A dialog is a plain top-level widget here, which assistive tools would see as a bare pane; they
// find it by its dialog role, as they do a QDialog.
QAccessibleInterface* dialogAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String("MvQARN::VGXDialog") || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
}

} // namespace

VGXDialog::VGXDialog(const QString& name, QWidget* parent) : CViewer(parent, Qt::Window), m_name(name) {
    build();
}

VGXDialog::VGXDialog(const QString& name, int columnHint, int rowHint, int mode)
    : CViewer(nullptr, Qt::Window), m_name(name), m_mode(mode) {
    build();
    if (columnHint >= 0 && rowHint >= 0)
        setPositionInButtons(columnHint, rowHint);
}

VGXDialog::VGXDialog(const QString& name, const QString& title, int columnHint, int rowHint)
    : CViewer(nullptr, Qt::Window), m_name(name) {
    build();
    setTitles(title, title);
    if (columnHint >= 0 && rowHint >= 0)
        setPositionInButtons(columnHint, rowHint);
}

VGXDialog::VGXDialog(int mode, const QString& name, const QString& title, int attributes)
    : CViewer(nullptr, Qt::Window), m_name(name), m_mode(mode) {
    build();
    setTitles(title, title);
    setAttributes(attributes);
}

VGXDialog::~VGXDialog() = default;

void VGXDialog::build() {
    static const bool accessibleAsDialog = (QAccessible::installFactory(dialogAccessible), true);
    Q_UNUSED(accessibleAsDialog);
    setObjectName(m_name);
    auto* layout = new QVBoxLayout(this);
    // A narrow margin all round: the content's own indent adds to it, so the panels, their titles and
    // the status line's frame all start a few pixels in from the window's edge, at one x.
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setAccessibleName(QStringLiteral("Status"));
    m_statusLine->setContentsMargins(2, 0, 2, 0);
    m_statusLine->setFrameShape(QFrame::StyledPanel);
    m_statusLine->setFrameShadow(QFrame::Sunken);
    m_statusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_statusLine->setMinimumHeight(m_statusLine->fontMetrics().height() + 6);
    layout->addWidget(m_statusLine);
}

void VGXDialog::setName(const QString& name) {
    m_name = name;
    setObjectName(name);
}

void VGXDialog::setTitles(const QString& title, const QString& shortTitle) {
    m_title = title;
    m_shortTitle = shortTitle;
    setWindowTitle(title);
}

void VGXDialog::setAttributes(const VGXDialogAttributes& attributes) {
    m_attributes.reset(attributes.clone());
}

void VGXDialog::setAttributes(int attributeWord) {
    m_attributeWord = attributeWord;
    if (isVisible())
        fitToContent();
}

void VGXDialog::setSizeInButtons(int columns, int rows) {
    m_sizeInButtons = QSize(columns, rows);
    resize(columns * ButtonWidth, rows * ButtonHeight);
}

void VGXDialog::setSizeInButtons(int columns) {
    m_sizeInButtons = QSize(columns, 0);
    resize(columns * ButtonWidth, qMax(height(), sizeHint().height()));
}

void VGXDialog::setPositionInButtons(int column, int row) {
    m_positionInButtons = QPoint(column, row);
    m_placed = true;
    move(column * ButtonWidth, row * ButtonHeight);
}

void VGXDialog::setContentPanel(QWidget* panel) {
    if (m_content == panel)
        return;
    delete m_content.data();
    m_content = panel;
    if (panel) // reparents the panel to the dialog, above the status line
        static_cast<QVBoxLayout*>(layout())->insertWidget(0, panel, 1);
}

void VGXDialog::showStatusMessage(const QString& text) {
    m_message = text;
    m_statusLine->setText(m_tip.isEmpty() ? m_message : m_tip);
}

void VGXDialog::toFront() {
    show();
    raise();
    activateWindow();
}

bool VGXDialog::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        m_tip = static_cast<QStatusTipEvent*>(event)->tip();
        m_statusLine->setText(m_tip.isEmpty() ? m_message : m_tip);
        return true;
    }
    return CViewer::event(event);
}

void VGXDialog::showEvent(QShowEvent* event) {
    CViewer::showEvent(event);
    if (event->spontaneous())
        return;
    fitToContent();
    placeFirstTime();
}

void VGXDialog::fitToContent() {
    if (!(m_attributeWord & (FitWidth | FitHeight)))
        return;
    const QSize hint = sizeHint();
    int w = width();
    int h = height();
    if (m_attributeWord & FitWidth)
        w = qMax(m_sizeInButtons.width() * ButtonWidth, hint.width());
    if (m_attributeWord & FitHeight)
        h = hint.height();
    resize(w, h);
}

void VGXDialog::placeFirstTime() {
    if (m_placed)
        return;
    m_placed = true;
    // Centred over the window the user works in, else on the screen.
    QRect area;
    if (QWidget* active = QApplication::activeWindow(); active && active != this)
        area = active->frameGeometry();
    else if (QScreen* screen = QApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

} // namespace MvQARN
