// Waveform file information of the ARB entries: the tags the host's list administration reads from a
// file, and the refresh that writes them into an interface's ARB parameters entry by entry.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "formats/KobraArbInfo.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbCnvOutFunc.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/impl/CDbEngine.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "host/listadm/WaveformFile.h"
#include "params/KobraDbInfo.h"
#include "support/TestDbDefinitions.h"

using namespace MvQARN;

namespace {

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
        for (const char* name :
             {"IdPDbLynxArbSampRate", "IdPDbLynxArbSamples", "IdPDbLynxArbRms", "IdPDbLynxArbPep"})
            m_records.number(name, -1e12, 1e12, 0, arb).c.upd = &m_writeLog;
        ASSERT_EQ(m_records.registerAll(4), 0);
        m_listAdm.registerListTypes(Kobra::g_mdlDbInfo.listTypes, Kobra::g_mdlDbInfo.listTypeCount);
        CDbEngine::instance().setListAdm(&m_listAdm);
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { CDbEngine::instance().reset(); }

    QString file(const QString& name, const QByteArray& content) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    // A waveform file with the given level tag and a few sample bytes.
    QString wave(const QString& name, const QByteArray& levelOffs) {
        return file(name, "{TYPE: VGX-WV, 0}{CLOCK: 2.5e6}{SAMPLES: 3}{LEVEL OFFS: " + levelOffs +
                              "}{WAVEFORM-13: #abcdefghijkl}");
    }
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
        for (const char* name :
             {"IdPDbLynxArbSampRate", "IdPDbLynxArbSamples", "IdPDbLynxArbRms", "IdPDbLynxArbPep"})
            ASSERT_EQ(
                CDbEngine::instance().write(name, SDbInstTupel{t0, t1, 0, entry}, CDbAllType::fromDouble(v)),
                0);
    }
    double stored(const char* name, int t0, int t1, int entry) {
        double v = -1;
        CDbEngine::instance().dataBaseIfc()->getNumber(name, v, t0, entry, 0, t1);
        return v;
    }

    dbtest::Defs m_records;
    FileReadLog m_readLog;
    InfoWriteLog m_writeLog;
    CListAdmMainExtend m_listAdm;
    QTemporaryDir m_dir;
};

TEST_F(ArbInfo, LevelOffsetsNeedTwoValuesAndEmptyPartsAreDropped) {
    int rc = -1;
    EXPECT_EQ(read(wave("two.wv", "3.2,0.5"), &rc), QList<double>({2.5e6, 3, 3.2, 0.5}));
    EXPECT_EQ(rc, 0);
    // One value gives no offsets; the other tags are still read.
    EXPECT_EQ(read(wave("one.wv", "3.2")), QList<double>({2.5e6, 3, 0, 0}));
    EXPECT_EQ(read(wave("gap.wv", "3.2,,0.5")), QList<double>({2.5e6, 3, 3.2, 0.5}));
    EXPECT_EQ(read(wave("three.wv", ",1.5,2.5,7")), QList<double>({2.5e6, 3, 1.5, 2.5}));
}

TEST_F(ArbInfo, MissingFilesAnswer20012AndTagsThatAreAbsentOrNoNumbersGiveZero) {
    int rc = 0;
    EXPECT_EQ(read(m_dir.filePath("nowhere.wv"), &rc), QList<double>({0, 0, 0, 0}));
    EXPECT_EQ(rc, 20012);
    read(QString(), &rc);
    EXPECT_EQ(rc, 20012);
    // A clock that is no number and no SAMPLES tag.
    EXPECT_EQ(read(file("partial.wv", "{TYPE: VGX-WV, 0}{CLOCK: fast}{LEVEL OFFS: 1,2}{WAVEFORM-1: #}"), &rc),
              QList<double>({0, 0, 1, 2}));
    EXPECT_EQ(rc, 0);
}

TEST_F(ArbInfo, DamagedOrForeignFilesGiveNoTags) {
    const QByteArray tags = "{CLOCK: 1e6}{SAMPLES: 10}{LEVEL OFFS: 1,2}{WAVEFORM-41: #";
    const QStringList paths = {
        file("notype.wv", tags),                                 // first tag is not TYPE
        file("foreign.wv", "{TYPE: SMU-WV, 0}" + tags),          // another type
        file("text.wv", "CLOCK: 1e6\nSAMPLES: 10\n"),            // no tags at all
        file("unterminated.wv", "{TYPE: VGX-WV, 0}{CLOCK: 1e6"), // CLOCK never closed
    };
    for (const QString& p : paths) {
        int rc = -1;
        EXPECT_EQ(read(p, &rc), QList<double>({0, 0, 0, 0})) << p.toStdString();
        EXPECT_EQ(rc, 0) << p.toStdString();
    }
}

TEST_F(ArbInfo, FilesOfTheWaveformWriterReadBackThroughTheListAdministration) {
    QString error;
    QVector<WaveformFile::SSample> sine;
    ASSERT_TRUE(WaveformFile::sine(1000, 10e6, 1e6, -3.0, sine, &error)) << error.toStdString();
    const QString sinePath = m_dir.filePath("sine.wv");
    ASSERT_TRUE(WaveformFile::write(sinePath, sine, 10e6, QStringLiteral("tone"), &error))
        << error.toStdString();
    QList<double> info = read(sinePath);
    EXPECT_EQ(info.mid(0, 2), QList<double>({10e6, 1000}));
    EXPECT_NEAR(info[2], 3.0, 0.011);
    EXPECT_NEAR(info[3], 3.0, 0.011);

    QVector<WaveformFile::SSample> csv;
    ASSERT_TRUE(WaveformFile::parseCsv("1,0\n0,0\n", false, csv, &error)) << error.toStdString();
    const QString csvPath = m_dir.filePath("csv.wv");
    ASSERT_TRUE(WaveformFile::write(csvPath, csv, 125e3, QString(), &error)) << error.toStdString();
    info = read(csvPath);
    EXPECT_EQ(info.mid(0, 2), QList<double>({125e3, 2}));
    EXPECT_NEAR(info[2], 3.01, 0.001); // half the power of a full-scale sample
    EXPECT_NEAR(info[3], 0.0, 0.001);
}

