// Waveform file information of the ARB entries: the tags the host's list administration reads from a
// file, and the refresh that writes them into an interface's ARB parameters entry by entry.
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "formats/KobraArbInfo.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbCnvOutFunc.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/impl/CDbEngine.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "params/KobraDbInfo.h"
#include "support/TestDbDefinitions.h"
#include "support/TestFiles.h"

using namespace MvQARN;

namespace {

const char* const kInfoNames[] = {"IdPDbLynxArbSampRate", "IdPDbLynxArbSamples", "IdPDbLynxArbRms",
                                  "IdPDbLynxArbPep"};

QStringList& events() {
    static QStringList e;
    return e;
}

// Logs every read of the file parameter with the entry it was made for.
class FileReadLog : public CDbCnvOutFunc {
public:
    FileReadLog() : CDbCnvOutFunc(static_cast<CDbCnvOutFunc::Member>(&FileReadLog::read)) {}
    void read(CDbCnct& cnct) {
        events() << QStringLiteral("read %1/%2/%3").arg(cnct.t0()).arg(cnct.t1()).arg(cnct.t3());
    }
};

// Logs every stored information value with where it came from.
class InfoWriteLog : public CDbUpdFunc {
public:
    InfoWriteLog() : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(&InfoWriteLog::update)) {}
    int update(CDbCnct& cnct, const CDbAllType&) {
        const CDbMsg* m = cnct.getCurrentMsg();
        QString name = QString::fromLatin1(cnct.getName());
        name.remove(QStringLiteral("IdPDbLynxArb"));
        events() << QStringLiteral("%1 %2/%3/%4 from %5 type %6")
                        .arg(name)
                        .arg(cnct.t0())
                        .arg(cnct.t1())
                        .arg(cnct.t3())
                        .arg(m ? m->getSender() : -1)
                        .arg(cnct.getMsgType());
        return 0;
    }
};

