#pragma once
// Preset function object: gives the preset value of a parameter instead of its record default.
#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbCnct;
class CDbDataType;

class VGX_EXPORT CDbPresFunc {
public:
    typedef CDbDataType* (CDbPresFunc::*MemberCtx)(CDbCnct&);
    typedef CDbDataType* (CDbPresFunc::*MemberName)(const char* name, const SDbInstTupel& tupel);
    CDbPresFunc(MemberCtx forContext, MemberName forName) : m_ctx(forContext), m_name(forName) {}
    virtual ~CDbPresFunc() = default;
    // A new value owned by the caller, or null for the record default.
    CDbDataType* presetValue(CDbCnct& cnct) { return m_ctx ? (this->*m_ctx)(cnct) : nullptr; }
    CDbDataType* presetValue(const char* name, const SDbInstTupel& t) {
        return m_name ? (this->*m_name)(name, t) : nullptr;
    }

private:
    MemberCtx m_ctx;
    MemberName m_name;
};

} // namespace MvQARN
