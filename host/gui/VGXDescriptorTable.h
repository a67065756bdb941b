#pragma once
// What a VGXTable shows, supplied by a module: the table's size, headers, column widths and cell
// contents, and what happens when the user edits, ticks or activates a cell. The module tells the
// tables showing it when a cell changes (redrawCell), so only that cell is drawn again.
#include <QList>
#include <QString>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXTable;

class VGX_EXPORT VGXDescriptorTable {
public:
    // Cell kinds.
    enum ECellKind {
        CellText = 1,     // a text, editable unless read-only
        CellCheckbox = 3, // an OFF/ON state with a tick box
        CellSelector = 5, // a text whose activation opens a dialog (a file selector)
    };
    // Bit of the cell attribute word: the user cannot change the cell. The other bits are the
    // module's look word, kept as given.
    static constexpr int AttrReadOnly = 0x80;

    VGXDescriptorTable() = default;
    VGXDescriptorTable(const VGXDescriptorTable&) = delete;
    VGXDescriptorTable& operator=(const VGXDescriptorTable&) = delete;
    virtual ~VGXDescriptorTable();

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual QString headerText(int column) const = 0;
    // A text as wide as the column should be ("XXXXXXXXX"); empty: as wide as its contents.
    virtual QString widthTemplate(int column) const;
    virtual QString rowHeader(int row) const;
    virtual QString rowHeaderTemplate() const;
    virtual QString cellText(int row, int column) const = 0;
    // ECellKind; attributes receives the cell's attribute word.
    virtual int cellKind(int row, int column, int& attributes) const;
    // State of a check box cell: 0 off, non-zero on, -1 unknown.
    virtual int cellState(int row, int column) const;
    // The user changed a text, ticked a box, activated a cell.
    virtual void setCellText(int row, int column, const QString& text);
    virtual void setCellState(int row, int column, int state);
    virtual void activateCell(int row, int column);
    // The user moved to a column: a chance to set the context-sensitive help.
    virtual void contextHelp(int column);

    // Draws the cell again in every table showing this descriptor.
    void redrawCell(int row, int column);
    void redrawAll();

private:
    friend class VGXTable;
    QList<VGXTable*> m_tables;
};

} // namespace MvQARN
