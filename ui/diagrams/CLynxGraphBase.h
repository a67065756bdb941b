#pragma once
// Base of the interface block diagrams: a panel that listens to a fixed list of parameters of one
// interface instance, keeps their last values and repaints when one of them changes. A subclass
// turns the values and its size into a model (CLynxGraphModel); painting draws that model.
#include <QFont>
#include <QList>
#include <QString>
#include <initializer_list>
#include <optional>

#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXNavigationPanel.h"
#include "ui/diagrams/CLynxGraphModel.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;

class CLynxGraphBase : public VGXNavigationPanel, public VGXDataListener {
    Q_OBJECT
public:
    ~CLynxGraphBase() override;

    // What the diagram draws at its current size with its last values.
    virtual CLynxGraphModel model() const = 0;

    int instance() const { return m_instance; }
    int direction() const { return m_direction; }
    // The parameters listened to, in the order value() counts them.
    QList<QByteArray> parameterNames() const;
    // Last value of the index-th parameter; empty when it could not be read.
    std::optional<double> value(int index) const;

    void processDataEvent(VGXDataEvent* event) override;

protected:
    // instance (path) and direction (side) of the interface; -1 takes the current binding indices.
    CLynxGraphBase(QWidget* parent, int instance, int direction, std::initializer_list<const char*> names);

    // The value as a selection identifier or a whole number, fallback when there is none.
    int intValue(int index, int fallback) const;
    // Called after a listened parameter changed; repaints.
    virtual void valuesChanged();

    void paintEvent(QPaintEvent* event) override;

private:
    int m_instance;
    int m_direction;
    QList<VGXDatabaseConnectorEntry*> m_entries;
    QList<std::optional<double>> m_values;
};

} // namespace MvQARN
