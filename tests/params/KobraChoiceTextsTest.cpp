// Display texts of the selections against the expected table, and the exported type/mode tables.
#include <gtest/gtest.h>

#include "ExpectedCatalogue.h"
#include "ExpectedCatalogueParser.h"
#include "params/KobraChoiceTexts.h"
#include "params/KobraTypes.h"

namespace {

using ExpectedCatalogue::Row;

QList<Row> selectionRows() {
    QString error;
    QList<Row> out;
    for (const Row& r : ExpectedCatalogue::parse(ExpectedCatalogue::kTable, error)) {
        if (r.isSelection())
            out.append(r);
    }
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return out;
}

TEST(KobraChoiceTexts, EverySelectionShowsItsTextsInOfferedOrder) {
    int withTexts = 0;
    for (const Row& r : selectionRows()) {
        if (r.name == "IdPDbLynxDirection" && r.ids.size() == 1)
            continue; // the per-side records narrow the same parameter
        SCOPED_TRACE(r.name.constData());
        QList<QPair<int, QString>> expected;
        if (r.type == "onoff") {
            expected = {{0, "OFF"}, {1, "ON"}};
        } else if (r.hasTexts) {
            for (int i = 0; i < r.ids.size(); ++i)
                expected.append({r.ids[i], r.texts[i]});
        }
        EXPECT_EQ(Kobra::choices(r.name.constData()), expected);
        for (const auto& c : expected)
            EXPECT_EQ(Kobra::choiceText(r.name.constData(), c.first), c.second);
        withTexts += r.hasTexts ? 1 : 0;
    }
    EXPECT_EQ(withTexts, 34);
}

TEST(KobraChoiceTexts, IdentifiersNotOfferedHaveNoText) {
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraTranRecDataSource", 6), QString());
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraTranRecDataSource", 7), "Sine Test Signal");
    EXPECT_EQ(Kobra::choiceText("IdPDbLynxSsiSpiClocPhas", 1), QString());
    EXPECT_EQ(Kobra::choiceText("IdPiDbKobraTranRecDataLength", 0), QString());
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraDiagPoint", 19), QString());
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraDiagPointDigRf", 31), "GND");
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraDiagPointDigRf", 32), QString());
    EXPECT_EQ(Kobra::choiceText("IdPDbLynxExtRefSour", 0), QString());
    EXPECT_TRUE(Kobra::choices("IdPDbNoSuchParameter").isEmpty());
    EXPECT_TRUE(Kobra::choices("IdPDbLynxClocRate").isEmpty());
}

TEST(KobraTypes, ExportedTypeAndModeTables) {
    const char* const types[] = {"User Defined", "SSI", "CPRI", "OBSAI", "DigRF"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Kobra::exLynxTypeIds[i], i);
        EXPECT_STREQ(Kobra::exLynxTypeStr[i], types[i]);
        EXPECT_EQ(Kobra::choiceText("IdPDbKobraType", i), types[i]);
    }
    EXPECT_EQ(Kobra::exLynxTypeIds[5], -1);
    EXPECT_EQ(Kobra::exLynxTypeStr[5], nullptr);

    const char* const modes[] = {"Receiver", "Transmitter", "Bidirectional"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Kobra::exLynxModeIds[i], i);
        EXPECT_STREQ(Kobra::exLynxModeStr[i], modes[i]);
        EXPECT_EQ(Kobra::choiceText("IdPDbKobraMode", i), modes[i]);
    }
    EXPECT_EQ(Kobra::exLynxModeIds[3], -1);
    EXPECT_EQ(Kobra::exLynxModeStr[3], nullptr);
}

} // namespace
