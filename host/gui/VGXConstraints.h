#pragma once
// Where a viewer goes in a grid layout: cell, spans and how it fills the cell. A flow layout places
// viewers in the order they are added and only uses the fill.
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXConstraints {
public:
    enum EFill {
        FillNone = 0,       // the viewer keeps its preferred size, at the left of the cell
        FillHorizontal = 1, // it takes the cell's width
        FillVertical = 2,   // it takes the cell's height
        FillBoth = 3,
    };

    constexpr VGXConstraints() = default;
    constexpr VGXConstraints(int column, int row, int columnSpan = 1, int rowSpan = 1,
                             int fill = FillHorizontal)
        : m_column(column), m_row(row), m_columnSpan(columnSpan), m_rowSpan(rowSpan), m_fill(fill) {}

    constexpr int column() const { return m_column; }
    constexpr int row() const { return m_row; }
    constexpr int columnSpan() const { return m_columnSpan; }
    constexpr int rowSpan() const { return m_rowSpan; }
    constexpr int fill() const { return m_fill; }
    // True when no cell is named: the layout places the viewer in its next free place.
    constexpr bool isAutomatic() const { return m_column < 0 || m_row < 0; }

private:
    int m_column = -1;
    int m_row = -1;
    int m_columnSpan = 1;
    int m_rowSpan = 1;
    int m_fill = FillHorizontal;
};

} // namespace MvQARN
