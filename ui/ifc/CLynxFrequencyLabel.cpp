#include "ui/ifc/CLynxFrequencyLabel.h"

#include <QLabel>

#include "host/db/DbDefs.h"
#include "host/gui/VGXDataContainer.h"

namespace MvQARN {

CLynxFrequencyLabel::CLynxFrequencyLabel(QWidget* parent, const QString& label,
                                         const VGXUserDbAttributes& binding)
    : VGXLabelParameter(parent, label, binding, QStringLiteral("MHz")) {
    refresh();
}

CLynxFrequencyLabel::~CLynxFrequencyLabel() = default;

void CLynxFrequencyLabel::showValue(const VGXDataContainer* value) {
    if (value && value->getType() == DbTypeNumber)
        valueLabel()->setText(QString::number(value->getDoubleData() * 1e-6, 'f', 3));
    else
        VGXLabelParameter::showValue(value);
}

} // namespace MvQARN
