// The dialog factory: which dialog a name opens and with which arguments.
#include <QList>
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>

#include "frame/CKobraPlugInDfModule.h"
#include "frame/KobraDialogRoutes.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/runtime/impl/VGXHostRuntime.h"

using namespace MvQARN;
using Kobra::SDialogRequest;

namespace {

constexpr int kSplitFamily = 0x10000;
constexpr int kOtherFamily = 0x20000;

SDialogRequest resolve(const char* name, int instance, int direction, int channel, int family,
                       const char* qualifier = "q") {
    SDialogRequest r;
    Kobra::resolveDialogRequest(QString::fromLatin1(name), QString::fromLatin1(qualifier), instance,
                                direction, channel, family, r);
    return r;
}

// Most rows take their name exactly and their arguments as given; the recorder and instrument rows
// take any name that contains theirs, the first in row order winning. The recorder's arguments
// follow the host family.
TEST(DialogRoutesTest, NamesSelectTheirRowsAndTheRecorderFollowsTheFamily) {
    const struct {
        const char* name;
        Kobra::EDialogRow row;
    } rows[] = {
        {"CKobraDlgMain", Kobra::DlgRowMain},
        {"CBasebandLynxMainInOutDialog", Kobra::DlgRowMainInOut},
        {"CKobraDlgMainX", Kobra::DlgRowNone},
        {"xxCKobraDlgTranRecyy", Kobra::DlgRowTranRec},
        {"MyCKobraDlgInstrument", Kobra::DlgRowInstrument},
        {"CKobraDlgInstrumentCKobraDlgTranRec", Kobra::DlgRowTranRec},
    };
    for (const auto& row : rows) {
        const SDialogRequest r = resolve(row.name, 1, 1, 3, kSplitFamily);
        EXPECT_EQ(r.row, row.row) << row.name;
        if (row.row != Kobra::DlgRowNone && row.row != Kobra::DlgRowTranRec) {
            EXPECT_EQ(QList<int>({r.instance, r.direction, r.channel}), QList<int>({1, 1, 3})) << row.name;
            EXPECT_EQ(r.qualifier, QStringLiteral("q"));
        }
    }
    for (int family : {kSplitFamily, kOtherFamily}) {
        const SDialogRequest r = resolve("CKobraDlgTranRecChannel1", 3, 0, 0, family, "rec");
        EXPECT_EQ(r.qualifier, QStringLiteral("rec"));
        EXPECT_EQ(QList<int>({r.instance, r.direction, r.channel}),
                  family == kSplitFamily ? QList<int>({1, 1, 1}) : QList<int>({3, 0, 1}));
    }
}

// Creators installed for the duration of a test; they record what they were asked for.
class DialogFactoryTest : public ::testing::Test {
protected:
    // The plug-in's own creators come back afterwards for the tests that open real dialogs.
    void SetUp() override {
        std::copy(std::begin(Kobra::g_dialogCreators), std::end(Kobra::g_dialogCreators), m_saved);
        for (auto& c : Kobra::g_dialogCreators)
            c = nullptr;
        s_requests.clear();
    }
    void TearDown() override {
        std::copy(std::begin(m_saved), std::end(m_saved), Kobra::g_dialogCreators);
        s_requests.clear();
    }
    static VGXDialog* record(const SDialogRequest& r) {
        s_requests.append(r);
        return new VGXDialog(QStringLiteral("made"));
    }
    static QList<SDialogRequest> s_requests;
    Kobra::DialogCreator m_saved[Kobra::DlgRowCount] = {};
};

QList<SDialogRequest> DialogFactoryTest::s_requests;

// The factory resolves under the host's family and hands the request, with the attributes, to the
// row's creator.
TEST_F(DialogFactoryTest, CreatesThroughTheRowsCreatorUnderTheHostFamily) {
    Kobra::g_dialogCreators[Kobra::DlgRowTranRec] = &DialogFactoryTest::record;
    VGXHostRuntime::Options options;
    options.family = kOtherFamily;
    VGXHostRuntime runtime(options);
    VGXUserDialogAttributes recorder(QStringLiteral("CKobraDlgTranRecChannel1"), QStringLiteral("rec"), 3, 0,
                                     0, 9);
    std::unique_ptr<VGXDialog> dlg(CKobraPlugInDfModule().createDialog(&recorder));
    ASSERT_NE(dlg, nullptr);
    ASSERT_EQ(s_requests.size(), 1);
    const SDialogRequest& r = s_requests[0];
    EXPECT_EQ(r.row, Kobra::DlgRowTranRec);
    EXPECT_EQ(QList<int>({r.instance, r.direction, r.channel}), QList<int>({3, 0, 1}));
    EXPECT_EQ(r.attributes, &recorder);
}

TEST_F(DialogFactoryTest, RefusesOtherAttributesUnknownNamesAndMissingDialogClasses) {
    for (auto& c : Kobra::g_dialogCreators)
        c = &DialogFactoryTest::record;
    CKobraPlugInDfModule factory;

    Kobra::g_dialogCreators[Kobra::DlgRowSpi] = nullptr;
    const VGXDialogAttributes plain(QStringLiteral("CKobraDlgMain"), QString());
    const VGXUserDialogAttributes unknown(QStringLiteral("CKobraDlgNothing"), QString()),
        spi(QStringLiteral("CBasebandLynxSpiDialog"), QString());
    const VGXDialogAttributes* refused[] = {&plain, &unknown, &spi, nullptr};
    for (const VGXDialogAttributes* a : refused)
        EXPECT_EQ(factory.createDialog(a), nullptr);
    EXPECT_TRUE(s_requests.isEmpty());
}

} // namespace
