#pragma once
// Conversion-in function object: rewrites an incoming write (rename, convert, expand).
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbCnct;

class VGX_EXPORT CDbCnvInFunc {
public:
    typedef int (CDbCnvInFunc::*Member)(CDbCnct&);
    explicit CDbCnvInFunc(Member m, const char* name = nullptr) : m_member(m), m_name(name) {}
    virtual ~CDbCnvInFunc() = default;
    int convert(CDbCnct& cnct) { return m_member ? (this->*m_member)(cnct) : 0; }
    const char* getParmName() const { return m_name; }

protected:
    // The host's conversion for test-result parameters: a write of the result parameter (names[0])
    // with message type 6 runs the test event (names[1]) instead. names[2], names[3] are further
    // result and event names or "IdPDbNone".
    int cnviDbCalTestErrBase(CDbCnct& cnct, const char* const names[4]);

private:
    Member m_member;
    const char* m_name;
};

} // namespace MvQARN
