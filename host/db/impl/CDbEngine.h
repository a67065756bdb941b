#pragma once
// The host parameter database: definitions, stored values, the request pipeline (check,
// conversion-in, store, update), reads through conversion-out, preset, settings files and the
// change notification after each request. GUI thread only; re-entrant calls from plug-in functions
// are expected and bounded by the nesting limit.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbDefinitionRegistry.h"

namespace MvQARN {

class CDbDataBaseIfc;
class CDbDataBaseIfcImpl;
class CDbMsgBuffer;
class CDbMsgBufferImpl;
class CDbRecord;
class CDbRequest;
class CDbForwardAnswerBuffer;
class CDbListenerHub;
class COlCommandIfc;
class CListAdmMainExtend;

class CDbEngine {
public:
    static CDbEngine& instance();
    CDbEngine();
    ~CDbEngine();
    CDbEngine(const CDbEngine&) = delete;
    CDbEngine& operator=(const CDbEngine&) = delete;

    // Forgets all definitions, values, listeners and observers and restores the default settings.
    void reset();

    // Defines every record of the descriptor's typed arrays. 0, or an error when the descriptor is
    // malformed (nothing is defined then). A record registered again is kept as it is; a record of the
    // same name and range A as an earlier one replaces it.
    int registerDescriptor(const SDbDescriptor* d, int moduleNumber) {
        return m_registry.registerDescriptor(d, moduleNumber);
    }
    int registerDescriptor(const SDbDescriptor* d, int moduleNumber, const char* moduleName) {
        return m_registry.registerDescriptor(d, moduleNumber, moduleName);
    }
    // Removes the records of a module (before its library is unloaded).
    void unregisterModule(int moduleNumber) { m_registry.unregisterModule(moduleNumber); }
    // Module name that settings files of this module carry ("KobraPlugin").
    void setModuleName(int moduleNumber, const QByteArray& name) {
        m_registry.setModuleName(moduleNumber, name);
    }
    QByteArray moduleName(int moduleNumber) const { return m_registry.moduleName(moduleNumber); }
    int defaultModuleNumber() const { return m_registry.defaultModuleNumber(); }
    CDbDefinitionRegistry& registry() { return m_registry; }

    // One request. Returns 0 or the first error (a refusal, or an error of an update function).
    int write(const CDbMsg& msg, CDbAnswerBuffer* answer = nullptr);
    // A request made of several messages: the first is the head, the others count as inserted
    // behind it. The messages are taken out of the list.
    int write(CDbMsgList& msgs, CDbAnswerBuffer* answer = nullptr);
    int write(const char* name, const SDbInstTupel& t, const CDbAllType& value,
              CDbAnswerBuffer* answer = nullptr, int msgType = DbMsgSet, unsigned flags = 0);

    // Reads with conversion-out; msgType is what conversion-out functions see as the request's type.
    int read(const char* name, const SDbInstTupel& t, CDbAllType& out, CDbAnswerBuffer* answer = nullptr);
    int read(const char* name, const SDbInstTupel& t, CDbAllType& out, CDbAnswerBuffer* answer, int msgType);
    int readStored(const char* name, const SDbInstTupel& t, CDbAllType& out) const {
        return m_registry.readStored(name, t, out);
    }

    CDbDataBaseIfc* dataBaseIfc();

    void setModeWord(unsigned w) { m_modeWord = w; }
    unsigned modeWord() const { return m_modeWord; }
    void setOlCommand(COlCommandIfc* c) { m_olCommand = c; }
    COlCommandIfc* olCommand() const { return m_olCommand; }
    void setListAdm(CListAdmMainExtend* l) { m_listAdm = l; }
    CListAdmMainExtend* listAdm() const { return m_listAdm; }
    void setUserSettingsDir(const QString& dir) { m_userDir = dir; }
    QString userSettingsDir() const;
    // Where errors of requests without an answer buffer of their own go (the GUI's error display).
    void setErrorSink(CDbAnswerBuffer* sink) { m_errorSink = sink; }
    CDbAnswerBuffer* errorSink() const { return m_errorSink; }

    // Full path of a user file inside the user settings folder; empty when the name is refused.
    QString userFilePath(const QString& name, bool settingsFile) const;

    // Definition introspection.
    const SDbDefCommon* findRecord(const char* name, const SDbInstTupel& t) const {
        return m_registry.findRecord(name, t);
    }
    QList<const SDbDefCommon*> records(const char* name) const { return m_registry.records(name); }
    QList<QByteArray> names() const { return m_registry.names(); }
    // Record and stored instance an addressed instance maps to; 0 or an error.
    int locate(const char* name, const SDbInstTupel& t, const SDbDefCommon*& def,
               SDbInstTupel& stored) const {
        return m_registry.locate(name, t, def, stored);
    }

    // Current limits and choices at an instance (the check function runs in a query pass).
    bool limits(const char* name, const SDbInstTupel& t, double& min, double& max);
    QVector<int> choices(const char* name, const SDbInstTupel& t);

    // Change flags a function sees (CDbCnct::getChangeFlags): a value that differs from the previous
    // one (always for events) sets ChangeValue when a request stored it, ChangePresetRecall when a
    // group preset or a settings recall did.
    enum EChangeFlag : unsigned {
        ChangeValue = 0x1,
        ChangePresetRecall = 0x2,
    };

