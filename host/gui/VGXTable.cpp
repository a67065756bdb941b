#include "host/gui/VGXTable.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "host/gui/VGXDescriptorTable.h"
#include "host/gui/impl/VGXTableModel.h"

namespace MvQARN {

// ---------------------------------------------------------------------------------------------
// Descriptor defaults

VGXDescriptorTable::~VGXDescriptorTable() {
    for (VGXTable* t : std::as_const(m_tables))
        t->forgetDescriptor();
}

QString VGXDescriptorTable::widthTemplate(int) const {
    return QString();
}

QString VGXDescriptorTable::rowHeader(int row) const {
    return QString::number(row + 1);
}

QString VGXDescriptorTable::rowHeaderTemplate() const {
    return QString();
}

int VGXDescriptorTable::cellKind(int, int, int& attributes) const {
    attributes = AttrReadOnly;
    return CellText;
}

int VGXDescriptorTable::cellState(int, int) const {
    return -1;
}

void VGXDescriptorTable::setCellText(int, int, const QString&) {}

void VGXDescriptorTable::setCellState(int, int, int) {}

void VGXDescriptorTable::activateCell(int, int) {}

void VGXDescriptorTable::contextHelp(int) {}

void VGXDescriptorTable::redrawCell(int row, int column) {
    for (VGXTable* t : std::as_const(m_tables))
        t->redrawCell(row, column);
}

void VGXDescriptorTable::redrawAll() {
    for (VGXTable* t : std::as_const(m_tables))
        t->refresh();
}

// ---------------------------------------------------------------------------------------------
// Model

VGXTableModel::VGXTableModel(QObject* parent, VGXDescriptorTable* descriptor)
    : QAbstractTableModel(parent), m_descriptor(descriptor) {}

int VGXTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_descriptor ? 0 : m_descriptor->rowCount();
}

int VGXTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_descriptor ? 0 : m_descriptor->columnCount();
}

QVariant VGXTableModel::data(const QModelIndex& index, int role) const {
    if (!m_descriptor || !index.isValid())
        return QVariant();
    int attributes = 0;
    const int kind = m_descriptor->cellKind(index.row(), index.column(), attributes);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return m_descriptor->cellText(index.row(), index.column());
    case Qt::CheckStateRole:
        if (kind != VGXDescriptorTable::CellCheckbox)
            return QVariant();
        switch (m_descriptor->cellState(index.row(), index.column())) {
        case -1:
            return Qt::PartiallyChecked;
        case 0:
            return Qt::Unchecked;
        default:
            return Qt::Checked;
        }
    case Qt::ToolTipRole:
        return kind == VGXDescriptorTable::CellSelector ? m_descriptor->cellText(index.row(), index.column())
                                                        : QVariant();
    default:
        return QVariant();
    }
}

Qt::ItemFlags VGXTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!m_descriptor || !index.isValid() || m_readOnly)
        return f;
    int attributes = 0;
    const int kind = m_descriptor->cellKind(index.row(), index.column(), attributes);
    if (attributes & VGXDescriptorTable::AttrReadOnly)
        return f;
    if (kind == VGXDescriptorTable::CellCheckbox)
        f |= Qt::ItemIsUserCheckable;
    else if (kind == VGXDescriptorTable::CellText)
        f |= Qt::ItemIsEditable;
    return f;
}

bool VGXTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!m_descriptor || !index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    if (role == Qt::CheckStateRole) {
        m_descriptor->setCellState(index.row(), index.column(), value.toInt() == Qt::Checked ? 1 : 0);
    } else if (role == Qt::EditRole) {
        m_descriptor->setCellText(index.row(), index.column(), value.toString());
    } else {
        return false;
    }
    // The descriptor redraws what changed; this cell shows the stored result either way.
    emit dataChanged(index, index);
    return true;
}

QVariant VGXTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_descriptor || role != Qt::DisplayRole)
        return QVariant();
    return orientation == Qt::Horizontal ? m_descriptor->headerText(section)
                                         : m_descriptor->rowHeader(section);
}

void VGXTableModel::cellChanged(int row, int column) {
    const QModelIndex i = index(row, column);
    if (i.isValid())
        emit dataChanged(i, i);
}

void VGXTableModel::reset() {
    beginResetModel();
    endResetModel();
}

// ---------------------------------------------------------------------------------------------
// Table

VGXTable::VGXTable(QWidget* parent, VGXDescriptorTable* descriptor)
    : CViewer(parent), m_descriptor(descriptor), m_model(new VGXTableModel(this, descriptor)),
      m_view(new QTableView(this)) {
    if (m_descriptor)
        m_descriptor->m_tables.append(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideLeft);
    m_view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setFocusProxy(m_view);
    connect(m_view, &QTableView::activated, this, [this](const QModelIndex& index) {
        int attributes = 0;
        if (m_descriptor && !isEffectivelyReadOnly() &&
            m_descriptor->cellKind(index.row(), index.column(), attributes) ==
                VGXDescriptorTable::CellSelector)
            m_descriptor->activateCell(index.row(), index.column());
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentColumnChanged, this,
            [this](const QModelIndex& current) {
                if (m_descriptor && current.isValid())
                    m_descriptor->contextHelp(current.column());
            });
    applyWidths();
}

VGXTable::~VGXTable() {
    if (m_descriptor) {
        m_descriptor->m_tables.removeAll(this);
        m_model->forget();
        delete m_descriptor;
    }
}

void VGXTable::forgetDescriptor() {
    m_descriptor = nullptr;
    m_model->forget();
    m_model->reset();
}

void VGXTable::refresh() {
    m_model->reset();
    applyWidths();
}

void VGXTable::redrawCell(int row, int column) {
    m_model->cellChanged(row, column);
}

void VGXTable::readOnlyChanged(bool readOnly) {
    m_model->setReadOnly(readOnly);
    m_view->viewport()->update();
}

void VGXTable::applyWidths() {
    if (!m_descriptor)
        return;
    const QFontMetrics fm = m_view->fontMetrics();
    const int padding = 2 * m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 12;
    for (int c = 0; c < m_descriptor->columnCount(); ++c) {
        const QString t = m_descriptor->widthTemplate(c);
        if (!t.isEmpty())
            m_view->setColumnWidth(c, fm.horizontalAdvance(t) + padding);
        else
            m_view->resizeColumnToContents(c);
    }
    const QString rowTemplate = m_descriptor->rowHeaderTemplate();
    if (!rowTemplate.isEmpty())
        m_view->verticalHeader()->setFixedWidth(
            m_view->verticalHeader()->fontMetrics().horizontalAdvance(rowTemplate) + padding);
}

} // namespace MvQARN
