#include "formats/KobraArbInfo.h"

#include <QFileInfo>
#include <QStringList>
#include <memory>

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefs.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "params/KobraDbInfo.h"

using namespace MvQARN;

namespace {

constexpr int AuxFileName = CListAdmMainExtend::AuxFileName;
constexpr int AuxTagName = CListAdmMainExtend::AuxTagName;
constexpr int ModuleNumber = 4;
constexpr int EntryCount = 4;

// Puts the message's auxiliary data of one kind back as it was when the query is done; the message
// belongs to the running request and may carry a file name of its own.
class AuxRestore {
public:
    AuxRestore(CDbMsg& msg, int kind) : m_msg(msg), m_kind(kind) {
        if (const CDbDataType* d = msg.getAuxData(kind))
            m_saved.reset(d->clone());
    }
    ~AuxRestore() { m_msg.giveAuxData(m_kind, m_saved.release()); }
    AuxRestore(const AuxRestore&) = delete;
    AuxRestore& operator=(const AuxRestore&) = delete;

private:
    CDbMsg& m_msg;
    int m_kind;
    std::unique_ptr<CDbDataType> m_saved;
};

// The tag's text, or a null string when the file lacks it.
QString queryTag(CListAdmMainExtend& listAdm, CDbMsg& msg, const char* tag) {
    msg.giveAuxData(AuxTagName, new CDbDataTypeString(QString::fromLatin1(tag)));
    std::unique_ptr<CDbDataTypeString> value(listAdm.getTag(Kobra::ListTypeWaveform, msg));
    return value ? value->getValStringQ() : QString();
}

} // namespace

namespace Kobra {

int getKobraArbInfo(CDbCnct& cnct, const QString& fileName, SArbInfo& info) {
    info = SArbInfo();
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return DbErrFileMissing;
    CListAdmMainExtend* listAdm = cnct.getListAdm();
    if (!listAdm)
        return DbErrNoModule;

    CDbMsg local;
    CDbMsg& msg = cnct.getCurrentMsg() ? *cnct.getCurrentMsg() : local;
    AuxRestore keepFile(msg, AuxFileName);
    AuxRestore keepTag(msg, AuxTagName);
    msg.giveAuxData(AuxFileName, new CDbDataTypeString(fileName));

    const QString clock = queryTag(*listAdm, msg, "CLOCK");
    if (!clock.isNull())
        info.clock = clock.toDouble();
    const QString samples = queryTag(*listAdm, msg, "SAMPLES");
    if (!samples.isNull())
        info.samples = samples.toDouble();
    const QString levels = queryTag(*listAdm, msg, "LEVEL OFFS");
    if (!levels.isNull()) {
        const QStringList parts = levels.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (parts.size() >= 2) {
            info.rmsOffset = parts.at(0).toDouble();
            info.pepOffset = parts.at(1).toDouble();
        }
    }
    return DbOk;
}

void updArbFileInfo(CDbCnct& cnct, int entry) {
    if (entry < -1 || entry >= EntryCount)
        return;
    const int first = entry < 0 ? 0 : entry;
    const int last = entry < 0 ? EntryCount - 1 : entry;
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    for (int e = first; e <= last; ++e) {
        SArbInfo info;
        QString fileName;
        if (db && db->getString("IdPDbLynxArbFile", fileName, t0, e, 0, t1) == DbOk && !fileName.isEmpty())
            getKobraArbInfo(cnct, fileName, info);
        const struct {
            const char* name;
            double value;
        } values[] = {
            {"IdPDbLynxArbSampRate", info.clock},
            {"IdPDbLynxArbSamples", info.samples},
            {"IdPDbLynxArbPep", info.pepOffset},
            {"IdPDbLynxArbRms", info.rmsOffset},
        };
        for (const auto& v : values)
            cnct.giveMsg(new CDbMsg(ModuleNumber, ModuleNumber, v.name, v.value, DbMsgSet, 0, 0, t0, t1, 0, e,
                                    0, -1, 127));
        cnct.updDataFast(true);
    }
}

} // namespace Kobra
