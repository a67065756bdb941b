#include "host/gui/VGXComboParameter.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/impl/VGXPopupComboBox.h"

namespace MvQARN {

VGXComboParameter::VGXComboParameter(QWidget* parent, const QString& label,
                                     const VGXUserDbAttributes& binding)
    : VGXParameterControl(parent, label, binding) {
    m_combo = new VGXPopupComboBox(this, [this] { refresh(); });
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setField(m_combo);
    connect(m_combo, &QComboBox::activated, this, &VGXComboParameter::choose);
    refresh();
}

VGXComboParameter::~VGXComboParameter() = default;

QStringList VGXComboParameter::itemTexts() const {
    return m_texts;
}

QList<int> VGXComboParameter::itemValues() const {
    return m_values;
}

QString VGXComboParameter::currentText() const {
    return m_combo->currentIndex() >= 0 ? m_combo->currentText() : m_combo->placeholderText();
}

void VGXComboParameter::setDescriptor(VGXDescriptorComboboxEntry* descriptor) {
    setOwnDescriptor(descriptor);
}

void VGXComboParameter::setDescriptor(const QStringList& texts, const QList<int>& values) {
    setOwnDescriptor(new VGXDescriptorComboboxEntry(binding(), true, texts, values));
}

void VGXComboParameter::refreshChoices() {
    QStringList texts;
    QList<int> values;
    const VGXDescriptorEntry* d = descriptor();
    if (const auto* combo = dynamic_cast<const VGXDescriptorComboboxEntry*>(d)) {
        for (qsizetype i = 0; i < combo->values().size(); ++i) {
            texts << combo->textOf(combo->values().at(i));
            values << combo->values().at(i);
        }
    } else if (const auto* check = dynamic_cast<const VGXDescriptorCheckboxEntry*>(d)) {
        texts << check->stateText(false) << check->stateText(true);
        values << 0 << 1;
    }
    const QVector<int> admitted = connector() ? connector()->getChoices() : QVector<int>();
    if (texts.isEmpty()) {
        // No descriptor: the parameter's own choices, as numbers.
        for (int v : admitted) {
            texts << QString::number(v);
            values << v;
        }
    } else if (!admitted.isEmpty()) {
        for (qsizetype i = values.size() - 1; i >= 0; --i)
            if (!admitted.contains(values.at(i))) {
                texts.removeAt(i);
                values.removeAt(i);
            }
    }
    if (texts == m_texts && values == m_values)
        return;
    m_texts = texts;
    m_values = values;
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    m_combo->addItems(m_texts);
}

void VGXComboParameter::showValue(const VGXDataContainer* value) {
    const QSignalBlocker block(m_combo);
    if (!value || !value->hasData()) {
        m_combo->setCurrentIndex(-1);
        m_combo->setPlaceholderText(QString());
        return;
    }
    const int v = value->getIntegerData();
    const qsizetype i = m_values.indexOf(v);
    m_combo->setPlaceholderText(i < 0 ? QString::number(v) : QString());
    m_combo->setCurrentIndex(int(i));
}

void VGXComboParameter::choose(int index) {
    if (index < 0 || index >= m_values.size())
        return;
    writeValue(CDbAllType::fromInt(m_values.at(index)));
}

} // namespace MvQARN
