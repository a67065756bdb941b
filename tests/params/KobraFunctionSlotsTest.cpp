// Binding function objects into the catalogue's records by name: a binding reaches every record of
// the name, only reserved and empty slots take one, and every check and conversion slot holds one.
#include <gtest/gtest.h>

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

// Empties the update slot of a parameter for a test and restores what it held before.
class EmptiedUpdateSlot {
public:
    explicit EmptiedUpdateSlot(const char* name) : m_name(name), m_before(Kobra::catalogueRecord(name)->upd) {
        Kobra::bindFunction(m_name, static_cast<CDbUpdFunc*>(nullptr));
    }
    ~EmptiedUpdateSlot() {
        Kobra::bindFunction(m_name, static_cast<CDbUpdFunc*>(nullptr));
        if (m_before)
            Kobra::bindFunction(m_name, m_before);
    }

private:
    const char* m_name;
    CDbUpdFunc* m_before;
};

TEST(KobraFunctionSlots, ABindingReachesEveryRecordOfTheNameAndNeverReplacesAnotherObject) {
    const char* name = "IdPDbLynxDirection";
    EmptiedUpdateSlot emptied(name);
    ASSERT_EQ(Kobra::boundSlots(name) & Kobra::FnUpd, 0u);
    const QPair<QByteArray, unsigned> item(name, Kobra::FnUpd);
    EXPECT_TRUE(Kobra::unboundSlots().contains(item));

    TestUpdate upd;
    EXPECT_EQ(Kobra::bindFunction(name, &upd), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Kobra::catalogueRecord(name, i)->upd, &upd) << "record " << i;
    EXPECT_EQ(Kobra::boundSlots(name) & Kobra::FnUpd, unsigned(Kobra::FnUpd));
    EXPECT_FALSE(Kobra::unboundSlots().contains(item));

    TestUpdate other;
    EXPECT_EQ(Kobra::bindFunction(name, &other), 0);
    EXPECT_EQ(Kobra::catalogueRecord(name, 2)->upd, &upd);
    EXPECT_EQ(Kobra::bindFunction(name, &upd), 3) << "the same object again is harmless";
}

TEST(KobraFunctionSlots, EveryCheckAndConversionSlotHoldsAnObject) {
    EXPECT_TRUE(Kobra::checkConvBindingRefusals().isEmpty());
    for (const auto& u : Kobra::unboundSlots())
        EXPECT_EQ(u.second & (Kobra::FnChk | Kobra::FnCnvIn | Kobra::FnCnvOut), 0u) << u.first.constData();
}

} // namespace
