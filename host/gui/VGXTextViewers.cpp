// Text area, text panel, splitter and structure strip viewers.
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXSplitter.h"
#include "host/gui/VGXStructureLabel.h"
#include "host/gui/VGXTextEdit.h"
#include "host/gui/VGXTextEditPanel.h"

namespace MvQARN {

VGXTextEdit::VGXTextEdit(QWidget* parent) : CViewer(parent), m_edit(new QTextEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    m_edit->setAcceptRichText(false);
    setFocusProxy(m_edit);
}

VGXTextEdit::~VGXTextEdit() = default;

QTextDocument* VGXTextEdit::document() const {
    return m_edit->document();
}

void VGXTextEdit::setPlainText(const QString& text) {
    m_edit->setPlainText(text);
}

QString VGXTextEdit::toPlainText() const {
    return m_edit->toPlainText();
}

void VGXTextEdit::appendText(const QString& text) {
    QTextCursor c(m_edit->document());
    c.movePosition(QTextCursor::End);
    c.insertText(text);
    scrollToEnd();
}

void VGXTextEdit::clear() {
    m_edit->clear();
}

void VGXTextEdit::scrollToEnd() {
    m_edit->verticalScrollBar()->setValue(m_edit->verticalScrollBar()->maximum());
}

void VGXTextEdit::readOnlyChanged(bool readOnly) {
    m_edit->setReadOnly(readOnly);
}

VGXTextEditPanel::VGXTextEditPanel(QWidget* parent, const VGXUserDbAttributes& binding)
    : VGXPanel(parent), m_text(new VGXTextEdit(this)) {
    add(m_text, 1);
    m_entry = VGXDataObject::connectDatabase(this, binding);
    if (m_entry)
        m_text->setPlainText(m_entry->getStringData());
}

VGXTextEditPanel::~VGXTextEditPanel() {
    VGXDataObject::disconnectDatabase(this);
}

void VGXTextEditPanel::processDataEvent(VGXDataEvent* event) {
    if (event->getSourceEntry() != m_entry || event->getCode() != VGXDataEvent::DataChanged ||
        !(event->getTupel() == m_entry->getTupel()))
        return;
    const VGXDataContainer* d = event->getEntryData();
    m_text->setPlainText(d ? d->getStringData() : QString());
    m_text->scrollToEnd();
}

VGXSplitter::VGXSplitter(QWidget* parent, Qt::Orientation orientation)
    : CViewer(parent), m_splitter(new QSplitter(orientation, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
}

VGXSplitter::~VGXSplitter() = default;

void VGXSplitter::addViewer(QWidget* viewer, int stretch) {
    if (!viewer)
        return;
    m_splitter->addWidget(viewer);
    m_splitter->setStretchFactor(m_splitter->indexOf(viewer), stretch);
}

VGXStructureLabel::VGXStructureLabel(QWidget* parent) : CViewer(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

VGXStructureLabel::~VGXStructureLabel() = default;

void VGXStructureLabel::setStructure(const QList<Field>& fields) {
    m_fields = fields;
    QStringList names;
    for (const Field& f : fields)
        if (f.width > 0)
            names << QStringLiteral("%1 (%2)").arg(f.name).arg(f.width);
    setAccessibleDescription(names.join(QLatin1String(", ")));
    update();
}

QList<QRect> VGXStructureLabel::fieldRects() const {
    int total = 0;
    for (const Field& f : m_fields)
        if (f.width > 0)
            total += f.width;
    QList<QRect> out;
    if (total == 0)
        return out;
    const QRect area = rect().adjusted(1, 1, -1, -1);
    int bits = 0;
    for (const Field& f : m_fields) {
        if (f.width <= 0)
            continue;
        const int left = area.left() + int(qint64(area.width()) * bits / total);
        bits += f.width;
        const int right = area.left() + int(qint64(area.width()) * bits / total);
        out << QRect(left, area.top(), right - left, area.height());
    }
    return out;
}

QSize VGXStructureLabel::sizeHint() const {
    return QSize(200, fontMetrics().height() * 2 + 4);
}

void VGXStructureLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QList<QRect> rects = fieldRects();
    int i = 0;
    for (const Field& f : std::as_const(m_fields)) {
        if (f.width <= 0)
            continue;
        const QRect r = rects.at(i++);
        p.fillRect(r, f.color.isValid() ? f.color : palette().color(QPalette::Button));
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(r, Qt::AlignCenter, f.name);
    }
}

} // namespace MvQARN
