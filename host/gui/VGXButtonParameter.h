#pragma once
// A push button that runs an action parameter: pressing it executes an event parameter, or writes
// ON to an OFF/ON parameter. An event goes to the database as an execute request, like the remote
// command that runs it.
#include "host/gui/VGXParameterControl.h"

class QPushButton;

namespace MvQARN {

class VGX_EXPORT VGXButtonParameter : public VGXParameterControl {
    Q_OBJECT
public:
    // text is on the button; rowLabel, when given, stands in the label column.
    VGXButtonParameter(QWidget* parent, const QString& text, const VGXUserDbAttributes& binding,
                       const QString& rowLabel = QString());
    ~VGXButtonParameter() override;

    QPushButton* button() const { return m_button; }
    // Runs the action as a press does; answers 0 or the error.
    int press();

signals:
    // After every press, with the write's result.
    void pressed(int error);

protected:
    void showValue(const VGXDataContainer* value) override;

private:
    QPushButton* m_button;
};

} // namespace MvQARN
