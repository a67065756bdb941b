#pragma once
// A combo box bound to a selection parameter. It offers the texts of the parameter's selection
// descriptor (VGXDescriptorComboboxEntry, or a check box descriptor's two texts), in the
// descriptor's order and only for values the parameter admits now (its current choices); choosing
// a text writes the value behind it. A stored value the descriptor has no text for shows as its
// number.
#include <QList>
#include <QStringList>

#include "host/gui/VGXParameterControl.h"

class QComboBox;

namespace MvQARN {

class VGXDescriptorComboboxEntry;

class VGX_EXPORT VGXComboParameter : public VGXParameterControl {
    Q_OBJECT
public:
    VGXComboParameter(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding);
    ~VGXComboParameter() override;

    QComboBox* comboBox() const { return m_combo; }
    // Texts and values offered now.
    QStringList itemTexts() const;
    QList<int> itemValues() const;
    QString currentText() const;

    // Gives the combo its own selection descriptor (takes ownership), replacing the registered one.
    void setDescriptor(VGXDescriptorComboboxEntry* descriptor);
    // Shorthand: a descriptor of these texts and values (values empty: 0, 1, ...).
    void setDescriptor(const QStringList& texts, const QList<int>& values = QList<int>());

protected:
    void showValue(const VGXDataContainer* value) override;
    void refreshChoices() override;

private:
    void choose(int index);

    QComboBox* m_combo;
    QStringList m_texts;
    QList<int> m_values;
};

} // namespace MvQARN
