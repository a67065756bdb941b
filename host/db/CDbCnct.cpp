#include "host/db/CDbCnct.h"

#include "host/db/CDbDataTypeString.h"
#include "host/db/impl/CDbEngine.h"
#include "host/db/impl/CDbRecord.h"
#include "host/db/impl/CDbRequest.h"
#include "host/db/impl/CDbRequestPipeline.h"
#include "host/db/impl/CDbSettingsFiles.h"

namespace MvQARN {

namespace {

// Auxiliary data kind of a recall message that names the settings file.
constexpr int kAuxRecallPath = 9;

} // namespace

// Without a request the context stands alone: it reads, queues and runs writes like any other, with
// its errors going to the engine's error sink.
CDbCnct::CDbCnct(CDbRequest* request) : m_request(request) {
    if (!m_request) {
        CDbEngine& e = CDbEngine::instance();
        m_request = new CDbRequest(e, e.requests().errorSink());
        m_request->ownedByContext = true;
    }
}

CDbCnct::~CDbCnct() {
    if (m_request->ownedByContext) {
        m_request->runQueue(); // a stand-alone context drops nothing it was given
        delete m_request;
    }
}

CDbDataBaseIfc* CDbCnct::getDataBaseIfc() const {
    return &m_request->dataBaseIfc();
}

const char* CDbCnct::getName() const {
    return m_request->name.constData();
}

const SDbInstTupel& CDbCnct::getTupel() const {
    return m_request->tupel;
}

const CDbAllType& CDbCnct::getValue() const {
    return m_request->value;
}

void CDbCnct::setValue(const CDbAllType& v) {
    m_request->value = v;
}

CDbMsgList& CDbCnct::getMsgList() {
    return m_request->list();
}

CDbMsg* CDbCnct::getCurrentMsg() const {
    return m_request->current;
}

int CDbCnct::getMsgType() const {
    return m_request->current ? m_request->current->getMsgType() : int(DbMsgSet);
}

unsigned CDbCnct::getMsgFlags() const {
    return m_request->current ? m_request->current->getFlags() : 0u;
}

unsigned CDbCnct::getChangeFlags() const {
    return m_request->changeFlags;
}

void CDbCnct::setResult(CDbDataType* takeOwnership) {
    m_request->result.set(takeOwnership);
}

const CDbAllType& CDbCnct::getResult() const {
    return m_request->result;
}

QString& CDbCnct::errorText() {
    return m_request->errorText;
}

CDbAnswerBuffer& CDbCnct::getAnswerBuffer() {
    return m_request->answer();
}

COlCommandIfc* CDbCnct::getOlCommand() const {
    return m_request->engine().olCommand();
}

CListAdmMainExtend* CDbCnct::getListAdm() const {
    return m_request->engine().listAdm();
}

void CDbCnct::giveMsg(CDbMsg* takeOwnership) {
    m_request->queue(takeOwnership);
}

int CDbCnct::updData(bool run) {
    return run ? m_request->runQueue() : int(DbOk);
}

int CDbCnct::updDataFast(bool run) {
    return updData(run);
}

int CDbCnct::presetGrp(bool run, int group, unsigned mask, int /*mode*/, bool /*fast*/, const char* name,
                       const SDbInstTupel& /*tupel*/, int t0, int t3, int t2, int t1) {
    if (!run)
        return DbOk;
    const int filter[4] = {t0, t1, t2, t3};
    return m_request->engine().settings().presetWith(group, mask, filter, name, m_request->answer());
}

CDbDataTypeString* CDbCnct::srSavDb(const QString& path, int group, unsigned mask, int /*mode*/,
                                    const char* section, const char* key, const char* const* names,
                                    const char* module, bool /*fast*/, int /*reserved*/) {
    CDbEngine& e = m_request->engine();
    const CDbRecord* rec = m_request->record();
    // The first save names the module's settings files; recalls then refuse files of other modules.
    if (rec && module && *module && e.registry().moduleName(rec->module()).isEmpty())
        e.registry().setModuleName(rec->module(), module);
    const int rc = e.settings().saveWith(path, group, mask, t0(), t1(), names, module, section, key,
                                         m_request->answer());
    if (rc != DbOk)
        return nullptr;
    m_request->savedPath = std::make_unique<CDbDataTypeString>(path);
    return m_request->savedPath.get();
}

int CDbCnct::srRcl(int /*kind*/, PresetCallback preset) {
    CDbEngine& e = m_request->engine();
    const CDbDataType* aux = m_request->current ? m_request->current->getAuxData(kAuxRecallPath) : nullptr;
    const QString path = aux && aux->getType() == DbTypeString
                             ? static_cast<const CDbDataTypeString*>(aux)->getValStringQ()
                             : QString();
    const CDbRecord* rec = m_request->record();
    const QByteArray module = rec ? e.registry().moduleName(rec->module()) : QByteArray();
    std::function<void()> presetFn;
    if (preset)
        presetFn = [this, preset]() { preset(*this); };
    return e.settings().recallWith(path, t0(), t1(), module, rec ? rec->module() : -1, presetFn,
                                   m_request->answer());
}

QString CDbCnct::appendUserPathFile(const QString& name, bool settingsFolder) {
    return m_request->engine().settings().userFilePath(name, settingsFolder);
}

} // namespace MvQARN