class ArbInfo : public ::testing::Test {
protected:
    void SetUp() override {
        CDbEngine::instance().reset();
        events().clear();
        const dbtest::Inst arb{2, 2, 1, 4};
        SDbDefCommon& file = m_records.string("IdPDbLynxArbFile", "", 0, arb).c;
        file.fileListType = 0xc0;
        file.cnvOut = &m_readLog;
        for (const char* name : kInfoNames)
            m_records.number(name, -1e12, 1e12, 0, arb).c.upd = &m_writeLog;
        ASSERT_EQ(m_records.registerAll(4), 0);
        m_listAdm.registerListTypes(Kobra::g_mdlDbInfo.listTypes, Kobra::g_mdlDbInfo.listTypeCount);
        CDbEngine::instance().setListAdm(&m_listAdm);
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { CDbEngine::instance().reset(); }

    QString file(const QString& name, const QByteArray& content) {
        EXPECT_TRUE(testsupport::writeFile(m_dir.filePath(name), content));
        return m_dir.filePath(name);
    }
    // A waveform file's text with the given level tag and a few sample bytes.
    static QByteArray waveText(const QByteArray& levelOffs) {
        return "{TYPE: VGX-WV, 0}{CLOCK: 2.5e6}{SAMPLES: 3}{LEVEL OFFS: " + levelOffs +
               "}{WAVEFORM-13: #abcdefghijkl}";
    }
    QString wave(const QString& name, const QByteArray& levelOffs) { return file(name, waveText(levelOffs)); }
    std::unique_ptr<CDbCnct> context(int t0 = 0, int t1 = 0, int t3 = 0) {
        return CDbEngine::instance().makeContext("IdPDbLynxArbFile", SDbInstTupel{t0, t1, 0, t3});
    }
    // Clock, samples, RMS and PEP offset read from a file; the status in rc when asked for.
    QList<double> read(const QString& path, int* rc = nullptr) {
        auto ctx = context();
        Kobra::SArbInfo info{9, 9, 9, 9}; // every field must be replaced
        const int status = Kobra::getKobraArbInfo(*ctx, path, info);
        if (rc)
            *rc = status;
        return {info.clock, info.samples, info.rmsOffset, info.pepOffset};
    }
    void setFile(int t0, int t1, int entry, const QString& path) {
        ASSERT_EQ(CDbEngine::instance().write("IdPDbLynxArbFile", SDbInstTupel{t0, t1, 0, entry},
                                              CDbAllType::fromString(path)),
                  0);
    }
    void setInfo(int t0, int t1, int entry, double v) {
        for (const char* name : kInfoNames)
            ASSERT_EQ(
                CDbEngine::instance().write(name, SDbInstTupel{t0, t1, 0, entry}, CDbAllType::fromDouble(v)),
                0);
    }
    // Sample rate, samples, RMS and PEP offsets stored for an entry.
    QList<double> stored(int t0, int t1, int entry) {
        QList<double> out;
        for (const char* name : kInfoNames) {
            double v = -1;
            CDbEngine::instance().dataBaseIfc()->getNumber(name, v, t0, entry, 0, t1);
            out << v;
        }
        return out;
    }

    dbtest::Defs m_records;
    FileReadLog m_readLog;
    InfoWriteLog m_writeLog;
    CListAdmMainExtend m_listAdm;
    QTemporaryDir m_dir;
};

// Clock, samples, RMS and PEP offsets as a file's tags give them: level offsets need two values and
// empty parts are dropped; absent tags or tags that are no number give 0; a damaged or foreign file
// gives no tags at all; a missing file answers 20012.
TEST_F(ArbInfo, TagsOfAFile) {
    const QByteArray tags = "{CLOCK: 1e6}{SAMPLES: 10}{LEVEL OFFS: 1,2}{WAVEFORM-41: #";
    const struct {
        const char* name;
        QByteArray content; // none: the file does not exist
        QList<double> info;
        int rc;
    } cases[] = {
        // clang-format off
        {"two.wv", waveText("3.2,0.5"), {2.5e6, 3, 3.2, 0.5}, 0},
        {"one.wv", waveText("3.2"), {2.5e6, 3, 0, 0}, 0},
        {"three.wv", waveText(",1.5,2.5,7"), {2.5e6, 3, 1.5, 2.5}, 0},
        {"partial.wv", "{TYPE: VGX-WV, 0}{CLOCK: fast}{LEVEL OFFS: 1,2}{WAVEFORM-1: #}", {0, 0, 1, 2}, 0},
        {"notype.wv", tags, {0, 0, 0, 0}, 0},                                 // first tag is not TYPE
        {"foreign.wv", "{TYPE: SMU-WV, 0}" + tags, {0, 0, 0, 0}, 0},          // another type
        {"text.wv", "CLOCK: 1e6\nSAMPLES: 10\n", {0, 0, 0, 0}, 0},            // no tags at all
        {"nowhere.wv", QByteArray(), {0, 0, 0, 0}, 20012},
        // clang-format on
    };
    for (const auto& c : cases) {
        const QString path =
            c.content.isNull() ? (*c.name ? m_dir.filePath(c.name) : QString()) : file(c.name, c.content);
        int rc = -1;
        EXPECT_EQ(read(path, &rc), c.info) << c.name;
        EXPECT_EQ(rc, c.rc) << c.name;
    }
}

TEST_F(ArbInfo, WithoutAListAdministrationTheQueryFailsAndGivesZeros) {
    CDbEngine::instance().setListAdm(nullptr);
    Kobra::SArbInfo info{5, 5, 5, 5};
    EXPECT_NE(Kobra::getKobraArbInfo(*context(), wave("w.wv", "1,2"), info), 0);
    EXPECT_EQ(info.clock + info.samples + info.rmsOffset + info.pepOffset, 0.0);
}

// Each entry's file is read, then its four values are written, before the next entry is read;
// entries without a readable file get zeros; other interfaces and entries keep their values.
TEST_F(ArbInfo, RefreshingEntriesWritesEachEntrysValuesBeforeTheNextIsRead) {
    setFile(1, 0, 0, wave("a.wv", "3.2,0.5"));
    setFile(1, 0, 1, QString());
    setFile(1, 0, 2, m_dir.filePath("gone.wv"));
    setFile(1, 0, 3,
            file("b.wv", "{TYPE: VGX-WV, 0}{CLOCK: 1e8}{SAMPLES: 64}{LEVEL OFFS: 6,1}{WAVEFORM-257: #"));
    setFile(0, 1, 2, wave("c.wv", "4,2"));
    for (int e = 0; e < 4; ++e) {
        setInfo(1, 0, e, 77.0);
        setInfo(0, 1, e, 77.0);
    }
    setInfo(0, 0, 0, 55.0);
    events().clear();
    Kobra::updArbFileInfo(*context(1, 0, 3), -1);
    QStringList expected;
    for (int e = 0; e < 4; ++e) {
        expected << QStringLiteral("read 1/0/%1").arg(e);
        for (const char* n : {"SampRate", "Samples", "Pep", "Rms"})
            expected << QStringLiteral("%1 1/0/%2 from 4 type 1").arg(QLatin1String(n)).arg(e);
    }
    EXPECT_EQ(events(), expected);
    EXPECT_EQ(stored(1, 0, 0), QList<double>({2.5e6, 3, 3.2, 0.5}));
    EXPECT_EQ(stored(1, 0, 1), QList<double>({0, 0, 0, 0})); // no file name
    EXPECT_EQ(stored(1, 0, 2), QList<double>({0, 0, 0, 0})); // a file that does not exist
    EXPECT_EQ(stored(1, 0, 3), QList<double>({1e8, 64, 6, 1}));
    EXPECT_EQ(stored(0, 0, 0), QList<double>({55, 55, 55, 55}));

    // One entry only; there is no entry 4.
    events().clear();
    Kobra::updArbFileInfo(*context(0, 1, 2), 2);
    EXPECT_EQ(events(),
              QStringList({"read 0/1/2", "SampRate 0/1/2 from 4 type 1", "Samples 0/1/2 from 4 type 1",
                           "Pep 0/1/2 from 4 type 1", "Rms 0/1/2 from 4 type 1"}));
    EXPECT_EQ(stored(0, 1, 2), QList<double>({2.5e6, 3, 4, 2}));
    EXPECT_EQ(stored(0, 1, 1), QList<double>({77, 77, 77, 77}));
    events().clear();
    Kobra::updArbFileInfo(*context(0, 1, 2), 4);
    EXPECT_TRUE(events().isEmpty());
}

} // namespace
