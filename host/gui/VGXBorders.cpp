// The panel borders.
#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidget>

#include "host/gui/VGXLineBorder.h"
#include "host/gui/VGXTitleBorder.h"

namespace MvQARN {

namespace {

// Room between a border and the content inside it.
constexpr int kPadding = 4;

QStyleOptionGroupBox groupOption(const QWidget* on, const QString& title) {
    QStyleOptionGroupBox opt;
    opt.initFrom(on);
    opt.text = title;
    opt.lineWidth = 1;
    opt.midLineWidth = 0;
    opt.textAlignment = Qt::AlignLeft;
    opt.textColor = on->palette().color(QPalette::WindowText);
    opt.subControls = QStyle::SC_GroupBoxFrame;
    if (!title.isEmpty())
        opt.subControls |= QStyle::SC_GroupBoxLabel;
    opt.features = QStyleOptionFrame::None;
    return opt;
}

} // namespace

VGXBorder::~VGXBorder() = default;

QString VGXBorder::title() const {
    return QString();
}

VGXTitleBorder::VGXTitleBorder(const QString& title) : m_title(title) {}

VGXTitleBorder::~VGXTitleBorder() = default;

QMargins VGXTitleBorder::margins(const QWidget* on) const {
    const QStyleOptionGroupBox opt = groupOption(on, m_title);
    const QRect contents =
        on->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, on);
    const QRect all = opt.rect;
    // The style's content rectangle already leaves room under the title.
    return QMargins(contents.left() - all.left() + kPadding, contents.top() - all.top(),
                    all.right() - contents.right() + kPadding, all.bottom() - contents.bottom() + kPadding);
}

void VGXTitleBorder::paint(QPainter& painter, const QWidget* on) const {
    const QStyleOptionGroupBox opt = groupOption(on, m_title);
    on->style()->drawComplexControl(QStyle::CC_GroupBox, &opt, &painter, on);
}

VGXLineBorder::VGXLineBorder(int width, const QColor& color) : m_width(qMax(1, width)), m_color(color) {}

VGXLineBorder::~VGXLineBorder() = default;

QMargins VGXLineBorder::margins(const QWidget*) const {
    const int m = m_width + kPadding;
    return QMargins(m, m, m, m);
}

void VGXLineBorder::paint(QPainter& painter, const QWidget* on) const {
    QPen pen(m_color.isValid() ? m_color : on->palette().color(QPalette::Dark));
    pen.setWidth(m_width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int half = m_width / 2;
    painter.drawRect(
        on->rect().adjusted(half, half, -half - (m_width % 2 ? 1 : 0), -half - (m_width % 2 ? 1 : 0)));
}

} // namespace MvQARN
