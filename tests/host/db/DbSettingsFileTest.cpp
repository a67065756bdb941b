// Settings files: save and recall of one instance's group values through the context calls a
// plug-in uses, refusal of damaged or foreign files, interrupted saves, and user file names.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "DbTestSupport.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"
#include "support/TestFiles.h"

using namespace MvQARN;
using namespace dbtest;

namespace {

constexpr int kAuxPath = 9;

// The settings-file parameters of a module: saving and recalling through the context.
class CFileUpdate : public CDbUpdFunc {
public:
    typedef int (CFileUpdate::*Fn)(CDbCnct&, const CDbAllType&);
    explicit CFileUpdate(Fn fn) : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(fn)) {}

    int save(CDbCnct& c, const CDbAllType&) {
        QString name;
        c.getValue().toString(name);
        const QString path = c.appendUserPathFile(name, true);
        if (path.isEmpty()) {
            c.getAnswerBuffer().errOut(DbErrBadFileName, c.t0(), dbErrorText(DbErrBadFileName));
            return DbErrBadFileName;
        }
        return c.srSavDb(path, 36, 0xFFFF0000u, 0, "setting", "kobra", nullptr, "KobraPlugin", true, -1)
                   ? 0
                   : int(DbErrFileWrite);
    }
    int recall(CDbCnct& c, const CDbAllType&) {
        QString name;
        c.getValue().toString(name);
        const QString path = c.appendUserPathFile(name, true);
        if (path.isEmpty())
            return DbErrBadFileName;
        c.getCurrentMsg()->giveAuxData(kAuxPath, new CDbDataTypeString(path));
        return c.srRcl(5, &CFileUpdate::presetGroup);
    }
    static void presetGroup(CDbCnct& c) {
        trace().push_back("preset");
        c.presetGrp(true, 36, 0xFFFF0000u, 1, false, nullptr, c.getTupel(), c.t0(), -1, -1, c.t1());
    }
    int logCall(CDbCnct& c, const CDbAllType& prev) {
        trace().push_back("upd:" + std::string(c.getName()) + " " + str(prev) + "->" + str(c.getValue()));
        return 0;
    }
};

// Files name the selected box by serial number, not by list position; a recall starts without a box.
class CSelectedSaveRecall : public CDbSavRclFunc {
public:
    typedef int (CSelectedSaveRecall::*Fn)(CDbCnct&);
    CSelectedSaveRecall()
        : CDbSavRclFunc(static_cast<CDbSavRclFunc::Member>(&CSelectedSaveRecall::save),
                        static_cast<CDbSavRclFunc::Member>(&CSelectedSaveRecall::recall)) {}
    int save(CDbCnct& c) {
        if (failSave)
            return DbErrOlCommand;
        int index = 0;
        c.getValue().toInt(index);
        c.setValue(CDbAllType(new CDbDataTypeNumber(100000 + index)));
        return 0;
    }
    int recall(CDbCnct& c) {
        double serial = 0;
        c.getValue().toDouble(serial);
        remembered = int(serial);
        trace().push_back("recall:" + std::to_string(remembered));
        c.setValue(CDbAllType(new CDbDataTypeSelect(0)));
        return 0;
    }
    bool failSave = false;
    int remembered = 0;
};

// A twin parameter whose writes go to ClocRate: a recall must not replay it.
class CTwinConvIn : public CDbCnvInFunc {
public:
    CTwinConvIn() : CDbCnvInFunc(static_cast<CDbCnvInFunc::Member>(&CTwinConvIn::toRate)) {}
    int toRate(CDbCnct& c) {
        c.getMsgList().head()->setName("ClocRate");
        return 0;
    }
};

const SDbInstTupel kOutA{0, 1, 0, 0};
const SDbInstTupel kOutB{1, 1, 0, 0};

class SettingsFileTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        e.setUserSettingsDir(dir.path());
        const Inst inst{2, 2, 1, 1};
        defs.select("LogicType", 0, 8, 2, inst).c.upd = &logUpd;
        defs.number("ClocRate", 1000, 4e8, 1e7, inst);
        defs.number("Twin", 0, 1e9, 5, inst).c.cnvIn = &twin;
        defs.string("ArbFile", "", 256, {2, 2, 1, 4}).c.grp = 0x10024;
        defs.bits("SsiData", 1, 32, 8, inst);
        defs.list("Names", inst);
        defs.ints("IqData", inst);
        defs.number("RecLen", 512, 2048, 512, inst).c.grp = 0x10;
        auto& selected = defs.select("Selected", 0, 20, 0, inst);
        selected.c.grp = 0;
        selected.c.savRcl = &selectedSr;
        // Direction: a full record shadowed by one record per side.
        static const int states[] = {0, 1};
        for (int side = -1; side < 2; ++side) {
            auto& dir = defs.select("Dir", side < 0 ? 0 : side, side < 0 ? 1 : side, side < 0 ? 1 : side,
                                    side < 0 ? inst : Inst{2, 1, 1, 1});
            dir.ids = states;
            dir.idCount = 2;
            dir.c.firstA[1] = dir.c.firstB[1] = side < 0 ? 0 : side;
        }
        auto& sav = defs.string("Sav", "", 256, inst);
        sav.c.fileListType = 0xbc;
        sav.c.upd = &saveUpd;
        auto& rcl = defs.string("Rcl", "", 256, inst);
        rcl.c.fileListType = 0xbc;
        rcl.c.upd = &recallUpd;
        ASSERT_EQ(defs.registerAll(4), 0);
    }
    // The values a file is saved with (one on Out B too), or other values of every kind over them.
    void setValues(bool sample) {
        ASSERT_EQ(putSel("LogicType", sample ? 6 : 0, kOutA), 0);
        ASSERT_EQ(putNum("ClocRate", sample ? 2.5e7 : 1e6, kOutA), 0);
        ASSERT_EQ(putStr("ArbFile", sample ? "wave|two\nx\\\t\r=[0,0]\xc3\xa4.wv" : "", {0, 1, 0, 2}), 0);
        ASSERT_EQ(put("SsiData", kOutA,
                      CDbAllType(new CDbDataTypeNBit(sample ? 12 : 3, {sample ? 0xABC00000u : 0x20000000u}))),
                  0);
        const QStringList names = sample ? QStringList{"a,b", "c|d", ""} : QStringList();
        ASSERT_EQ(put("Names", kOutA, CDbAllType(new CDbDataTypeNString(names))), 0);
        const QVector<qint32> iq = sample ? QVector<qint32>{1, -2, 3} : QVector<qint32>();
        ASSERT_EQ(put("IqData", kOutA, CDbAllType(new CDbDataTypeNInt(iq))), 0);
        ASSERT_EQ(putSel("Selected", sample ? 3 : 5, kOutA), 0);
        ASSERT_EQ(putNum("RecLen", sample ? 600 : 700, kOutA), 0);
        if (sample) {
            ASSERT_EQ(putSel("LogicType", 4, kOutB), 0);
        }
    }
    // Every value of Out A and Out B as one text, to compare before and after.
    QString snapshot() {
        QString s;
        for (const SDbInstTupel& t : {kOutA, kOutB})
            for (const char* n :
                 {"LogicType", "ClocRate", "Twin", "SsiData", "Names", "IqData", "Selected", "RecLen", "Dir"})
                s += QString::fromLatin1(n) + "=" + text(n, t) + ";";
        for (int slot = 0; slot < 4; ++slot)
            s += text("ArbFile", {0, 1, 0, slot}) + ";";
        return s;
    }
    QByteArray fileBytes(const QString& name) { return testsupport::readFile(dir.filePath(name)); }

    QTemporaryDir dir;
    CFileUpdate saveUpd{&CFileUpdate::save};
    CFileUpdate recallUpd{&CFileUpdate::recall};
    CFileUpdate logUpd{&CFileUpdate::logCall};
    CSelectedSaveRecall selectedSr;
    CTwinConvIn twin;
};

