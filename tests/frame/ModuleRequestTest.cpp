// Module requests of the KOBRA module (xferCommand): other modules' switch requests, instrument
// links, the list of connected boxes, boxes that are gone, recall and protection-level notices.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "FrameTestRecords.h"
#include "frame/CKobraPlugInDllModuleImplementation.h"
#include "frame/KobraPluginGlobals.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "host/olfw/impl/HostParameters.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/CUtilXferData.h"
#include "host/util/impl/VGXHostAnchor.h"
#include "orglayer/CKobraOrgLayer.h"

using namespace MvQARN;
using namespace frametest;

namespace {

constexpr int kUntouched = -777;

const QStringList kTwoBoxes{QStringLiteral("None"), QStringLiteral("100123"), QStringLiteral("100456")};

class ModuleRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerFrameTestRecords();
        VGXHostAnchor::instance().setOlManager(&m_manager);
        m_module = std::make_unique<CKobraPlugInDllModuleImplementation>(-1);
    }
    void TearDown() override {
        m_module.reset();
        VGXHostAnchor::instance().setOlManager(nullptr);
        CDbEngine::instance().reset();
    }

    // Runs one request on a context for the named parameter; answers the data block's result.
    int request(int code, const char* name, SDbInstTupel t, int arg1 = 0, int arg2 = 0, double real = 0.0,
                const CDbAllType& value = CDbAllType()) {
        m_cnct = CDbEngine::instance().makeContext(name, t, value, &m_answer);
        CUtilXferData data(name, m_cnct.get(), arg1, arg2, real);
        data.result = kUntouched;
        EXPECT_EQ(m_module->xferCommand(code, data), 0);
        return data.result;
    }

    RecordingCommandIfc m_command;
    FakeOlManager m_manager{&m_command};
    CDbAnswerBuffer m_answer;
    std::unique_ptr<CDbCnct> m_cnct;
    std::unique_ptr<CKobraPlugInDllModuleImplementation> m_module;
};

TEST_F(ModuleRequestTest, SerialListMovesOrAddsTheSerialForFlagOneAndRemovesItForOtherFlags) {
    const struct {
        const char* before;
        int flag;
        double serial;
        const char* after;
    } cases[] = {
        {"None,100123,100456", 1, 100123.0, "None,100456,100123"},
        {"None,100123,100456", 0, 100123.0, "None,100456"},
        {"None,100456", 2, 100456.0, "None"},
        {"None,100123,100456", 0, 555.0, "None,100123,100456"}, // unknown: written back unchanged
        // Serials are whole numbers however many digits they have: close ones stay apart.
        {"None,1234567,1234571,100123", 0, 1234571.0, "None,1234567,100123"},
        {"None,123456789,100123", 1, 123456789.0, "None,100123,123456789"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " flag " + std::to_string(c.flag) + " " +
                     std::to_string(c.serial));
        ASSERT_EQ(writeList("IdPDbKobraSerials", QString::fromLatin1(c.before).split(QLatin1Char(','))), 0);
        clearRecordedUpdates();
        EXPECT_EQ(request(330004, "IdPDbLynxUsbDevState", {}, c.flag, 0, c.serial), 0);
        EXPECT_EQ(readList("IdPDbKobraSerials").join(QLatin1Char(',')), QString::fromLatin1(c.after));
        // One message, marked for the GUI, with the length of the new list.
        ASSERT_EQ(serialsUpdate().calls.size(), 1);
        EXPECT_EQ(serialsUpdate().calls[0].flags & DbFlagForGui, DbFlagForGui);
        EXPECT_EQ(serialsUpdate().calls[0].listLen, QString::fromLatin1(c.after).count(QLatin1Char(',')) + 1);
    }
}

TEST_F(ModuleRequestTest, BoxGoneSwitchesOffTheFirstSideOfEachPathThatUsesItAndRereadsTheConfiguration) {
    ASSERT_EQ(writeList("IdPDbKobraSerials", kTwoBoxes), 0);
    // Path 0: both sides use box 100123; path 1: only side 1 does.
    const int selected[2][2] = {{1, 1}, {2, 1}};
    for (int t0 = 0; t0 < 2; ++t0)
        for (int t1 = 0; t1 < 2; ++t1) {
            ASSERT_EQ(writeInt("IdPDbKobraSelected", t0, t1, selected[t0][t1]), 0);
            ASSERT_EQ(writeInt("IdPDbKobraState", t0, t1, 1), 0);
        }
    ASSERT_EQ(writeInt("IdPDbKobraConfigSelected", 0, 0, 2), 0);
    auto states = [] {
        return QList<int>({readInt("IdPDbKobraState", 0, 0), readInt("IdPDbKobraState", 0, 1),
                           readInt("IdPDbKobraState", 1, 0), readInt("IdPDbKobraState", 1, 1)});
    };
    // Serials below one are no box.
    clearRecordedUpdates();
    request(330005, "IdPDbLynxUsbBobState", {}, 0, 0, 0.5);
    EXPECT_EQ(states(), QList<int>({1, 1, 1, 1}));
    request(330005, "IdPDbLynxUsbBobState", {}, 0, 0, 100123.0);
    EXPECT_EQ(states(), QList<int>({0, 1, 1, 0}));
    EXPECT_TRUE(configUpdate().calls.isEmpty()) << "not the configured box";

    // The configured box: its configuration is read again.
    request(330005, "IdPDbLynxUsbBobState", {}, 0, 0, 100456.0);
    ASSERT_EQ(configUpdate().calls.size(), 1);
    EXPECT_EQ(configUpdate().calls[0].flags & DbFlagReapply, unsigned(DbFlagReapply));
    EXPECT_EQ(readInt("IdPDbKobraConfigSelected", 0, 0), 2);
    EXPECT_EQ(states(), QList<int>({0, 1, 0, 0}));
}

