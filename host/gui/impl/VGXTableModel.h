#pragma once
// The Qt item model a VGXTable shows: a view of its VGXDescriptorTable.
#include <QAbstractTableModel>

namespace MvQARN {

class VGXDescriptorTable;

class VGXTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    VGXTableModel(QObject* parent, VGXDescriptorTable* descriptor);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void cellChanged(int row, int column);
    void reset();
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    void forget() { m_descriptor = nullptr; }

private:
    VGXDescriptorTable* m_descriptor;
    bool m_readOnly = false;
};

} // namespace MvQARN
