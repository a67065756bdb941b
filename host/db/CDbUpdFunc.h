#pragma once
// Update function object: runs after a new value has been stored.
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbCnct;
class CDbAllType;

class VGX_EXPORT CDbUpdFunc {
public:
    typedef int (CDbUpdFunc::*MemberVal)(CDbCnct&, const CDbAllType& previous);
    typedef int (CDbUpdFunc::*MemberCtx)(CDbCnct&);
    explicit CDbUpdFunc(MemberVal withValue, MemberCtx contextOnly = nullptr)
        : m_withValue(withValue), m_contextOnly(contextOnly) {}
    virtual ~CDbUpdFunc() = default;
    int update(CDbCnct& cnct, const CDbAllType& previous);

private:
    MemberVal m_withValue;
    MemberCtx m_contextOnly;
};

} // namespace MvQARN
