#pragma once
// Base of the bound controls (VGXTextParameter, VGXComboParameter, ...): a row of a label and a
// field bound to one database parameter.
//
// - It shows the value as a read returns it (after conversion-out) and follows data events, so a
//   write from anywhere else (a remote command, an update function) shows at once.
// - User input goes to the database as one write request, the same as a remote command makes.
//   A refused write shows the error text (tooltip and accessible description of the field, the
//   dialog's status line, the host's error manager) and the field shows the stored value again.
// - It follows the parameter's availability (VGXParameterAvailability): hidden, read-only.
// - The label names the field for accessibility tools (label buddy, accessible name).
// A control bound to no parameter (empty name) shows nothing and writes nothing.
#include <QString>
#include <memory>

#include "host/db/CDbAllType.h"
#include "host/gui/CViewer.h"
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXUserDbAttributes.h"

class QLabel;
class QHBoxLayout;

namespace MvQARN {

class VGXDataContainer;
class VGXDatabaseConnectorEntry;
class VGXDescriptorEntry;

class VGX_EXPORT VGXParameterControl : public MvGuiFramework::CViewer, public VGXDataListener {
    Q_OBJECT
public:
    ~VGXParameterControl() override;

    const VGXUserDbAttributes& binding() const { return m_binding; }
    // Null when the control is bound to nothing.
    VGXDatabaseConnectorEntry* connector() const { return m_entry; }

    // The label column; null when the control was made without a label text.
    QLabel* labelWidget() const { return m_label; }
    // The editor in the field column.
    QWidget* fieldWidget() const { return m_field; }
    QString labelText() const { return m_labelText; }
    void setLabelText(const QString& text);
    // Fixes the width of the label column (VGXAdjustTwoColumns); a negative width frees it.
    void setLabelWidth(int pixels);
    // Width the label column would like.
    int labelHintWidth() const;

    // VGXParameterAvailability::EState the control follows now.
    int availability() const { return m_availability; }

    // Error number and text of the last refused user input; 0 and empty after an accepted one.
    int lastError() const { return m_lastError; }
    const QString& lastErrorText() const { return m_lastErrorText; }

    // The descriptor registered for the parameter (VGXDescriptors), or one set for this control.
    const VGXDescriptorEntry* descriptor() const;

    // Reads value, choices and availability again.
    void refresh();

    // Visibility is what the dialog asks for and what availability allows together.
    void setVisible(bool visible) override;
    bool isWantedVisible() const { return m_wantVisible; }

    void processDataEvent(VGXDataEvent* event) override;

signals:
    // User input was refused; the control shows the stored value again.
    void writeRefused(int error, const QString& text);
    // A data event brought a new value (after the control showed it).
    void valueChanged();

protected:
    VGXParameterControl(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding);

    // Puts the editor, and optionally a widget after it (a unit), into the field column; the label
    // becomes the editor's buddy. Call once from the constructor, then refresh().
    void setField(QWidget* editor, QWidget* trailing = nullptr, int editorStretch = 1);
    QHBoxLayout* rowLayout() const { return m_row; }

    // Shows a value; null when the parameter has none.
    virtual void showValue(const VGXDataContainer* value) = 0;
    // Rebuilds what depends on the parameter's current limits or choices (combo entries).
    virtual void refreshChoices();
    // Puts the editor into its read-only state or back; the default disables the field.
    virtual void applyReadOnly(bool readOnly);

    // Writes user input as one request; answers 0 or the error. Either way the control then shows
    // the stored value.
    int writeValue(const CDbAllType& value, int msgType = DbMsgSet);
    // The current value (owned by the connector, valid until the next read); null when none.
    const VGXDataContainer* currentValue() const;
    // Type code (EDbType) of the parameter's record; 0 when unknown.
    int valueType() const;
    // Replaces the descriptor this control uses (takes ownership); null goes back to the registry's.
    void setOwnDescriptor(VGXDescriptorEntry* descriptor);

    void readOnlyChanged(bool readOnly) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateAvailability();
    void applyVisibility();
    void showRefusal(int error, const QString& text);
    void clearRefusal();

    VGXUserDbAttributes m_binding;
    VGXDatabaseConnectorEntry* m_entry = nullptr;
    QString m_labelText;
    QLabel* m_label = nullptr;
    QWidget* m_field = nullptr;
    QHBoxLayout* m_row = nullptr;
    std::unique_ptr<VGXDescriptorEntry> m_ownDescriptor;
    int m_availability = 0;
    bool m_wantVisible = true;
    bool m_hiddenByAvailability = false;
    int m_lastError = 0;
    QString m_lastErrorText;
    QMetaObject::Connection m_marks;
};

} // namespace MvQARN