TEST_F(SettingsFileTest, SaveAndRecallRestoreOneInstance) {
    setValues(true);
    ASSERT_EQ(putStr("Sav", "mine", kOutA), 0);
    const QByteArray file = fileBytes("mine.lynx");
    const QList<QByteArray> lines = file.split('\n');
    ASSERT_GT(lines.size(), 4);
    EXPECT_EQ(lines[2], "module=KobraPlugin");
    EXPECT_TRUE(lines.contains("LogicType[0,0]=sel:6"));
    EXPECT_TRUE(lines.contains("ArbFile[0,2]=str:wave|two\\nx\\\\\\t\\r=[0,0]\xc3\xa4.wv"));
    EXPECT_TRUE(lines.contains("Names[0,0]=list:3|a,b|c\\|d|"));
    EXPECT_TRUE(lines.contains("Selected[0,0]=num:100003")); // through the save object
    EXPECT_EQ(lines.count("Dir[0,0]=sel:1"), 1);             // only the record that serves Out A
    EXPECT_FALSE(file.contains("RecLen")) << "another group";
    EXPECT_FALSE(file.contains("Sav[")) << "settings-file names are no settings";
    const QString saved = snapshot();

    setValues(false);
    trace().clear();
    ASSERT_EQ(putStr("Rcl", "mine", kOutA), 0);

    // The preset comes first, then the file's values, each with its update.
    const std::vector<std::string> expected{"preset", "upd:LogicType 0->2", "upd:LogicType 2->6",
                                            "recall:100003"};
    EXPECT_EQ(trace(), expected);
    EXPECT_EQ(sel("Selected", kOutA), 0);
    EXPECT_EQ(selectedSr.remembered, 100003);
    ASSERT_EQ(putSel("Selected", 3, kOutA), 0);
    ASSERT_EQ(putNum("RecLen", 600, kOutA), 0);
    EXPECT_EQ(snapshot(), saved);
    EXPECT_EQ(num("ClocRate", kOutA), 2.5e7); // the twin's stored value did not overwrite it
}