TEST_F(ArbInfo, TheQueryLeavesTheMessagesAuxiliaryDataAsItWasAndNeedsAListAdministration) {
    const QString path = wave("w.wv", "1,2");
    auto ctx = context();
    ASSERT_NE(ctx->getCurrentMsg(), nullptr);
    ctx->getCurrentMsg()->giveAuxData(CListAdmMainExtend::AuxFileName, new CDbDataTypeString("mine.lynx"));
    Kobra::SArbInfo info;
    EXPECT_EQ(Kobra::getKobraArbInfo(*ctx, path, info), 0);
    EXPECT_EQ(info.pepOffset, 2.0);
    const auto* kept = dynamic_cast<const CDbDataTypeString*>(
        ctx->getCurrentMsg()->getAuxData(CListAdmMainExtend::AuxFileName));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->getValStringQ(), QStringLiteral("mine.lynx"));
    EXPECT_EQ(ctx->getCurrentMsg()->getAuxData(CListAdmMainExtend::AuxTagName), nullptr);

    CDbEngine::instance().setListAdm(nullptr);
    info = Kobra::SArbInfo{5, 5, 5, 5};
    EXPECT_NE(Kobra::getKobraArbInfo(*ctx, path, info), 0);
    EXPECT_EQ(info.clock + info.samples + info.rmsOffset + info.pepOffset, 0.0);
}

TEST_F(ArbInfo, RefreshingAllEntriesWritesFourGroupsEachRunBeforeTheNextEntryIsRead) {
    const int t0 = 1, t1 = 0;
    setFile(t0, t1, 0, wave("a.wv", "3.2,0.5"));
    setFile(t0, t1, 1, QString());
    setFile(t0, t1, 2, m_dir.filePath("gone.wv"));
    setFile(t0, t1, 3,
            file("b.wv", "{TYPE: VGX-WV, 0}{CLOCK: 1e8}{SAMPLES: 64}{LEVEL OFFS: 6,1}{WAVEFORM-257: #"));
    for (int e = 0; e < 4; ++e)
        setInfo(t0, t1, e, 77.0);
    setInfo(1 - t0, t1, 0, 55.0); // another interface keeps its values
    events().clear();

    auto ctx = context(t0, t1, 3);
    Kobra::updArbFileInfo(*ctx, -1);

    QStringList expected;
    for (int e = 0; e < 4; ++e) {
        expected << QStringLiteral("read 1/0/%1").arg(e);
        for (const char* n : {"SampRate", "Samples", "Pep", "Rms"})
            expected << QStringLiteral("%1 1/0/%2 from 4 type 1").arg(QLatin1String(n)).arg(e);
    }
    EXPECT_EQ(events(), expected);

    EXPECT_EQ(stored("IdPDbLynxArbSampRate", t0, t1, 0), 2.5e6);
    EXPECT_EQ(stored("IdPDbLynxArbSamples", t0, t1, 0), 3.0);
    EXPECT_EQ(stored("IdPDbLynxArbRms", t0, t1, 0), 3.2);
    EXPECT_EQ(stored("IdPDbLynxArbPep", t0, t1, 0), 0.5);
    for (int e : {1, 2}) // no file name, a file that does not exist
        for (const char* n :
             {"IdPDbLynxArbSampRate", "IdPDbLynxArbSamples", "IdPDbLynxArbRms", "IdPDbLynxArbPep"})
            EXPECT_EQ(stored(n, t0, t1, e), 0.0) << n << " entry " << e;
    EXPECT_EQ(stored("IdPDbLynxArbSampRate", t0, t1, 3), 1e8);
    EXPECT_EQ(stored("IdPDbLynxArbSamples", t0, t1, 3), 64.0);
    EXPECT_EQ(stored("IdPDbLynxArbRms", t0, t1, 3), 6.0);
    EXPECT_EQ(stored("IdPDbLynxArbPep", t0, t1, 3), 1.0);
    EXPECT_EQ(stored("IdPDbLynxArbRms", 1 - t0, t1, 0), 55.0);
}

TEST_F(ArbInfo, RefreshingOneEntryTouchesOnlyThatEntry) {
    setFile(0, 1, 2, wave("c.wv", "4,2"));
    for (int e = 0; e < 4; ++e)
        setInfo(0, 1, e, 77.0);
    events().clear();
    auto ctx = context(0, 1, 2);
    Kobra::updArbFileInfo(*ctx, 2);
    EXPECT_EQ(events(),
              QStringList({"read 0/1/2", "SampRate 0/1/2 from 4 type 1", "Samples 0/1/2 from 4 type 1",
                           "Pep 0/1/2 from 4 type 1", "Rms 0/1/2 from 4 type 1"}));
    EXPECT_EQ(stored("IdPDbLynxArbRms", 0, 1, 2), 4.0);
    EXPECT_EQ(stored("IdPDbLynxArbRms", 0, 1, 1), 77.0);

    events().clear();
    Kobra::updArbFileInfo(*ctx, 4);
    EXPECT_TRUE(events().isEmpty()) << "there is no entry 4";
}

} // namespace