QByteArray infoBlock(const char* name, const char* serial, const char* port) {
    return QByteArray("[infoblock]\r\n[device]\r\nname=") + name + "\r\nserial number=" + serial +
           "\r\nport=" + port + "\r\n[limits]\r\nversion=1.1\r\n";
}

// State 0 empties serial number and port and names the type not connected; the instrument name is
// the block's either way.
TEST_F(ModuleRequestTest, InstrumentLinkTheCallersIndexPicksTheBlockAndTheOtherLinkAndStateZeroDisconnects) {
    ASSERT_EQ(writeList("IdPDbKobraSerials", kTwoBoxes), 0);
    ASSERT_EQ(writeInt("IdPDbKobraSelected", 1, 0, 2), 0); // box 100456 on path B, side In
    m_command.handler = [](int code, COlCommandData* data) {
        if (code != OlCmdInstrumentInfo || !data || !data->buffer)
            return false;
        auto* blocks = static_cast<SKobraInstrumentBlocks*>(data->buffer);
        blocks->text[0] = infoBlock("SMW-A", "101234", "HS1");
        blocks->text[1] = infoBlock("SMBV-B", "5555", "DIG2");
        return true;
    };
    auto linkTexts = [](int t0, int t1, int link) {
        QStringList out;
        for (const char* n : {"IdPDbKobraInstrType", "IdPDbKobraInstrSerialNumber", "IdPDbKobraInstrPort",
                              "IdPDbKobraInstrumentName"})
            out << readText(n, t0, t1, link);
        return out;
    };
    const QStringList kDefaults{"-", "-", "-", "not connected"};
    EXPECT_EQ(request(330003, "IdPDbLynxUsbInstrumentState", {0, 0, 0, 0}, 1, 0, 100456.0), 0);
    ASSERT_EQ(m_command.codes(), QList<int>{OlCmdInstrumentInfo});
    EXPECT_EQ(m_command.calls[0].in.index1, 100456);
    EXPECT_EQ(linkTexts(1, 0, 1), (QStringList{"SMW-A", "101234", "HS1", "SMW-A (101234)"}));
    EXPECT_EQ(linkTexts(1, 0, 0), kDefaults);
    EXPECT_EQ(linkTexts(0, 0, 1), kDefaults);

    EXPECT_EQ(request(330003, "IdPDbLynxUsbInstrumentState", {0, 0, 0, 1}, 1, 0, 100456.0), 0);
    EXPECT_EQ(linkTexts(1, 0, 0), (QStringList{"SMBV-B", "5555", "DIG2", "SMBV-B (5555)"}));

    EXPECT_EQ(request(330003, "IdPDbLynxUsbInstrumentState", {0, 0, 0, 0}, 0, 0, 100456.0), 0);
    EXPECT_EQ(linkTexts(1, 0, 1), (QStringList{"not connected", "", "", "SMW-A (101234)"}));
    EXPECT_EQ(linkTexts(1, 0, 0), (QStringList{"SMBV-B", "5555", "DIG2", "SMBV-B (5555)"}));
}

// Switching on rewrites the request's head message (the one another module's conversion works on)
// into type, mode and state.
TEST_F(ModuleRequestTest, SwitchOnRewritesTheRequestIntoTypeModeAndState) {
    EXPECT_EQ(request(330000, "IdPDbCpriState", {1, 0, 0, 0}, 2, 1, 0.0, CDbAllType::fromInt(1)), 0);
    CDbMsgList& msgs = m_cnct->getMsgList();
    QStringList written;
    for (int i = 0; i < msgs.count(); ++i)
        written << QStringLiteral("%1=%2 at %3,%4")
                       .arg(QString::fromLatin1(msgs.at(i)->getName()), msgs.at(i)->getValue().toText())
                       .arg(msgs.at(i)->getTupel().t0)
                       .arg(msgs.at(i)->getTupel().t1);
    EXPECT_EQ(written, QStringList({"IdPDbKobraType=2 at 1,0", "IdPDbKobraMode=1 at 1,0",
                                    "IdPDbKobraState=1 at 1,0"}));
}

