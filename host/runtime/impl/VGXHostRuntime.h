#pragma once
// The host runtime: loads plug-in libraries, creates their modules and drives the module
// lifecycle from start-up to shutdown. One runtime is current at a time; it is the host context the
// base services (family code, loadable lookup, documents folder, properties) answer from.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include "host/util/VGXExport.h"
#include "host/util/VGXHostContext.h"
#include "host/util/VGXSuModuleInfoView.h"

namespace MvQARN {

class COlManager;
class VGXPlugInDllModuleInterface;
struct SDbChange;

class VGX_EXPORT VGXHostRuntime : public VGXHostContext {
public:
    struct Options {
        int family = 0x10000;
        QString settingsDir;
        QStringList pluginPaths;
        bool trace = false;
    };

    // Major interface version of the module information this host understands.
    static constexpr int InterfaceMajor = 1;

    // What the runtime knows of one loaded module.
    struct ModuleRecord {
        QString path; // empty for a module added in-process
        void* handle = nullptr;
        const VGXSuModuleInfoView* info = nullptr;
        VGXCreateModuleInterfaceInstanceFn create = nullptr;
        VGXPlugInDllModuleInterface* module = nullptr;
        int stage = 0; // 0 created, 1 initialised, 2 GUI registered
    };

    explicit VGXHostRuntime(const Options& options);
    ~VGXHostRuntime() override; // shuts down if still up
    VGXHostRuntime(const VGXHostRuntime&) = delete;
    VGXHostRuntime& operator=(const VGXHostRuntime&) = delete;

    // Loads every plug-in of the options and brings its module up. On failure nothing stays loaded
    // and error (when given) names the library and the problem.
    bool start(QString* error);
    // Brings up a module created in-process (tests, built-in modules); the runtime owns it from
    // now on and deletes it at shutdown. Create it inside a DbContextScope so it sees a host
    // database context. Runs the host preparation of start if start has not run.
    bool addModule(VGXPlugInDllModuleInterface* module, QString* error);
    // exitusGui, terminate notifications, moduleExit, module deletion and library unload.
    void shutdown();
    bool isStarted() const { return m_started; }

    static VGXHostRuntime* current();
    const Options& options() const { return m_options; }

    // VGXHostContext
    int family() const override { return m_options.family; }
    QString settingsDir() const override { return m_options.settingsDir; }
    QList<VGXPlugInDllModuleInterface*> modules() const override;

    const QList<ModuleRecord>& records() const { return m_records; }

    // Attaches the organisation-layer framework (anchor and database command interface).
    void setOlManager(COlManager* manager);
    COlManager* olManager() const { return m_olManager; }

    // True while a module is being created inside the host's database context; the module base
    // reads it in its constructor.
    static bool creatingInDbContext();
    class DbContextScope {
    public:
        DbContextScope();
        ~DbContextScope();
        DbContextScope(const DbContextScope&) = delete;
        DbContextScope& operator=(const DbContextScope&) = delete;

    private:
        bool m_previous;
    };

private:
    void prepareHost();
    bool loadLibrary(const QString& path, ModuleRecord& record, QString* error);
    bool bringUp(const QList<int>& indexes, QString* error);
    void tearDown(const QList<int>& indexes);
    void unloadRecord(ModuleRecord& record);
    // Tells the modules of the host values they are notified of: a recall done, a new protection
    // level.
    void notifyModules(const QVector<SDbChange>& changes);

    Options m_options;
    QList<ModuleRecord> m_records;
    COlManager* m_olManager = nullptr;
    int m_notifier = 0; // the database observer of notifyModules
    VGXHostRuntime* m_previous = nullptr;
    const VGXHostContext* m_previousContext = nullptr;
    bool m_previousTracing = false;
    bool m_prepared = false;
    bool m_started = false;
};

} // namespace MvQARN
