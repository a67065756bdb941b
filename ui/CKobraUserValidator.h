#pragma once
// Guards the box state, the interface state and the logic type against a change that could damage
// the hardware: the user's change of the GUI mirror reaches the real parameter only after an
// "OK" in a warning box, when the change needs one.
//   mode 0 (logic type): asks on every change; on family 0x10000 only while the box is on and of
//                        the User Defined type;
//   mode 1 (box state):  asks when switching on while the box type is User Defined;
//   mode 2 (interface state): asks when switching on.
// The warning of modes 1 and 2 names the current logic type.
#include <QByteArray>
#include <QString>

#include "ui/VGXGuiUserValidator.h"

namespace MvQARN {

class VGX_EXPORT CKobraUserValidator : public VGXGuiUserValidator {
public:
    // guiParameter: the mirror; watchedParameter: the real parameter. arg4 is kept for the host and
    // not used. index1 .. index4 address both parameters: path (t0), side (t1), t2 and t3.
    CKobraUserValidator(const char* guiParameter, const char* watchedParameter, int mode, int arg4,
                        int index1, int index2, int index3, int index4);
    ~CKobraUserValidator() override;

    const QByteArray& guiParameter() const { return m_guiParameter; }
    const QByteArray& watchedParameter() const { return m_watchedParameter; }
    int mode() const { return m_mode; }
    int arg4() const { return m_arg4; }
    int index1() const { return m_index1; }
    int index2() const { return m_index2; }
    int index3() const { return m_index3; }
    int index4() const { return m_index4; }

    // The text of the warning box for the current logic type.
    QString warningText();
    // Display name of a logic type value under an instrument family; empty when it has none.
    static QString logicTypeName(int value, int family);

protected:
    bool needsConfirmation(int value) override;
    bool confirm(int value) override;
    void processOtherEvent(VGXDataEvent* event) override;

private:
    QByteArray m_guiParameter;
    QByteArray m_watchedParameter;
    int m_mode;
    int m_arg4;
    int m_index1;
    int m_index2;
    int m_index3;
    int m_index4;
    int m_kobraState = 0;
    int m_kobraType = 0;
    VGXDatabaseConnectorEntry* m_logicType = nullptr;
    VGXDatabaseConnectorEntry* m_stateEntry = nullptr;
    VGXDatabaseConnectorEntry* m_typeEntry = nullptr;
};

} // namespace MvQARN
