// The check and conversion objects in the catalogue: every reserved slot holds one, and records that
// share a function share one object.
#include <QSet>
#include <gtest/gtest.h>

#include "host/db/CDbChkFunc.h"
#include "host/db/CDbCnvInFunc.h"
#include "host/db/CDbCnvOutFunc.h"
#include "params/KobraBindingsCheckConv.h"
#include "params/KobraCatalogue.h"
#include "params/KobraFunctionSlots.h"

using namespace MvQARN;

namespace {

TEST(CheckConvBindings, EveryCheckAndConversionSlotHoldsAnObject) {
    EXPECT_TRUE(Kobra::checkConvBindingRefusals().isEmpty());
    for (const auto& u : Kobra::unboundSlots())
        EXPECT_EQ(u.second & (Kobra::FnChk | Kobra::FnCnvIn | Kobra::FnCnvOut), 0u) << u.first.constData();
}

TEST(CheckConvBindings, OneObjectPerDistinctFunction) {
    QSet<const void*> checks, convIns, convOuts;
    for (const Kobra::SCatalogueEntry& e : Kobra::catalogueEntries()) {
        if (e.record->chk)
            checks.insert(e.record->chk);
        if (e.record->cnvIn)
            convIns.insert(e.record->cnvIn);
        if (e.record->cnvOut)
            convOuts.insert(e.record->cnvOut);
    }
    EXPECT_EQ(checks.size(), 14);
    EXPECT_EQ(convIns.size(), 9);
    EXPECT_EQ(convOuts.size(), 21);
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
