#pragma once
// A table viewer over a VGXDescriptorTable: headers, row headers, column widths from the width
// templates, text, check box and selector cells. Double click or Return on a selector cell
// activates it; ticking a check box cell and editing a text cell hand the change to the
// descriptor.
#include "host/gui/CViewer.h"

class QTableView;

namespace MvQARN {

class VGXDescriptorTable;
class VGXTableModel;

class VGX_EXPORT VGXTable : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    // Takes ownership of the descriptor.
    VGXTable(QWidget* parent, VGXDescriptorTable* descriptor);
    ~VGXTable() override;

    VGXDescriptorTable* descriptor() const { return m_descriptor; }
    QTableView* tableView() const { return m_view; }
    // Reads every header and cell again and applies the width templates.
    void refresh();
    // Called by the descriptor.
    void redrawCell(int row, int column);

protected:
    void readOnlyChanged(bool readOnly) override;

private:
    friend class VGXDescriptorTable;
    void applyWidths();
    void forgetDescriptor();

    VGXDescriptorTable* m_descriptor;
    VGXTableModel* m_model;
    QTableView* m_view;
};

} // namespace MvQARN
