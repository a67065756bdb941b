// Binding function objects into the catalogue's records by name, and the plug-in's own check and
// conversion objects: every reserved slot holds one, and records that share a function share one object.
#include <gtest/gtest.h>

#include "host/db/CDbChkFunc.h"
#include "host/db/CDbCnvInFunc.h"
#include "host/db/CDbCnvOutFunc.h"
#include "host/db/CDbUpdFunc.h"
#include "params/KobraBindingsCheckConv.h"
#include "params/KobraCatalogue.h"
#include "params/KobraFunctionSlots.h"

using namespace MvQARN;

namespace {

class TestUpdate : public CDbUpdFunc {
public:
    TestUpdate() : CDbUpdFunc(nullptr) {}
};

class TestCheck : public CDbChkFunc {
public:
    TestCheck() : CDbChkFunc(nullptr) {}
};

// Restores the slot of a parameter to what it held before a test touched it.
class UpdateSlotGuard {
public:
    explicit UpdateSlotGuard(const char* name) : m_name(name), m_before(Kobra::catalogueRecord(name)->upd) {}
    ~UpdateSlotGuard() {
        Kobra::bindFunction(m_name, static_cast<CDbUpdFunc*>(nullptr));
        if (m_before)
            Kobra::bindFunction(m_name, m_before);
    }

private:
    const char* m_name;
    CDbUpdFunc* m_before;
};

TEST(KobraFunctionSlots, BindingReachesEveryRecordOfTheName) {
    const char* name = "IdPDbLynxDirection";
    UpdateSlotGuard guard(name);
    Kobra::bindFunction(name, static_cast<CDbUpdFunc*>(nullptr));
    ASSERT_EQ(Kobra::boundSlots(name) & Kobra::FnUpd, 0u);

    TestUpdate upd;
    EXPECT_EQ(Kobra::bindFunction(name, &upd), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Kobra::catalogueRecord(name, i)->upd, &upd) << "record " << i;
    EXPECT_EQ(Kobra::boundSlots(name) & Kobra::FnUpd, unsigned(Kobra::FnUpd));

    // A second, different object is refused and the first stays.
    TestUpdate other;
    EXPECT_EQ(Kobra::bindFunction(name, &other), 0);
    EXPECT_EQ(Kobra::catalogueRecord(name, 2)->upd, &upd);
    // Binding the same object again is harmless.
    EXPECT_EQ(Kobra::bindFunction(name, &upd), 3);
}

TEST(KobraFunctionSlots, RefusesUnknownNamesAndSlotsTheRowDoesNotTake) {
    TestCheck chk;
    TestUpdate upd;
    EXPECT_EQ(Kobra::bindFunction("IdPDbNoSuchParameter", &chk), 0);
    EXPECT_EQ(Kobra::bindFunction(nullptr, &chk), 0);
    // IdPDbLynxIleavMode is a plain stored value; IdPDbLynxClocRate takes a check but no update.
    EXPECT_EQ(Kobra::bindFunction("IdPDbLynxIleavMode", &chk), 0);
    EXPECT_EQ(Kobra::bindFunction("IdPDbLynxClocRate", &upd), 0);
    EXPECT_EQ(Kobra::catalogueRecord("IdPDbLynxIleavMode")->chk, nullptr);
    EXPECT_EQ(Kobra::catalogueRecord("IdPDbLynxClocRate")->upd, nullptr);
}

TEST(KobraFunctionSlots, StaticBindingListsRefusedNames) {
    const char* name = "IdPDbKobraFpgaLoaded";
    UpdateSlotGuard guard(name);
    Kobra::bindFunction(name, static_cast<CDbUpdFunc*>(nullptr));
    TestUpdate upd;
    const Kobra::CFunctionBinding binding(&upd, {name, "IdPDbLynxIleavMode", "IdPDbMisspelt"});
    EXPECT_EQ(binding.refused(), QList<QByteArray>({"IdPDbLynxIleavMode", "IdPDbMisspelt"}));
    EXPECT_EQ(Kobra::catalogueRecord(name)->upd, &upd);
}

TEST(KobraFunctionSlots, UnboundSlotsNameEachMissingObject) {
    const char* name = "IdPDbKobraFpgaLoaded";
    UpdateSlotGuard guard(name);
    Kobra::bindFunction(name, static_cast<CDbUpdFunc*>(nullptr));
    const QPair<QByteArray, unsigned> item(name, Kobra::FnUpd);
    EXPECT_TRUE(Kobra::unboundSlots().contains(item));
    TestUpdate upd;
    ASSERT_EQ(Kobra::bindFunction(name, &upd), 1);
    EXPECT_FALSE(Kobra::unboundSlots().contains(item));
    // Nothing is listed that the catalogue does not reserve.
    for (const auto& u : Kobra::unboundSlots())
        EXPECT_TRUE(Kobra::reservedSlots(u.first.constData()) & u.second) << u.first.constData();
}

TEST(CheckConvBindings, EveryCheckAndConversionSlotHoldsAnObject) {
    EXPECT_TRUE(Kobra::checkConvBindingRefusals().isEmpty());
    for (const auto& u : Kobra::unboundSlots())
        EXPECT_EQ(u.second & (Kobra::FnChk | Kobra::FnCnvIn | Kobra::FnCnvOut), 0u) << u.first.constData();
}

TEST(CheckConvBindings, RecordsOfOneFunctionShareItsObject) {
    auto chk = [](const char* n) { return Kobra::catalogueRecord(n)->chk; };
    auto in = [](const char* n) { return Kobra::catalogueRecord(n)->cnvIn; };
    auto out = [](const char* n) { return Kobra::catalogueRecord(n)->cnvOut; };
    EXPECT_EQ(in("IdPiDbKobraSelected"), in("IdPiDbKobraConfigSelected"));
    EXPECT_EQ(out("IdPiDbKobraSelected"), out("IdPiDbKobraConfigSelected"));
    EXPECT_EQ(in("IdPDbLynxFirmUpdError"), in("IdPDbLynxUsbDevFirmUpdError"));
    for (const char* n :
         {"IdPDbLynxTestRxBer", "IdPDbLynxTestRxIqWords", "IdPDbLynxTriggerState", "IdPDbLynxTriggerStatus"})
        EXPECT_EQ(out(n), out("IdPDbLynxExtRefFreqVal")) << n;
    for (const char* n : {"IdPDbKobraDiagPoint", "IdPDbKobraServiceLvdsBer", "IdPDbKobraServiceCpriTestExec",
                          "IdPDbKobraServiceBobEepromSnWrite"})
        EXPECT_EQ(chk(n), chk("IdPDbKobraDiagState")) << n;
    // Distinct functions never share an object.
    EXPECT_NE(chk("IdPDbLynxState"), chk("IdPDbKobraState"));
    EXPECT_NE(out("IdPDbLynxTestArbFile"), out("IdPDbLynxTestArbSamples"));
    EXPECT_NE(out("IdPDbKobraServiceDigRfTestError"), out("IdPDbKobraServiceDigRfTestError2"));
}

} // namespace