    struct SChange {
        QByteArray name;
        SDbInstTupel tupel;                   // stored instance
        const SDbDefCommon* record = nullptr; // which of several records of the name changed
    };
    int addRequestObserver(std::function<void(const QVector<SChange>&)> fn);
    void removeRequestObserver(int id);
    void setListenerHub(CDbListenerHub* hub) { m_hub = hub; }

    CDbMsgBuffer* msgBuffer();

    int nestingLimit() const { return m_nestingLimit; }
    int depth() const { return m_depth; }

    // Group preset (see CDbCnct::presetGrp); filter indices -1 mean any.
    int presetGroup(int group, unsigned mask, int t0, int t1, int t2, int t3, const char* name = nullptr,
                    CDbAnswerBuffer* answer = nullptr);
    // Settings files of one path-side instance.
    int saveSettings(const QString& path, int group, unsigned mask, int t0, int t1, const char* module,
                     CDbAnswerBuffer* answer = nullptr);
    int recallSettings(const QString& path, int t0, int t1, const char* module = nullptr,
                       CDbAnswerBuffer* answer = nullptr, const std::function<void()>& preset = {});

    // A context for calling plug-in functions from host code or tests; its errors go to answer.
    std::unique_ptr<CDbCnct> makeContext(const char* name, const SDbInstTupel& t,
                                         const CDbAllType& value = CDbAllType(),
                                         CDbAnswerBuffer* answer = nullptr);

    // Host side of the context and the request pipeline.
    int runRequest(CDbMsgList& list, CDbForwardAnswerBuffer& answer);
    int readWith(const char* name, const SDbInstTupel& t, CDbAllType& out, CDbForwardAnswerBuffer& answer,
                 int msgType);
    int presetWith(int group, unsigned mask, const int filter[4], const char* name,
                   CDbForwardAnswerBuffer& answer);
    int saveWith(const QString& path, int group, unsigned mask, int t0, int t1, const char* const* names,
                 const char* module, const char* section, const char* key, CDbForwardAnswerBuffer& answer);
    int recallWith(const QString& path, int t0, int t1, const QByteArray& module, int moduleNumber,
                   const std::function<void()>& preset, CDbForwardAnswerBuffer& answer);
    CDbRecord* resolve(const QByteArray& name, const SDbInstTupel& t, int& error) const {
        return m_registry.resolve(name, t, error);
    }

private:
    class Enter;
    friend class Enter;
    struct SValidated;

    void leave();
    void flushChanges();
    void noteChange(const CDbRecord* rec, const SDbInstTupel& stored);
    void report(CDbForwardAnswerBuffer& answer, int error, int instance, const QString& text);
    int validate(CDbMsgList& list, int index, CDbForwardAnswerBuffer& answer, bool head, SValidated& out);
    int validateHead(CDbMsgList& list, CDbForwardAnswerBuffer& answer);
    // The record of name holding instance t, with the stored instance in stored; null with the error
    // when there is none.
    CDbRecord* storedRecord(const char* name, const SDbInstTupel& t, SDbInstTupel& stored, int& error) const {
        return m_registry.storedRecord(name, t, stored, error);
    }
    int storeOne(CDbRecord* rec, const SDbInstTupel& stored, const CDbAllType& v,
                 CDbForwardAnswerBuffer& answer);
    // Calls fn, a definition function, with a context on ctx, then runs what it queued. An error fn
    // returns is reported under instance unless fn reported it itself. Returns fn's result; queued,
    // where given, gets the first error of the queued messages.
    template <typename Fn> int callFunction(CDbRequest& ctx, int instance, Fn&& fn, int* queued = nullptr);
    // Lets rec's save/recall object, if any, replace v, the value of instance t being saved (save) or
    // recalled; its error is reported under t.t0.
    int passSavRcl(CDbRecord* rec, const SDbInstTupel& t, CDbAllType& v, bool save,
                   CDbForwardAnswerBuffer& answer);
    bool inSettings(const CDbRecord* rec, int group, unsigned mask, bool withSaveRecall) const;
    void queryCheck(CDbRecord* rec, const SDbInstTupel& t, CDbRequest& ctx);

    CDbDefinitionRegistry m_registry;

    unsigned m_modeWord = 0x121;
    COlCommandIfc* m_olCommand = nullptr;
    CListAdmMainExtend* m_listAdm = nullptr;
    QString m_userDir;
    CDbAnswerBuffer* m_errorSink = nullptr;

    int m_depth = 0;
    int m_nestingLimit = 16;
    bool m_dispatching = false;
    bool m_recalling = false;
    QVector<SChange> m_changes;
    std::set<std::pair<const void*, std::array<int, 4>>> m_changeKeys;
    std::map<int, std::function<void(const QVector<SChange>&)>> m_observers;
    int m_nextObserver = 1;
    CDbListenerHub* m_hub = nullptr;

    std::unique_ptr<CDbDataBaseIfcImpl> m_ifc;
    std::unique_ptr<CDbMsgBufferImpl> m_msgBuffer;
};

} // namespace MvQARN
