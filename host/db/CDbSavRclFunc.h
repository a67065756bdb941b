#pragma once
// Save/recall function object: may replace the value that is saved to, or recalled from, a file.
// Both members see the value in the context (CDbCnct::getValue) and may set another one.
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbCnct;

class VGX_EXPORT CDbSavRclFunc {
public:
    typedef int (CDbSavRclFunc::*Member)(CDbCnct&);
    CDbSavRclFunc(Member save, Member recall) : m_save(save), m_recall(recall) {}
    virtual ~CDbSavRclFunc() = default;
    int save(CDbCnct& cnct) { return m_save ? (this->*m_save)(cnct) : 0; }
    int recall(CDbCnct& cnct) { return m_recall ? (this->*m_recall)(cnct) : 0; }

private:
    Member m_save;
    Member m_recall;
};

} // namespace MvQARN
