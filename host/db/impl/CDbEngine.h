#pragma once
// The host parameter database: owns and wires its parts, the definition registry (records and
// values), the request pipeline (requests, reads, change batches) and the settings files (preset,
// save and recall), and holds what the contexts of plug-in functions offer besides (mode word,
// organisation-layer commands, list administration). Code that needs only one part uses that part;
// the forwarding members keep the callers of the whole database short. GUI thread only.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbChangeObserver.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbDefinitionRegistry.h"
#include "host/db/impl/CDbRequestPipeline.h"
#include "host/db/impl/CDbSettingsFiles.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbDataBaseIfc;
class CDbDataBaseIfcImpl;
class CDbListenerHub;
class CDbMsgBuffer;
class CDbMsgBufferImpl;
class COlCommandIfc;
class CListAdmMainExtend;

class VGX_EXPORT CDbEngine {
public:
    static CDbEngine& instance();
    CDbEngine();
    ~CDbEngine();
    CDbEngine(const CDbEngine&) = delete;
    CDbEngine& operator=(const CDbEngine&) = delete;

    // Forgets all definitions, values, listeners and observers and restores the default settings.
    void reset();

    CDbDefinitionRegistry& registry() { return m_registry; }
    CDbRequestPipeline& requests() { return m_requests; }
    CDbSettingsFiles& settings() { return m_settings; }
    // Where change observers sign on.
    CDbChangeSource& changeSource() { return m_requests.changes(); }
    // Reads through conversion-out, for host code and organisation layers.
    CDbDataBaseIfc* dataBaseIfc();
    // Takes messages and writes each as a request of its own (errors to the error sink).
    CDbMsgBuffer* msgBuffer();

    void setModeWord(unsigned w) { m_modeWord = w; }
    unsigned modeWord() const { return m_modeWord; }
    void setOlCommand(COlCommandIfc* c) { m_olCommand = c; }
    COlCommandIfc* olCommand() const { return m_olCommand; }
    void setListAdm(CListAdmMainExtend* l) { m_listAdm = l; }
    CListAdmMainExtend* listAdm() const { return m_listAdm; }
    // Lists a file catalogue's folder again; the list administration sets it when it attaches, so a
    // catalogue read shows the files that came and went while the host ran.
    void setCatalogueRefresh(std::function<void(int listType)> f) { m_catalogueRefresh = std::move(f); }
    void refreshCatalogue(int listType) {
        if (m_catalogueRefresh)
            m_catalogueRefresh(listType);
    }

    // Registry
    int registerDescriptor(const SDbDescriptor* d, int moduleNumber) {
        return m_registry.registerDescriptor(d, moduleNumber);
    }
    int registerDescriptor(const SDbDescriptor* d, int moduleNumber, const char* moduleName) {
        return m_registry.registerDescriptor(d, moduleNumber, moduleName);
    }
    void unregisterModule(int moduleNumber) { m_registry.unregisterModule(moduleNumber); }
    void setModuleName(int moduleNumber, const QByteArray& name) {
        m_registry.setModuleName(moduleNumber, name);
    }
    QByteArray moduleName(int moduleNumber) const { return m_registry.moduleName(moduleNumber); }
    int defaultModuleNumber() const { return m_registry.defaultModuleNumber(); }
    const SDbDefCommon* findRecord(const char* name, const SDbInstTupel& t) const {
        return m_registry.findRecord(name, t);
    }
    QList<const SDbDefCommon*> records(const char* name) const { return m_registry.records(name); }
    QList<QByteArray> names() const { return m_registry.names(); }
    int locate(const char* name, const SDbInstTupel& t, const SDbDefCommon*& def,
               SDbInstTupel& stored) const {
        return m_registry.locate(name, t, def, stored);
    }
    int readStored(const char* name, const SDbInstTupel& t, CDbAllType& out) const {
        return m_registry.readStored(name, t, out);
    }

    // Requests
    int write(const CDbMsg& msg, CDbAnswerBuffer* answer = nullptr) { return m_requests.write(msg, answer); }
    int write(CDbMsgList& msgs, CDbAnswerBuffer* answer = nullptr) { return m_requests.write(msgs, answer); }
    int write(const char* name, const SDbInstTupel& t, const CDbAllType& value,
              CDbAnswerBuffer* answer = nullptr, int msgType = DbMsgSet, unsigned flags = 0) {
        return m_requests.write(name, t, value, answer, msgType, flags);
    }
    int read(const char* name, const SDbInstTupel& t, CDbAllType& out, CDbAnswerBuffer* answer = nullptr,
             int msgType = DbMsgSet) {
        return m_requests.read(name, t, out, answer, msgType);
    }
    bool limits(const char* name, const SDbInstTupel& t, double& min, double& max) {
        return m_requests.limits(name, t, min, max);
    }
    QVector<int> choices(const char* name, const SDbInstTupel& t) { return m_requests.choices(name, t); }
    std::unique_ptr<CDbCnct> makeContext(const char* name, const SDbInstTupel& t,
                                         const CDbAllType& value = CDbAllType(),
                                         CDbAnswerBuffer* answer = nullptr) {
        return m_requests.makeContext(name, t, value, answer);
    }
    void setErrorSink(CDbAnswerBuffer* sink) { m_requests.setErrorSink(sink); }
    CDbAnswerBuffer* errorSink() const { return m_requests.errorSink(); }
    int nestingLimit() const { return m_requests.nestingLimit(); }
    int depth() const { return m_requests.depth(); }

    // Change observers: a function observer answers an id for removeRequestObserver.
    int addRequestObserver(std::function<void(const QVector<SDbChange>&)> fn) {
        return m_requests.changes().addObserver(std::move(fn));
    }
    void removeRequestObserver(int id) { m_requests.changes().removeObserver(id); }
    void setListenerHub(CDbListenerHub* hub) { m_requests.changes().setListenerHub(hub); }

    // Settings
    int presetGroup(int group, unsigned mask, int t0, int t1, int t2, int t3, const char* name = nullptr,
                    CDbAnswerBuffer* answer = nullptr) {
        return m_settings.presetGroup(group, mask, t0, t1, t2, t3, name, answer);
    }
    int saveSettings(const QString& path, int group, unsigned mask, int t0, int t1, const char* module,
                     CDbAnswerBuffer* answer = nullptr) {
        return m_settings.saveSettings(path, group, mask, t0, t1, module, answer);
    }
    int recallSettings(const QString& path, int t0, int t1, const char* module = nullptr,
                       CDbAnswerBuffer* answer = nullptr, const std::function<void()>& preset = {}) {
        return m_settings.recallSettings(path, t0, t1, module, answer, preset);
    }
    void setUserSettingsDir(const QString& dir) { m_settings.setUserSettingsDir(dir); }
    QString userSettingsDir() const { return m_settings.userSettingsDir(); }
    QString userFilePath(const QString& name, bool settingsFile) const {
        return m_settings.userFilePath(name, settingsFile);
    }

private:
    CDbDefinitionRegistry m_registry;
    CDbRequestPipeline m_requests;
    CDbSettingsFiles m_settings;
    std::unique_ptr<CDbDataBaseIfcImpl> m_ifc;
    std::unique_ptr<CDbMsgBufferImpl> m_msgBuffer;

    unsigned m_modeWord = 0x121;
    COlCommandIfc* m_olCommand = nullptr;
    CListAdmMainExtend* m_listAdm = nullptr;
    std::function<void(int)> m_catalogueRefresh;
};

} // namespace MvQARN
