#pragma once
// A button that leads somewhere: pressing it raises a user event with its code for the panels
// above it (which open a dialog, start a program), opens a dialog of the host's dialog registry,
// or opens a popup menu (VGXSaveRecallPopup). Bound to a parameter, it shows the parameter's value
// beside it (a file path, a summary of settings) and follows the parameter's availability.
#include <memory>

#include "host/gui/VGXParameterControl.h"

class QLabel;
class QMenu;
class QPushButton;

namespace MvQARN {

class VGXDialogAttributes;

class VGX_EXPORT VGXDialogButton : public VGXParameterControl {
    Q_OBJECT
public:
    VGXDialogButton(QWidget* parent, const QString& text, int userCode = 0);
    VGXDialogButton(QWidget* parent, const QString& text, const VGXUserDbAttributes& binding,
                    int userCode = 0);
    ~VGXDialogButton() override;

    QPushButton* button() const { return m_button; }
    QLabel* valueLabel() const { return m_value; }
    int userCode() const { return m_code; }

    // Pressing opens (or raises) this dialog instead of raising the user event.
    void setDialog(const VGXDialogAttributes& attributes);
    // Pressing opens this menu under the button instead; the button's viewer becomes its owner.
    void setPopup(QMenu* popup);
    QMenu* popup() const { return m_popup; }

    // What a press does.
    void press();

protected:
    void showValue(const VGXDataContainer* value) override;

private:
    void build(const QString& text, bool bound);

    QPushButton* m_button = nullptr;
    QLabel* m_value = nullptr;
    int m_code;
    std::unique_ptr<VGXDialogAttributes> m_dialog;
    QMenu* m_popup = nullptr;
};

} // namespace MvQARN
