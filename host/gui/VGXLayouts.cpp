// The two layouts of the framework and their common interface.
#include <QWidget>

#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXGridLayout.h"

namespace MvQARN {

namespace {

Qt::Alignment alignmentOf(int fill) {
    Qt::Alignment a;
    if (!(fill & VGXConstraints::FillHorizontal))
        a |= Qt::AlignLeft;
    if (!(fill & VGXConstraints::FillVertical))
        a |= Qt::AlignVCenter;
    return a;
}

int spaceOf(int pixels) {
    return pixels < 0 ? VGXLayoutIfc::StandardSpace : pixels;
}

} // namespace

VGXLayoutIfc::~VGXLayoutIfc() = default;

// ---------------------------------------------------------------------------------------------

VGXFlowLayout::VGXFlowLayout(int direction) : QBoxLayout(toQt(direction)), m_direction(direction) {
    if (direction < LeftToRight || direction > TopToBottom)
        m_direction = TopToBottom;
    setContentsMargins(0, 0, 0, 0);
}

VGXFlowLayout::~VGXFlowLayout() = default;

QBoxLayout::Direction VGXFlowLayout::toQt(int direction) {
    switch (direction) {
    case LeftToRight:
        return QBoxLayout::LeftToRight;
    case RightToLeft:
        return QBoxLayout::RightToLeft;
    case BottomToTop:
        return QBoxLayout::BottomToTop;
    default:
        return QBoxLayout::TopToBottom;
    }
}

void VGXFlowLayout::place(QWidget* widget, const VGXConstraints& constraints) {
    // Across the flow a viewer fills the line unless its constraints say otherwise.
    const int across = isHorizontal() ? VGXConstraints::FillVertical : VGXConstraints::FillHorizontal;
    Qt::Alignment a;
    if (!(constraints.fill() & across))
        a = isHorizontal() ? Qt::AlignVCenter : Qt::AlignLeft;
    addWidget(widget, 0, a);
}

void VGXFlowLayout::placeStretched(QWidget* widget, int stretch) {
    addWidget(widget, stretch);
}

void VGXFlowLayout::placeSpace(int pixels) {
    addSpacing(spaceOf(pixels));
}

// ---------------------------------------------------------------------------------------------

VGXGridLayout::VGXGridLayout(int rows, int columns) : m_rows(qMax(1, rows)), m_columns(qMax(1, columns)) {
    setContentsMargins(0, 0, 0, 0);
}

VGXGridLayout::~VGXGridLayout() = default;

bool VGXGridLayout::taken(int row, int column) const {
    for (int i = 0; i < count(); ++i) {
        int r = 0, c = 0, rs = 0, cs = 0;
        getItemPosition(i, &r, &c, &rs, &cs);
        if (row >= r && row < r + rs && column >= c && column < c + cs)
            return true;
    }
    return false;
}

void VGXGridLayout::nextFree(int& row, int& column) const {
    for (row = 0;; ++row)
        for (column = 0; column < m_columns; ++column)
            if (!taken(row, column))
                return;
}

void VGXGridLayout::place(QWidget* widget, const VGXConstraints& constraints) {
    int row = constraints.row();
    int column = constraints.column();
    if (constraints.isAutomatic())
        nextFree(row, column);
    addWidget(widget, row, column, qMax(1, constraints.rowSpan()), qMax(1, constraints.columnSpan()),
              alignmentOf(constraints.fill()));
    m_rows = qMax(m_rows, row + qMax(1, constraints.rowSpan()));
    m_columns = qMax(m_columns, column + qMax(1, constraints.columnSpan()));
}

void VGXGridLayout::placeStretched(QWidget* widget, int stretch) {
    int row = 0, column = 0;
    nextFree(row, column);
    addWidget(widget, row, column);
    if (stretch > 0)
        setRowStretch(row, stretch);
    m_rows = qMax(m_rows, row + 1);
}

void VGXGridLayout::placeSpace(int pixels) {
    int row = 0, column = 0;
    nextFree(row, column);
    if (column != 0)
        ++row;
    setRowMinimumHeight(row, spaceOf(pixels));
    // An empty row keeps its height only when something marks it taken; a spacer item does.
    addItem(new QSpacerItem(0, spaceOf(pixels), QSizePolicy::Minimum, QSizePolicy::Fixed), row, 0, 1,
            m_columns);
    m_rows = qMax(m_rows, row + 1);
}

} // namespace MvQARN
