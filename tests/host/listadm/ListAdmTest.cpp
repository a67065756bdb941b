// The host's list administration: the file catalogues it keeps in the database and the files it
// deletes for delete names; and its place in the running host. Its tag queries are ArbInfoTest's.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "frame/OrvaneSettings.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "host/olfw/impl/HostParameters.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXErrorManager.h"
#include "params/KobraDbInfo.h"
#include "support/TestDbDefinitions.h"
#include "support/TestFiles.h"

using namespace MvQARN;

namespace {

constexpr int Settings = 188, Hex = 178, Wave = 192, Rec = 201;

void touch(const QString& path) {
    ASSERT_TRUE(testsupport::writeFile(path, "x")) << path.toStdString();
}

QStringList readList(const char* name, const SDbInstTupel& t) {
    CDbAllType v;
    if (CDbEngine::instance().read(name, t, v) != 0 || v.getType() != DbTypeNString)
        return {"<unreadable>"};
    return static_cast<const CDbDataTypeNString*>(v.get())->getValList();
}

QString readText(const char* name, const SDbInstTupel& t) {
    CDbAllType v;
    QString s;
    CDbEngine::instance().read(name, t, v);
    v.toString(s);
    return s;
}

int writeText(const char* name, const SDbInstTupel& t, const QString& text) {
    return CDbEngine::instance().write(name, t, CDbAllType::fromString(text));
}

// ---------------------------------------------------------------------------------------------
// Catalogues and delete names

class ListAdmFiles : public ::testing::Test {
protected:
    void SetUp() override {
        CDbEngine::instance().reset();
        ASSERT_TRUE(m_dir.isValid());
        m_arb = m_dir.filePath("arb");
        m_settings = m_dir.filePath("settings");
        QDir().mkpath(m_arb);
        QDir().mkpath(m_settings);
        CDbEngine::instance().setUserSettingsDir(m_settings);

        // File lists and file names with their list type, file operation and index function.
        auto file = [](SDbDefCommon& c, int listType, int op, DbIdxFunc idx = nullptr) {
            c.fileListType = listType;
            c.fileOp = op;
            c.idx = idx;
        };
        const dbtest::Inst ifc{2, 2, 1, 1};
        file(m_defs.list("IdPDbKobraArbCatName", ifc).c, 0xc0, 7, &idxL2PDbAllX21);
        auto& hex = m_defs.list("IdPDbLynxSsiHexFileCat", ifc); // per instance, at most three names
        file(hex.c, 0xb2, 7);
        hex.maxEntries = 3;
        m_defs.list("IdPDbKobraSerials", ifc); // no catalogue
        // No length limit: file names of any length reach the functions.
        file(m_defs.string("IdPDbKobraArbDel", "", 0, ifc).c, 0xc0, 2, &idxL2PDbAllX21);
        file(m_defs.string("IdPDbLynxArbFile", "", 0, {2, 2, 1, 4}).c, 0xc0, 0);
        ASSERT_EQ(m_defs.registerAll(4), 0);

        m_adm.registerListTypes(Kobra::g_mdlDbInfo.listTypes, Kobra::g_mdlDbInfo.listTypeCount);
        m_adm.setFolder(Wave, m_arb, "wv");
        CDbEngine::instance().setListAdm(&m_adm);
    }
    void TearDown() override {
        m_adm.detach();
        CDbEngine::instance().reset();
    }
    QStringList arbCatalogue(int t0 = 0, int t1 = 0) {
        return readList("IdPDbKobraArbCatName", {t0, t1, 0, 0});
    }

