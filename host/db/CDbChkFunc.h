#pragma once
// Check function object: decides what may be written. The plug-in derives from it and binds one of
// its own member functions; the member returns 0 to accept or an error number to refuse.
#include <QVector>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbCnct;

class VGX_EXPORT CDbChkFunc {
public:
    typedef int (CDbChkFunc::*Member)(CDbCnct&);
    explicit CDbChkFunc(Member m) : m_member(m) {}
    virtual ~CDbChkFunc() = default;
    int check(CDbCnct& cnct) { return m_member ? (this->*m_member)(cnct) : 0; }

protected:
    // Publishes the selection identifiers still available; they replace the record's choices.
    void giveValMinMaxAvail(CDbCnct& cnct, const QVector<int>& available);

private:
    Member m_member;
};

} // namespace MvQARN
