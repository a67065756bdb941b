// The host's transient recorder on an ARB entry's waveform file (made by vgxwv): length, decimation and
// trigger position, single and continuous mode, and source faults that give a status and no new block.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/listadm/WaveformFile.h"
#include "host/olfw/impl/COlTranRecCapture.h"
#include "host/util/VGXErrorManager.h"
#include "sim/SimKobraDevice.h"
#include "support/CatalogueDb.h"
#include "support/TestFiles.h"

using namespace MvQARN;
using testsupport::tup;

namespace {

// Recorder channel 1 of path B, side In, recording ARB 2 of that interface.
const SDbInstTupel kRec = tup(1, 0, 0, 1);
constexpr int kEntry = 1;
constexpr double kClock = 25e6;
constexpr int kFileSamples = 5000;

class TranRecCapture : public testsupport::CatalogueDbTest {
protected:
    void SetUp() override {
        CatalogueDbTest::SetUp();
        COlTranRecCapture::SServices s;
        s.changes = &db().changeSource();
        s.database = db().dataBaseIfc();
        s.write = [](const CDbMsg& msg) {
            CDbAnswerBuffer answer;
            return CDbEngine::instance().write(msg, &answer);
        };
        s.device = [this](int, int) { return m_device.get(); };
        m_capture = std::make_unique<COlTranRecCapture>(s);
        m_capture->attach();
        m_file = m_dir.filePath("tone.wv");
        QProcess vgxwv;
        vgxwv.start(QStringLiteral(VGX_BUILD_DIR "/bin/vgxwv"),
                    {"sine", "--clock", QString::number(kClock), "--samples", QString::number(kFileSamples),
                     "--freq", "1.3e6", "--level", "-1", m_file});
        ASSERT_TRUE(vgxwv.waitForFinished(30000) && vgxwv.exitCode() == 0)
            << vgxwv.readAllStandardError().data();
        QString error;
        QVector<WaveformFile::SSample> samples;
        ASSERT_TRUE(WaveformFile::readSamples(m_file, samples, &error)) << error.toStdString();
        m_words = WaveformFile::toWords(samples);
        setText("IdPDbLynxArbFile", tup(kRec.t0, kRec.t1, 0, kEntry), m_file);
        setInt("IdPDbKobraTranRecDataSource", kRec, COlTranRecCapture::Arb1 + kEntry);
    }
    void TearDown() override {
        m_capture.reset();
        CatalogueDbTest::TearDown();
    }

    int status() {
        int v = -1;
        db().dataBaseIfc()->getSelect("IdPDbKobraTranRecStatus", v, kRec.t0, kRec.t3, kRec.t2, kRec.t1);
        return v;
    }
    QVector<qint32> block() {
        CDbAllType v;
        db().dataBaseIfc()->getValue("IdPDbKobraTranRecIQData", v, kRec.t0, kRec.t3, kRec.t2, kRec.t1);
        const auto* ints = v.getType() == DbTypeNInt ? static_cast<const CDbDataTypeNInt*>(v.get()) : nullptr;
        return ints ? ints->getValues() : QVector<qint32>();
    }
    double sampleRate() {
        double v = -1;
        db().dataBaseIfc()->getNumber("IdPDbKobraTranRecSampRate", v, kRec.t0, kRec.t3, kRec.t2, kRec.t1);
        return v;
    }
    void execute() {
        ASSERT_EQ(write("IdPDbKobraTranRecTrigExec", kRec, CDbAllType::fromInt(1), DbMsgExec), 0);
    }
    // The file's samples from stream position `first`, every `step`-th, played cyclically.
    QVector<qint32> expected(qint64 first, int length, int step) const {
        QVector<qint32> out;
        for (int k = 0; k < length; ++k)
            out.append(m_words[((first + qint64(k) * step) % kFileSamples + kFileSamples) % kFileSamples]);
        return out;
    }

