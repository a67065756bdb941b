#include "host/db/CDbMsg.h"

namespace MvQARN {

CDbMsg::CDbMsg(int sender, int receiver, const char* name, const CDbAllType& value, int msgType,
               unsigned flags, int unit, int t0, int t1, int t2, int t3, int reserved, int listLen,
               int priority)
    : CDbMsg(sender, receiver, QByteArray(name), value, msgType, flags, unit, t0, t1, t2, t3, reserved,
             listLen, priority) {}

CDbMsg::CDbMsg(int sender, int receiver, const QByteArray& name, const CDbAllType& value, int msgType,
               unsigned flags, int unit, int t0, int t1, int t2, int t3, int reserved, int listLen,
               int priority)
    : m_sender(sender), m_receiver(receiver), m_name(name), m_value(value), m_msgType(msgType),
      m_flags(flags), m_unit(unit), m_tupel{t0, t1, t2, t3}, m_reserved(reserved), m_listLen(listLen),
      m_priority(priority) {}

CDbMsg::CDbMsg(int sender, int receiver, const char* name, int value, int msgType, unsigned flags, int unit,
               int t0, int t1, int t2, int t3, int reserved, int listLen, int priority)
    : CDbMsg(sender, receiver, name, CDbAllType::fromInt(value), msgType, flags, unit, t0, t1, t2, t3,
             reserved, listLen, priority) {}

CDbMsg::CDbMsg(int sender, int receiver, const char* name, double value, int msgType, unsigned flags,
               int unit, int t0, int t1, int t2, int t3, int reserved, int listLen, int priority)
    : CDbMsg(sender, receiver, name, CDbAllType::fromDouble(value), msgType, flags, unit, t0, t1, t2, t3,
             reserved, listLen, priority) {}

CDbMsg::CDbMsg(int sender, int receiver, const char* name, const QString& value, int msgType, unsigned flags,
               int unit, int t0, int t1, int t2, int t3, int reserved, int listLen, int priority)
    : CDbMsg(sender, receiver, name, CDbAllType::fromString(value), msgType, flags, unit, t0, t1, t2, t3,
             reserved, listLen, priority) {}

CDbMsg::CDbMsg(const CDbMsg& o) = default;
CDbMsg& CDbMsg::operator=(const CDbMsg& o) = default;
CDbMsg::~CDbMsg() = default;

void CDbMsg::giveAuxData(int kind, CDbDataType* takeOwnership) {
    if (takeOwnership)
        m_aux.insert(kind, CDbAllType(takeOwnership));
    else
        m_aux.remove(kind);
}

const CDbDataType* CDbMsg::getAuxData(int kind) const {
    auto it = m_aux.constFind(kind);
    return it == m_aux.constEnd() ? nullptr : it->get();
}

} // namespace MvQARN
