#pragma once
// Helpers the update functions of several areas share (CKobraUpdateFunc*.cpp only): writing
// messages into the context's queue, reads in a row, the plug-in's own module requests and the group
// preset of one interface.
#include <QString>

#include "frame/KobraModuleRequests.h"
#include "host/db/CDbAllType.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbMsg.h"
#include "host/util/CUtilXferData.h"
#include "host/util/VGXPlugInDllModuleInterface.h"
#include "host/util/VGXUtility.h"

namespace MvQARN::KobraUpdate {

// Sender and receiver module of the messages the plug-in writes.
inline constexpr int kMsgModule = 4;
inline constexpr int kSideOut = 1;
// Save/recall group of the interface settings.
inline constexpr int kPresetGroup = 36;

inline void queue(CDbCnct& cnct, const char* name, const CDbAllType& v, int t0, int t1, int t2 = 0,
                  int t3 = 0, unsigned flags = 0, int unit = 0) {
    cnct.giveMsg(new CDbMsg(kMsgModule, kMsgModule, name, v, DbMsgSet, flags, unit, t0, t1, t2, t3));
}

inline void queueInt(CDbCnct& cnct, const char* name, int v, int t0, int t1, int t2 = 0, int t3 = 0,
                     unsigned flags = 0) {
    queue(cnct, name, CDbAllType::fromInt(v), t0, t1, t2, t3, flags);
}

inline void queueText(CDbCnct& cnct, const char* name, const QString& v, int t0, int t1, int t2 = 0,
                      int t3 = 0, int unit = 0) {
    queue(cnct, name, CDbAllType::fromString(v), t0, t1, t2, t3, 0, unit);
}

// Runs the queue; an earlier error of the update wins over the queue's.
inline int finish(CDbCnct& cnct, int rc) {
    const int queued = cnct.updData(true);
    return rc != DbOk ? rc : queued;
}

// Reads in a row about one instance (t0, t1, t2, t3); after the first error the rest are skipped
// and status() keeps that error.
class Reads {
public:
    Reads(CDbDataBaseIfc& db, int t0, int t1, int t2 = 0, int t3 = 0)
        : m_db(db), m_t0(t0), m_t1(t1), m_t2(t2), m_t3(t3) {}
    Reads& select(const char* name, int& value) {
        if (m_status == DbOk)
            m_status = m_db.getSelect(name, value, m_t0, m_t3, m_t2, m_t1);
        return *this;
    }
    Reads& number(const char* name, double& value) {
        if (m_status == DbOk)
            m_status = m_db.getNumber(name, value, m_t0, m_t3, m_t2, m_t1);
        return *this;
    }
    int status() const { return m_status; }

private:
    CDbDataBaseIfc& m_db;
    int m_t0, m_t1, m_t2, m_t3;
    int m_status = DbOk;
};

inline int valueInt(const CDbAllType& v) {
    int out = 0;
    v.toInt(out);
    return out;
}

// Module request to the plug-in's own loadable module.
inline int requestModule(CDbCnct& cnct, int code, int arg1, double real) {
    VGXPlugInDllModuleInterface* module = VGXUtility::getLoadableInterface(Kobra::KobraModuleId);
    if (!module)
        return DbOk;
    CUtilXferData data(cnct.getName(), &cnct, arg1, 0, real);
    module->xferCommand(code, data);
    return data.result;
}

// Group preset of the interface (path t0, side t1), as a recall runs it before applying a file.
inline int presetInterface(CDbCnct& cnct, unsigned mask) {
    return cnct.presetGrp(true, kPresetGroup, mask, 1, false, nullptr, cnct.getTupel(), cnct.t0(), -1, -1,
                          cnct.t1());
}

} // namespace MvQARN::KobraUpdate
