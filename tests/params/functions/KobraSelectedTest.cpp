// The serial number of the box an interface (or the configuration) has selected.
#include <gtest/gtest.h>

#include "FunctionTestSupport.h"
#include "host/db/CDbCnct.h"
#include "params/KobraSelected.h"

using namespace MvQARN;
using namespace fntest;

namespace {

class KobraSelected : public FunctionTest {
protected:
    int selected(const SDbInstTupel& t, bool configured) {
        auto cnct = db().makeContext("IdPDbLynxState", t, CDbAllType(), &m_answer);
        return Kobra::getKobraSelected(*cnct, configured);
    }
};

TEST_F(KobraSelected, AnswersTheSerialNumberBehindTheSelectedEntry) {
    ASSERT_EQ(writeList("IdPDbKobraSerials", QStringList{"None", "100123", "1.23457e+06", "no serial"}), 0);
    EXPECT_EQ(selected(tup(1, 0), false), 0);
    setInt("IdPDbKobraSelected", tup(1, 0), 1);
    setInt("IdPDbKobraSelected", tup(0, 1), 2);
    setInt("IdPDbKobraSelected", tup(1, 1), 3);
    EXPECT_EQ(selected(tup(1, 0), false), 100123);
    EXPECT_EQ(selected(tup(0, 1), false), 1234570); // general format with six digits
    EXPECT_EQ(selected(tup(1, 1), false), 0);       // an entry that is no number
    EXPECT_EQ(selected(tup(0, 0), false), 0);

    EXPECT_EQ(selected(tup(1, 0), true), 0);
    setInt("IdPDbKobraConfigSelected", tup(0, 0), 2);
    EXPECT_EQ(selected(tup(1, 0), true), 1234570);
    EXPECT_EQ(selected(tup(0, 0), true), 1234570);
}

TEST_F(KobraSelected, LooksAtTheFirstTwentyEntriesOnly) {
    QList<int> serials;
    for (int i = 1; i <= 20; ++i)
        serials.append(300000 + i);
    setSerials(serials); // "None" and 20 boxes: 21 entries
    setInt("IdPDbKobraSelected", tup(0, 0), 19);
    EXPECT_EQ(selected(tup(0, 0), false), 300019);
    setInt("IdPDbKobraSelected", tup(0, 0), 20);
    EXPECT_EQ(selected(tup(0, 0), false), 0);
}

TEST_F(KobraSelected, AnUnreadableSelectionIsNoBox) {
    setSerials({100123});
    setInt("IdPDbKobraSelected", tup(0, 0), 1);
    db().reset(); // nothing defined any more
    EXPECT_EQ(selected(tup(0, 0), false), 0);
    EXPECT_EQ(selected(tup(0, 0), true), 0);
}

} // namespace
