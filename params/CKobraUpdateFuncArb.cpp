// Update functions of the ARB: file information of its entries and the ARB preset.
#include "formats/KobraArbInfo.h"
#include "params/CKobraUpdateFunc.h"
#include "params/CKobraUpdateFuncHelpers.h"

namespace MvQARN {

using namespace KobraUpdate;

namespace {

constexpr int kArbEntries = 4;
// Preset mask of the ARB settings within the interface group.
constexpr unsigned kPresetMaskArb = 0x10000u;

} // namespace

int CKobraUpdateFunc::updArbFile(CDbCnct& cnct, const CDbAllType&) {
    Kobra::updArbFileInfo(cnct, cnct.t3());
    return DbOk;
}

int CKobraUpdateFunc::updArbReload(CDbCnct& cnct, const CDbAllType&) {
    for (int entry = 0; entry < kArbEntries; ++entry)
        Kobra::updArbFileInfo(cnct, entry);
    return DbOk;
}

int CKobraUpdateFunc::updArbPreset(CDbCnct& cnct, const CDbAllType&) {
    presetInterface(cnct, kPresetMaskArb);
    for (int entry = 0; entry < kArbEntries; ++entry)
        Kobra::updArbFileInfo(cnct, entry);
    int state = 0;
    const int rc = cnct.getDataBaseIfc()->getSelect("IdPDbLynxState", state, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (state != 1)
        return DbOk;
    queueInt(cnct, "IdPDbKobraState", 0, cnct.t0(), cnct.t1());
    cnct.updData(true);
    cnct.getAnswerBuffer().errOut(DbErrWithText, cnct.t0(),
                                  QStringLiteral("ARB settings conflict, User Defined is switched off"));
    return DbOk;
}

} // namespace MvQARN