TEST_F(SettingsFileTest, DamagedForeignAndWrongVersionFilesChangeNothing) {
    setValues(true);
    ASSERT_EQ(putStr("Sav", "good", kOutA), 0);
    const QByteArray good = fileBytes("good.lynx");
    QByteArray lineMissing = good;
    lineMissing.replace("IqData[0,0]=ints:1,-2,3\n", "");

    const std::vector<std::pair<const char*, QByteArray>> bad{
        {"cut in a line", good.left(good.size() / 2)},
        {"a value line missing", lineMissing},
        {"foreign", QByteArray("{TYPE: VGX-WV, 1234}{CLOCK: 1000000}{SAMPLES: 4}")},
        {"wrong version", QByteArray(good).replace("version=1", "version=2")},
        {"unknown name", QByteArray(good).replace("LogicType[", "LogicTipe[")},
        {"wrong type", QByteArray(good).replace("ClocRate[0,0]=num:", "ClocRate[0,0]=str:")},
        {"out of range", QByteArray(good).replace("LogicType[0,0]=sel:6", "LogicType[0,0]=sel:99")},
        {"not in the group", QByteArray(good).replace("LogicType[0,0]", "RecLen[0,0]")},
    };
    setValues(false);
    const QString before = snapshot();
    for (const auto& [what, data] : bad) {
        ASSERT_TRUE(testsupport::writeFile(dir.filePath("bad.lynx"), data));
        trace().clear();
        CDbAnswerBuffer a;
        EXPECT_EQ(putStr("Rcl", "bad", kOutA, &a), DbErrBadFile) << what;
        ASSERT_FALSE(a.getErrors().isEmpty()) << what;
        EXPECT_EQ(a.getErrors().first().code, DbErrBadFile) << what;
        EXPECT_TRUE(a.getErrors().first().text.startsWith(
            "Settings file is damaged or not a settings file: bad.lynx: "))
            << what << ": " << a.getErrors().first().text.toStdString();
        EXPECT_TRUE(trace().empty()) << what << ": " << trace().front();
        EXPECT_EQ(snapshot(), before) << what;
    }

    CDbAnswerBuffer a;
    EXPECT_EQ(putStr("Rcl", "nothere", kOutA, &a), DbErrFileMissing);
    ASSERT_EQ(a.getErrors().size(), 1);
    EXPECT_EQ(a.getErrors()[0].text, "File not found: nothere.lynx");
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SettingsFileTest, AnInterruptedSaveLeavesTheOldFile) {
    setValues(true);
    ASSERT_EQ(putStr("Sav", "keep", kOutA), 0);
    const QByteArray old = fileBytes("keep.lynx");
    setValues(false);

    // A save object failing half way through writes nothing.
    selectedSr.failSave = true;
    CDbAnswerBuffer a;
    EXPECT_EQ(putStr("Sav", "keep", kOutA, &a), DbErrFileWrite);
    EXPECT_TRUE(errorCodes(a).contains(DbErrOlCommand));
    selectedSr.failSave = false;
    EXPECT_EQ(fileBytes("keep.lynx"), old);

    // The disk refusing the data part way through (file size limit) leaves the old file in place.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    CDbAnswerBuffer b;
    const int rc = putStr("Sav", "keep", kOutA, &b);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(rc, DbErrFileWrite);
    ASSERT_FALSE(b.getErrors().isEmpty());
    EXPECT_TRUE(b.getErrors().first().text.startsWith("Settings file cannot be written: "));
    EXPECT_EQ(fileBytes("keep.lynx"), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"keep.lynx"})); // no temporary left

    // And the old file still recalls.
    ASSERT_EQ(putStr("Rcl", "keep", kOutA), 0);
    EXPECT_EQ(sel("LogicType", kOutA), 6);
}

// Names and files a hostile client may point a save or recall at (the rules themselves are
// VGXSafeFile's): names outside the folder, a link out of it, a FIFO. Nothing changes, nothing waits.
TEST_F(SettingsFileTest, SaveAndRecallTouchNothingButSettingsFilesInsideTheFolder) {
    const QString d = QDir(dir.path()).absolutePath();
    CDbAnswerBuffer a;
    EXPECT_EQ(putStr("Sav", "../evil", kOutA, &a), DbErrBadFileName);
    EXPECT_EQ(errorCodes(a), QList<int>({DbErrBadFileName}));
    EXPECT_FALSE(QFile::exists(d + "/../evil.lynx"));

    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    setValues(true);
    ASSERT_EQ(putStr("Sav", "good", kOutA), 0);
    ASSERT_TRUE(QFile::copy(d + "/good.lynx", outside.path() + "/target.lynx"));
    ASSERT_TRUE(QFile::link(outside.path() + "/target.lynx", d + "/evil.lynx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(d + "/fifo.lynx").constData(), 0600), 0);
    for (const char* name : {"evil", "fifo"}) {
        CDbAnswerBuffer b;
        EXPECT_EQ(putStr("Sav", name, kOutA, &b), DbErrFileWrite) << name;
    }
    EXPECT_EQ(QFileInfo(d + "/evil.lynx").symLinkTarget(), outside.path() + "/target.lynx");
    setValues(false);
    const QString before = snapshot();
    for (const char* name : {"evil", "fifo"}) {
        CDbAnswerBuffer b;
        EXPECT_EQ(putStr("Rcl", name, kOutA, &b), DbErrBadFile) << name;
        ASSERT_EQ(errorCodes(b), QList<int>({DbErrBadFile})) << name;
        EXPECT_TRUE(b.getErrors().first().text.endsWith("not a regular file"));
    }
    EXPECT_EQ(snapshot(), before);
}

} // namespace
