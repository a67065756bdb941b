#pragma once
// Places viewers in a grid of rows and columns, each by its constraints (cell, spans, fill). A
// viewer added without a cell goes to the next free cell, row by row.
#include <QGridLayout>

#include "host/gui/VGXLayoutIfc.h"

namespace MvQARN {

class VGX_EXPORT VGXGridLayout : public QGridLayout, public VGXLayoutIfc {
    Q_OBJECT
public:
    VGXGridLayout(int rows, int columns);
    ~VGXGridLayout() override;

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }

    QLayout* qLayout() override { return this; }
    void place(QWidget* widget, const VGXConstraints& constraints) override;
    void placeStretched(QWidget* widget, int stretch) override;
    // A gap of that height in the next free row.
    void placeSpace(int pixels) override;

private:
    bool taken(int row, int column) const;
    void nextFree(int& row, int& column) const;

    int m_rows;
    int m_columns;
};

} // namespace MvQARN