    std::unique_ptr<vgxsim::SimKobraDevice> m_device;
    std::unique_ptr<COlTranRecCapture> m_capture;
    QString m_file;
    QVector<qint32> m_words;
};

TEST_F(TranRecCapture, SingleModeRecordsTheArbFileOnEachExecute) {
    struct Row {
        int length, decimation, position;
    };
    for (const Row& r : {Row{1024, 1, 0}, Row{512, 3, 0}, Row{2048, 1, 100}, Row{512, 2, -4000}}) {
        SCOPED_TRACE(testing::Message() << r.length << " x" << r.decimation << " at " << r.position);
        setInt("IdPDbKobraTranRecTrigMode", kRec, 1);
        setNumber("IdPDbKobraTranRecDataLength", kRec, r.length);
        setNumber("IdPDbKobraTranRecDecFactor", kRec, r.decimation);
        setNumber("IdPDbKobraTranRecTrigPosition", kRec, r.position);
        setInt("IdPDbKobraTranRecState", kRec, 1);
        EXPECT_EQ(status(), COlTranRecCapture::Configured);
        EXPECT_FALSE(m_capture->isTicking()); // armed, nothing recorded yet
        execute();
        EXPECT_EQ(status(), COlTranRecCapture::RecordDone);
        EXPECT_EQ(block(), expected(-r.position, r.length, r.decimation));
        EXPECT_EQ(sampleRate(), kClock);
        // The next execute takes the block behind it.
        execute();
        EXPECT_EQ(block(), expected(-r.position + qint64(r.length) * r.decimation, r.length, r.decimation));
        setInt("IdPDbKobraTranRecState", kRec, 0);
        EXPECT_EQ(status(), COlTranRecCapture::Stopped);
    }
}

TEST_F(TranRecCapture, ContinuousModeDeliversABlockPerTickUntilStopped) {
    setNumber("IdPDbKobraTranRecDataLength", kRec, 2048);
    setInt("IdPDbKobraTranRecState", kRec, 1);
    EXPECT_EQ(status(), COlTranRecCapture::Recording);
    EXPECT_TRUE(m_capture->isTicking());
    for (int n = 0; n < 4; ++n) { // the third block wraps round the end of the file
        m_capture->tick();
        EXPECT_EQ(block(), expected(qint64(n) * 2048, 2048, 1)) << n;
    }
    // A GP line as trigger source never fires in the simulation.
    setInt("IdPDbKobraTranRecTrigSource", kRec, 2);
    EXPECT_EQ(status(), COlTranRecCapture::NoTriggerSignal);
    setInt("IdPDbKobraTranRecState", kRec, 0);
    EXPECT_EQ(status(), COlTranRecCapture::Stopped);
    EXPECT_FALSE(m_capture->isTicking());
}

TEST_F(TranRecCapture, SourceFaultsGiveStatusAndErrorButNoNewBlock) {
    setInt("IdPDbKobraTranRecTrigMode", kRec, 1);
    setInt("IdPDbKobraTranRecState", kRec, 1);
    const QByteArray good = testsupport::readFile(m_file);
    // The file goes, or a sample of it changes (what makes a file damaged is WaveformFileTest's).
    for (const bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing" : "sample changed");
        ASSERT_TRUE(testsupport::writeFile(m_file, good)); // a good recording first
        execute();
        ASSERT_EQ(status(), COlTranRecCapture::RecordDone);
        const QVector<qint32> recorded = block();
        QFile f(m_file);
        if (missing) {
            ASSERT_TRUE(f.remove());
        } else {
            ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(f.size() - 9) && f.write("\x55") == 1);
            f.close();
        }
        VGXErrorManager::Collector errors;
        execute();
        EXPECT_EQ(status(), COlTranRecCapture::NoDataSignal);
        EXPECT_EQ(block(), recorded);
        ASSERT_EQ(errors.errors().size(), 1);
        EXPECT_EQ(errors.errors().first().code, missing ? DbErrFileMissing : DbErrBadFile);
        EXPECT_EQ(errors.errors().first().text, m_capture->lastError(kRec.t0, kRec.t1, kRec.t3));
    }
    // The interface's data: none from a box that plays nothing, then its test signals.
    m_device = std::make_unique<vgxsim::SimKobraDevice>(4711);
    setInt("IdPDbKobraTranRecDataSource", kRec, COlTranRecCapture::InterfaceIn);
    execute();
    EXPECT_EQ(status(), COlTranRecCapture::NoDataSignal);
    m_device->setTestSine(true, 0.5, 2e6, 40e6);
    execute();
    EXPECT_EQ(status(), COlTranRecCapture::RecordDone);
    EXPECT_EQ(sampleRate(), 40e6);
    EXPECT_EQ(block().size(), 512);
    // The PRBS test pattern: the generator's sequence from its start.
    m_device->setTestTx(true, 0);
    setInt("IdPDbKobraTranRecState", kRec, 0);
    setInt("IdPDbKobraTranRecState", kRec, 1);
    execute();
    QVector<WaveformFile::SSample> prbs;
    ASSERT_TRUE(WaveformFile::prbs(9, 0, COlTranRecCapture::PatternLevelDb, prbs, nullptr));
    EXPECT_EQ(block(), WaveformFile::toWords(prbs).mid(0, 511) + WaveformFile::toWords(prbs).mid(0, 1));
}

} // namespace
