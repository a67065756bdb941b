// arb_shot WAVEFILE.wv [OUTPUT.png]
//
// Builds the ARB settings panel of interface A (BBIN) over the plug-in's catalogue, picks the
// waveform file into ARB 2 through the file dialog's answer hook, switches that entry on and saves
// a picture of the panel (default arb_shot.png). Runs offscreen unless QT_QPA_PLATFORM says
// otherwise.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "host/db/CDbAllType.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXStyleManager.h"
#include "host/gui/VGXUserFileDialog.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "host/olfw/impl/HostParameters.h"
#include "params/KobraCatalogue.h"
#include "params/KobraDbInfo.h"
#include "ui/arb/CKobraArbSettings.h"

using namespace MvQARN;

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    VGXStyleManager::applyHostStyle();
    if (argc < 2) {
        std::fprintf(stderr, "usage: arb_shot WAVEFILE.wv [OUTPUT.png]\n");
        return 2;
    }
    const QString wave = QString::fromLocal8Bit(argv[1]);
    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("arb_shot.png");

    QTemporaryDir settings;
    CDbEngine& db = CDbEngine::instance();
    db.setUserSettingsDir(settings.path());
    registerHostParameters();
    if (db.registerDescriptor(&Kobra::g_dbDescriptor, 2028, "KobraPlugin") != 0) {
        std::fprintf(stderr, "arb_shot: the catalogue was refused\n");
        return 1;
    }
    CListAdmMainExtend listAdm;
    listAdm.registerListTypes(Kobra::g_mdlDbInfo.listTypes, Kobra::g_mdlDbInfo.listTypeCount);
    db.setListAdm(&listAdm);

    int rc = 0;
    {
        CKobraArbSettings panel(nullptr, 0, 0);
        VGXUserFileDialog::setAnswerHook([&wave](const VGXUserFileDialog&) { return wave; });
        panel.descriptor()->activateCell(1, CKobraTblDscrArb::ColFile);
        VGXUserFileDialog::setAnswerHook(nullptr);
        db.write("IdPDbLynxArbState", SDbInstTupel{0, 0, 0, 1}, CDbAllType::fromInt(1));
        panel.resize(panel.sizeHint());
        panel.show();
        app.processEvents();
        if (!panel.grab().save(out)) {
            std::fprintf(stderr, "arb_shot: cannot write %s\n", qPrintable(out));
            rc = 1;
        }
    }
    db.setListAdm(nullptr);
    db.reset();
    return rc;
}
