#pragma once
// One write of one parameter instance, as queued by plug-in functions, dialogs and remote control.
#include <QByteArray>
#include <QMap>
#include <memory>

#include "host/db/CDbAllType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbMsg {
public:
    CDbMsg() = default;
    CDbMsg(int sender, int receiver, const char* name, const CDbAllType& value, int msgType, unsigned flags,
           int unit, int t0, int t1, int t2, int t3, int reserved = 0, int listLen = -1, int priority = 127);
    // The same, with the record's own name shared instead of copied.
    CDbMsg(int sender, int receiver, const QByteArray& name, const CDbAllType& value, int msgType,
           unsigned flags, int unit, int t0, int t1, int t2, int t3, int reserved = 0, int listLen = -1,
           int priority = 127);
    CDbMsg(int sender, int receiver, const char* name, int value, int msgType, unsigned flags, int unit,
           int t0, int t1, int t2, int t3, int reserved = 0, int listLen = -1, int priority = 127);
    CDbMsg(int sender, int receiver, const char* name, double value, int msgType, unsigned flags, int unit,
           int t0, int t1, int t2, int t3, int reserved = 0, int listLen = -1, int priority = 127);
    CDbMsg(int sender, int receiver, const char* name, const QString& value, int msgType, unsigned flags,
           int unit, int t0, int t1, int t2, int t3, int reserved = 0, int listLen = -1, int priority = 127);
    CDbMsg(const CDbMsg& o);
    CDbMsg& operator=(const CDbMsg& o);
    virtual ~CDbMsg();

    const QByteArray& getName() const { return m_name; }
    void setName(const char* name) { m_name = name; }
    const CDbAllType& getValue() const { return m_value; }
    CDbAllType& value() { return m_value; }
    void setValue(const CDbAllType& v) { m_value = v; }
    int getSender() const { return m_sender; }
    int getReceiver() const { return m_receiver; }
    int getMsgType() const { return m_msgType; }
    void setMsgType(int t) { m_msgType = t; }
    unsigned getFlags() const { return m_flags; }
    void setFlags(unsigned f) { m_flags = f; }
    int getUnit() const { return m_unit; }
    void setUnit(int u) { m_unit = u; }
    const SDbInstTupel& getTupel() const { return m_tupel; }
    void setTupel(const SDbInstTupel& t) { m_tupel = t; }
    int getListLen() const { return m_listLen; }
    int getPriority() const { return m_priority; }

    // Auxiliary data travel with the message to host services (file names, tag names).
    void giveAuxData(int kind, CDbDataType* takeOwnership);
    const CDbDataType* getAuxData(int kind) const;

private:
    int m_sender = 0;
    int m_receiver = 0;
    QByteArray m_name;
    CDbAllType m_value;
    int m_msgType = DbMsgSet;
    unsigned m_flags = 0;
    int m_unit = 0;
    SDbInstTupel m_tupel;
    [[maybe_unused]] int m_reserved = 0; // the constructor's reserved argument, read by no one yet
    int m_listLen = -1;
    int m_priority = 127;
    QMap<int, CDbAllType> m_aux;
};

// The messages of one request. The head is the message the request was made for; conversion
// functions may rename it and insert further messages behind it. Owns its messages.
class VGX_EXPORT CDbMsgList {
public:
    CDbMsgList() = default;
    CDbMsgList(const CDbMsgList&) = delete;
    CDbMsgList& operator=(const CDbMsgList&) = delete;
    CDbMsgList(CDbMsgList&&) = default;
    CDbMsgList& operator=(CDbMsgList&&) = default;

    int count() const { return int(m_msgs.size()); }
    bool isEmpty() const { return m_msgs.empty(); }
    CDbMsg* head() const { return m_msgs.empty() ? nullptr : m_msgs.front().get(); }
    CDbMsg* at(int i) const { return m_msgs.at(size_t(i)).get(); }
    void append(CDbMsg* takeOwnership) { m_msgs.emplace_back(takeOwnership); }
    void insert(int pos, CDbMsg* takeOwnership) {
        m_msgs.insert(m_msgs.begin() + pos, std::unique_ptr<CDbMsg>(takeOwnership));
    }
    CDbMsg* takeAt(int i) {
        CDbMsg* m = m_msgs.at(size_t(i)).release();
        m_msgs.erase(m_msgs.begin() + i);
        return m;
    }
    void clear() { m_msgs.clear(); }

private:
    std::vector<std::unique_ptr<CDbMsg>> m_msgs;
};

} // namespace MvQARN