// Switching off, asking whether the box is on and setting its mode act only for the type it runs.
TEST_F(ModuleRequestTest, SwitchOffIsOnAndSetModeOnlyForTheRunningType) {
    ASSERT_EQ(writeInt("IdPDbKobraType", 0, 1, 3), 0);
    ASSERT_EQ(writeInt("IdPDbKobraMode", 0, 1, 0), 0);
    // Is-on answers a selection (1 while the box runs that type) and leaves the result alone.
    auto isOn = [this](int type) {
        EXPECT_EQ(request(330001, "IdPDbObsaiState", {0, 1, 0, 0}, type), kUntouched);
        const CDbAllType& a = m_cnct->getAnswerBuffer().getAnswer();
        return a.getType() == DbTypeSelect ? a.toText() : QStringLiteral("no selection");
    };
    auto setMode = [this](int type) {
        request(330002, "IdPDbDigRfState", {0, 1, 0, 0}, type, 2);
        return readInt("IdPDbKobraMode", 0, 1);
    };
    EXPECT_EQ(isOn(3), "0"); // off
    EXPECT_EQ(setMode(3), 0);
    ASSERT_EQ(writeInt("IdPDbKobraState", 0, 1, 1), 0);
    EXPECT_EQ(isOn(2), "0");
    EXPECT_EQ(setMode(2), 0);
    EXPECT_EQ(isOn(3), "1");
    EXPECT_EQ(setMode(3), 2);
    EXPECT_EQ(readInt("IdPDbKobraMode", 0, 0), 1);
    for (int type : {3, 2}) {
        EXPECT_EQ(request(330000, "IdPDbCpriState", {0, 1, 0, 0}, type, 0, 0.0, CDbAllType::fromInt(0)),
                  type == 3 ? 0 : 20023);
        ASSERT_EQ(m_cnct->getMsgList().count(), 1);
        EXPECT_EQ(m_cnct->getMsgList().head()->getName(), QByteArray("IdPDbCpriState"));
    }
}

// A module that notes the code and parameter name of every request, then handles it as its base does.
template <class Base> struct Noting : Base {
    using Base::Base;
    void rename(const char* name, int id) {
        this->setModuleName(name);
        this->setModuleId(id);
    }
    int xferCommand(int code, CUtilXferData& data) override {
        notes.append(QString::number(code) + QLatin1Char(' ') + QString::fromLatin1(data.parmName));
        return Base::xferCommand(code, data);
    }
    QStringList notes;
};
using CountingKobraModule = Noting<CKobraPlugInDllModuleImplementation>;

// The host tells the modules with parameters of every recall it has done (what the KOBRA module does
// then is in RecallHostTest); a new protection level goes to one module, which passes it on: every
// box loadable hears of it once, no other module does, and it never comes back to the sender.
TEST(ProtectionLevelForwardingTest, TheHostTellsModulesOfRecallsAndOneModuleOfANewProtectionLevel) {
    registerFrameTestRecords();
    registerHostParameters();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.path() + QStringLiteral("/state.lynx");
    {
        VGXHostRuntime runtime(VGXHostRuntime::Options{});
        CountingKobraModule* kobra = nullptr;
        {
            VGXHostRuntime::DbContextScope withDatabase;
            kobra = new CountingKobraModule(2028);
        }
        auto* other = new Noting<CDefaultLoadableModuleImplementation>;    // another box-family loadable
        auto* outsider = new Noting<CDefaultLoadableModuleImplementation>; // no box loadable
        other->rename("OtherBox", 2030);
        outsider->rename("OtherBox", 2032);
        ASSERT_TRUE(runtime.addModule(kobra, nullptr));
        ASSERT_TRUE(runtime.addModule(other, nullptr));
        ASSERT_TRUE(runtime.addModule(outsider, nullptr));
        CDbEngine& db = CDbEngine::instance();
        ASSERT_EQ(db.saveSettings(file, 0, 0, 1, 0, "Frame"), 0);
        kobra->notes.clear();
        other->notes.clear();

        ASSERT_EQ(db.recallSettings(file, 1, 0), 0);
        EXPECT_EQ(kobra->notes, QStringList{"-1 IdPDbDbRecall"});
        EXPECT_TRUE(other->notes.isEmpty());
        // A file that cannot be recalled is no recall.
        ASSERT_NE(db.recallSettings(dir.path() + QStringLiteral("/missing.lynx"), 1, 0), 0);
        EXPECT_EQ(kobra->notes.size(), 1);

        kobra->notes.clear();
        ASSERT_EQ(writeInt("IdPDbProtLevState", 0, 0, 0, 3), 0);
        EXPECT_EQ(kobra->notes, QStringList{"-1 IdPDbProtLevState"});
        EXPECT_EQ(other->notes, QStringList{"-1 IdPDbProtLevState"});
        // The same level again is no change.
        ASSERT_EQ(writeInt("IdPDbProtLevState", 0, 0, 0, 3), 0);
        EXPECT_EQ(other->notes.size(), 1);
        EXPECT_TRUE(outsider->notes.isEmpty());
        runtime.shutdown();
    }
    delete Kobra::g_orgLayer;
    Kobra::g_orgLayer = nullptr;
    CDbEngine::instance().reset();
}

} // namespace
