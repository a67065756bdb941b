#pragma once
// Shared pieces of the frame tests: the few box parameters the module requests work on, defined for
// the tests alone (some update functions only record their calls), a fake framework recording the
// commands it is sent, and settings stores in a temporary folder.
#include <QByteArray>
#include <QList>
#include <QStringList>

#include "host/db/CDbAllType.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbMsg.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/DbDefs.h"
#include "host/db/impl/CDbEngine.h"
#include "support/FakeCommands.h"
#include "support/HermeticSettings.h"
#include "support/QtGTestPrinters.h"
#include "support/TestDbDefinitions.h"

namespace frametest {

using namespace MvQARN;
using RecordingCommandIfc = testsupport::RecordingCommands;
using testsupport::FakeOlManager;

// An update function that records each call: the message flags and list length.
class RecordingUpdate : public CDbUpdFunc {
public:
    struct Call {
        unsigned flags = 0;
        int listLen = -1;
    };
    RecordingUpdate() : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(&RecordingUpdate::onUpdate)) {}
    int onUpdate(CDbCnct& cnct, const CDbAllType&) {
        const CDbMsg* m = cnct.getCurrentMsg();
        calls.append({cnct.getMsgFlags(), m ? m->getListLen() : -1});
        return 0;
    }
    QList<Call> calls;
};

// Module number the test records are registered under.
inline constexpr int kTestModule = 2028;

inline RecordingUpdate& serialsUpdate() {
    static RecordingUpdate u;
    return u;
}
inline RecordingUpdate& configUpdate() {
    static RecordingUpdate u;
    return u;
}

inline void clearRecordedUpdates() {
    serialsUpdate().calls.clear();
    configUpdate().calls.clear();
}

inline void registerFrameTestRecords() {
    static dbtest::Defs* const defs = [] {
        auto* d = new dbtest::Defs;
        const dbtest::Inst x2{2, 2}, links{2, 2, 1, 2};
        d->select("IdPDbKobraSelected", 0, 20, 0, x2);
        d->select("IdPDbKobraConfigSelected", 0, 20, 0).c.upd = &configUpdate();
        d->select("IdPDbKobraState", 0, 1, 0, x2);
        d->select("IdPDbKobraType", 0, 4, 0, x2);
        d->select("IdPDbKobraMode", 0, 2, 1, x2);
        d->select("IdPDbKobraVariant", 0, 1, 1, x2);
        d->select("IdPDbProtLevState", 0, 2, 1, {1, 1, 1, 4});
        for (const char* name : {"IdPDbKobraInstrType", "IdPDbKobraInstrSerialNumber", "IdPDbKobraInstrPort"})
            d->string(name, "-", 256, links);
        d->string("IdPDbKobraInstrumentName", "not connected", 256, links);
        // One list for every interface, as the catalogue keeps it.
        SDbDefCommon& serials = d->list("IdPDbKobraSerials", x2).c;
        serials.upd = &serialsUpdate();
        serials.countB[0] = serials.countB[1] = 1;
        serials.idx = &idxL2PDbAllX21;
        return d;
    }();
    CDbEngine::instance().reset();
    defs->registerAll(kTestModule);
    clearRecordedUpdates();
}

inline int writeInt(const char* name, int t0, int t1, int value, int t3 = 0) {
    return CDbEngine::instance().write(name, SDbInstTupel{t0, t1, 0, t3}, CDbAllType::fromInt(value));
}

inline int writeList(const char* name, const QStringList& value) {
    return CDbEngine::instance().write(name, SDbInstTupel{}, CDbAllType(new CDbDataTypeNString(value)));
}

inline int readInt(const char* name, int t0, int t1, int t3 = 0) {
    CDbAllType v;
    int out = -12345;
    if (CDbEngine::instance().read(name, SDbInstTupel{t0, t1, 0, t3}, v) == 0)
        v.toInt(out);
    return out;
}

inline QString readText(const char* name, int t0, int t1, int t3 = 0) {
    CDbAllType v;
    if (CDbEngine::instance().read(name, SDbInstTupel{t0, t1, 0, t3}, v) != 0)
        return QStringLiteral("<read failed>");
    return v.toText();
}

inline QStringList readList(const char* name) {
    CDbAllType v;
    if (CDbEngine::instance().read(name, SDbInstTupel{}, v) != 0 || v.getType() != DbTypeNString)
        return {QStringLiteral("<read failed>")};
    return static_cast<const CDbDataTypeNString*>(v.get())->getValList();
}

} // namespace frametest
