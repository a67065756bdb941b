#pragma once
// Guards a GUI mirror parameter: a change of the watched parameter made through the GUI mirror asks
// the user for confirmation first. The validator holds the parameters and the binding indices it
// watches.
#include <QByteArray>

namespace MvQARN {

class CKobraUserValidator {
public:
    // guiParameter: the GUI mirror; watchedParameter: the parameter it guards; mode: the kind of
    // confirmation; the four indices bind both parameters (instance, channel, direction, station
    // follow the host's binding order after the first argument).
    CKobraUserValidator(const char* guiParameter, const char* watchedParameter, int mode, int arg4,
                        int index1, int index2, int index3, int index4);
    virtual ~CKobraUserValidator();

    const QByteArray& guiParameter() const { return m_guiParameter; }
    const QByteArray& watchedParameter() const { return m_watchedParameter; }
    int mode() const { return m_mode; }
    int arg4() const { return m_arg4; }
    int index1() const { return m_index1; }
    int index2() const { return m_index2; }
    int index3() const { return m_index3; }
    int index4() const { return m_index4; }

private:
    QByteArray m_guiParameter;
    QByteArray m_watchedParameter;
    int m_mode;
    int m_arg4;
    int m_index1;
    int m_index2;
    int m_index3;
    int m_index4;
};

} // namespace MvQARN
