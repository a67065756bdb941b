#include "remote/CKobraScpiModule.h"

#include "host/db/CDbDataBaseIfc.h"
#include "host/util/VGXAnchorInterface.h"
#include "host/util/VGXUtility.h"
#include "remote/KobraScpiTables.h"

namespace MvQARN {

CKobraScpiModule::CKobraScpiModule()
    : CDefaultScpiModule(ModuleNumber, &Kobra::g_scpiTableCount, Kobra::g_scpiTableList,
                         &Kobra::g_scpiRootTable, &Kobra::buildScpiTables) {
    initBase();
}

CKobraScpiModule::~CKobraScpiModule() {
    exitBase();
}

double CKobraScpiModule::spiClockFrequency(int index) {
    switch (index) {
    case 0:
        return 1000000.0;
    case 1:
        return 2500000.0;
    case 2:
        return 5000000.0;
    case 3:
        return 8333000.0;
    case 4:
        // The keyword reads "12.5MHZ", so the answer carries the same frequency.
        return 12500000.0;
    case 5:
        return 25000000.0;
    default:
        return 0.0;
    }
}

void CKobraScpiModule::answerHook(int commandCode, const SDbInstTupel& tupel, QString& answer) {
    if (commandCode != Kobra::ScpiCodeSpiClockFrequency)
        return;
    VGXAnchorInterface* anchor = VGXUtility::getAnchorInterface();
    CDbDataBaseIfc* db = anchor ? anchor->dataBase() : nullptr;
    if (!db)
        return;
    int index = -1;
    // Without a readable selection the host's answer stays.
    if (db->getSelect("IdPDbLynxSsiSpiClocFreq", index, tupel.t0, tupel.t3, tupel.t2, tupel.t1) != 0)
        return;
    answer = QString::number(spiClockFrequency(index), 'g', 6);
}

} // namespace MvQARN