    QTemporaryDir m_dir;
    QString m_arb;
    QString m_settings;
    dbtest::Defs m_defs;
    CListAdmMainExtend m_adm;
};

// A catalogue answer is one line, and no recall or transfer opens a link: names with line breaks or
// other control characters, links and folders are not offered.
TEST_F(ListAdmFiles, CataloguesListTheFilesOfTheirFolderForEveryInstance) {
    for (const char* f : {"/b.wv", "/A.wv", "/c.WV.txt", "/sub/deep.wv", "/line\nfeed.wv", "/cr\r.wv",
                          "/tab\t.wv", "/del\x7f.wv"})
        touch(m_arb + f);
    QDir().mkpath(m_arb + "/dir.wv");
    ASSERT_TRUE(QFile::link(m_arb + "/b.wv", m_arb + "/link.wv"));
    for (const char* f : {"/h4.hex", "/h1.hex", "/h3.hex", "/h2.hex"})
        touch(m_settings + f);
    m_adm.attach(CDbEngine::instance());
    EXPECT_EQ(arbCatalogue(1, 0), QStringList({"A.wv", "b.wv"}));
    EXPECT_EQ(readList("IdPDbLynxSsiHexFileCat", {0, 1, 0, 0}), QStringList({"h1.hex", "h2.hex", "h3.hex"}))
        << "no more names than the parameter holds";
    EXPECT_TRUE(readList("IdPDbKobraSerials", {}).isEmpty());

    // Files copied in or removed behind the host's back: a catalogue lists its folder when it is read.
    touch(m_arb + "/copied.wv");
    EXPECT_EQ(arbCatalogue(1, 1), QStringList({"A.wv", "b.wv", "copied.wv"}));
    ASSERT_TRUE(QFile::remove(m_arb + "/copied.wv"));
    EXPECT_EQ(arbCatalogue(0, 1), QStringList({"A.wv", "b.wv"}));
}

TEST_F(ListAdmFiles, ADeleteNameDeletesOnlyAFileOfItsListInsideItsFolder) {
    for (const QString& f : {m_dir.filePath("outside.wv"), m_arb + "/a.wv", m_arb + "/b.wv",
                             m_arb + "/notes.txt", m_settings + "/x.wv"})
        touch(f);
    QFile::link(m_dir.path(), m_arb + "/up");
    m_adm.attach(CDbEngine::instance());
    VGXErrorManager::Collector errors;
    ASSERT_EQ(writeText("IdPDbKobraArbDel", {1, 1, 0, 0}, "a.wv"), 0);
    EXPECT_FALSE(QFile::exists(m_arb + "/a.wv"));
    EXPECT_EQ(arbCatalogue(), QStringList({"b.wv"}));
    EXPECT_TRUE(readText("IdPDbKobraArbDel", {}).isEmpty()) << "the name is emptied once done";
    EXPECT_TRUE(errors.isEmpty());

    for (const QString& name :
         {QString("sub/../../outside.wv"), m_dir.filePath("outside.wv"), QString("notes.txt"),
          QString("up/outside.wv"), QString("..\\outside.wv"), m_settings + "/x.wv"}) {
        VGXErrorManager::Collector refused;
        ASSERT_EQ(writeText("IdPDbKobraArbDel", {}, name), 0);
        ASSERT_EQ(refused.errors().size(), 1) << name.toStdString();
        EXPECT_EQ(refused.errors().first().code, 20014) << name.toStdString();
    }
    for (const QString& f : {m_dir.filePath("outside.wv"), m_arb + "/notes.txt", m_settings + "/x.wv"})
        EXPECT_TRUE(QFile::exists(f)) << f.toStdString();
    VGXErrorManager::Collector missing;
    ASSERT_EQ(writeText("IdPDbKobraArbDel", {}, "gone.wv"), 0);
    ASSERT_EQ(missing.errors().size(), 1);
    EXPECT_EQ(missing.errors().first().code, 20012);
}

// ---------------------------------------------------------------------------------------------
// In the running host

class ListAdmInHost : public ::testing::Test {
protected:
    void SetUp() override {
        CDbEngine::instance().reset();
        VGXGuiRegistry::reset();
        ASSERT_TRUE(m_dir.isValid());
        registerHostParameters();
    }
    void TearDown() override {
        if (m_runtime)
            m_runtime->shutdown();
        m_runtime.reset();
        VGXGuiRegistry::reset();
        CDbEngine::instance().reset();
    }
    QTemporaryDir m_dir;
    std::unique_ptr<VGXHostRuntime> m_runtime;
};

TEST_F(ListAdmInHost, TheHostStartsWithTheModulesListTypesAndItsFoldersCatalogued) {
    const QString documents = m_dir.path() + "/Maravel/Orvane";
    for (const char* f : {"/ARBWaveForms/wave2.wv", "/ARBWaveForms/wave1.wv", "/RecorderWaveForms/rec.wv"})
        touch(documents + f);
    for (const char* f : {"/user.lynx", "/gain.hex"})
        touch(m_dir.path() + f);

    VGXHostRuntime::Options options;
    options.settingsDir = m_dir.path();
    options.pluginPaths = {QStringLiteral(VGX_BUILD_DIR "/plugins/libkobra.so")};
    m_runtime = std::make_unique<VGXHostRuntime>(options);
    QString error;
    ASSERT_TRUE(m_runtime->start(&error)) << error.toStdString();

    CListAdmMainExtend* adm = CDbEngine::instance().listAdm();
    ASSERT_NE(adm, nullptr);
    EXPECT_EQ(adm->listTypes(), QList<int>({Hex, Settings, Wave, Rec}));
    // The host looks where the plug-in's ARB panel looks.
    EXPECT_EQ(adm->folder(Wave), getMyDocumentsPath() + "/ARBWaveForms");

    const SDbInstTupel t{1, 1, 0, 0};
    EXPECT_EQ(readList("IdPDbKobraArbCatName", t), QStringList({"wave1.wv", "wave2.wv"}));
    EXPECT_EQ(readList("IdPDbKobraRecCatName", t), QStringList({"rec.wv"}));
    EXPECT_EQ(readList("IdPDbLynxCatName", t), QStringList({"user.lynx"}));
    EXPECT_EQ(readList("IdPDbLynxSsiHexFileCat", t), QStringList({"gain.hex"}));

    m_runtime->shutdown();
    EXPECT_EQ(CDbEngine::instance().listAdm(), nullptr);
}

} // namespace
