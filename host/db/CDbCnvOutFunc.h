#pragma once
// Conversion-out function object: computes what a read answers (through the answer buffer).
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbCnct;

class VGX_EXPORT CDbCnvOutFunc {
public:
    typedef void (CDbCnvOutFunc::*Member)(CDbCnct&);
    explicit CDbCnvOutFunc(Member m, const char* name = nullptr) : m_member(m), m_name(name) {}
    virtual ~CDbCnvOutFunc() = default;
    void convert(CDbCnct& cnct) {
        if (m_member)
            (this->*m_member)(cnct);
    }
    const char* getParmName() const { return m_name; }

protected:
    // The host's name replacement: answers the value of the parameter named at construction, at the
    // same instance.
    void cnvoDbParmIdReplace(CDbCnct& cnct);

private:
    Member m_member;
    const char* m_name;
};

} // namespace MvQARN
