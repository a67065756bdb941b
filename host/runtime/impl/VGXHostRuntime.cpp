#include "host/runtime/impl/VGXHostRuntime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <dlfcn.h>
#include <link.h>
#include <memory>

#include "host/db/CDbChangeObserver.h"
#include "host/db/CDbCnct.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "host/olfw/COlManager.h"
#include "host/runtime/CDefaultLoadableModuleImplementation.h"
#include "host/util/CUtilXferData.h"
#include "host/util/impl/VGXHostAnchor.h"
#include "host/util/impl/VGXTraceSink.h"

namespace MvQARN {

namespace {

VGXHostRuntime* g_current = nullptr;
bool g_creatingInDbContext = false;

// The mode word the host database runs with: host baseband parameters are mirrored.
constexpr unsigned HostModeWord = 0x121;

void trace(const QString& line) {
    VGXTraceSink::trace(QStringLiteral("runtime: ") + line);
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void setError(QString* error, const QString& text) {
    trace(QStringLiteral("error: ") + text);
    if (error)
        *error = text;
}

// The file name of the loaded object an address lies in; empty when none.
QString objectOf(const void* address) {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0 || !info.dli_fname)
        return QString();
    return QString::fromLocal8Bit(info.dli_fname);
}

QString objectOfHandle(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name)
        return QString();
    return QString::fromLocal8Bit(map->l_name);
}

QString hex(int v) {
    return QStringLiteral("0x") + QString::number(uint(v), 16);
}

// Host values whose changes modules hear of through a negative request code (a notification) with
// the value's name.
constexpr int NotificationCode = -1;
constexpr char RecallEvent[] = "IdPDbDbRecall";
constexpr char ProtectionLevel[] = "IdPDbProtLevState";

// The plug-in's entry returns a pointer to its own record class; the host takes it as an untyped
// record, since only the layout is the contract (VGXSuModuleInfoView). Clang's check of the called
// function's type would report that intended difference.
#if defined(__clang__)
#define VGX_NO_FUNCTION_TYPE_CHECK __attribute__((no_sanitize("function")))
#else
#define VGX_NO_FUNCTION_TYPE_CHECK
#endif
VGX_NO_FUNCTION_TYPE_CHECK const void* callModuleInfo(void* entry) {
    return reinterpret_cast<VGXGetModuleInfoFn>(entry)();
}

// The host's list administration, handed to module functions by the database.
CListAdmMainExtend& hostListAdm() {
    static CListAdmMainExtend listAdm;
    return listAdm;
}

} // namespace

VGXHostRuntime::VGXHostRuntime(const Options& options)
    : m_options(options), m_previous(g_current), m_previousContext(VGXHostContext::install(this)),
      m_previousTracing(VGXTraceSink::tracing()) {
    g_current = this;
    if (options.trace)
        VGXTraceSink::setTracing(true);
}

VGXHostRuntime::~VGXHostRuntime() {
    shutdown();
    if (g_current == this)
        g_current = m_previous;
    if (VGXHostContext::current() == this)
        VGXHostContext::install(m_previousContext);
    VGXTraceSink::setTracing(m_previousTracing);
}

VGXHostRuntime* VGXHostRuntime::current() {
    return g_current;
}

bool VGXHostRuntime::creatingInDbContext() {
    return g_creatingInDbContext;
}

VGXHostRuntime::DbContextScope::DbContextScope() : m_previous(g_creatingInDbContext) {
    g_creatingInDbContext = true;
}

VGXHostRuntime::DbContextScope::~DbContextScope() {
    g_creatingInDbContext = m_previous;
}

QList<VGXPlugInDllModuleInterface*> VGXHostRuntime::modules() const {
    QList<VGXPlugInDllModuleInterface*> out;
    for (const ModuleRecord& r : m_records)
        if (r.module)
            out << r.module;
    return out;
}

void VGXHostRuntime::setOlManager(COlManager* manager) {
    m_olManager = manager;
    VGXHostAnchor::instance().setOlManager(manager);
    CDbEngine::instance().setOlCommand(manager ? manager->commandInterface() : nullptr);
}

void VGXHostRuntime::prepareHost() {
    if (m_prepared)
        return;
    m_prepared = true;
    CDbEngine& engine = CDbEngine::instance();
    if (!m_options.settingsDir.isEmpty()) {
        const QString dir = QDir(m_options.settingsDir).absolutePath();
        QDir().mkpath(dir);
        engine.setUserSettingsDir(dir);
        // Modules' own settings stores (native format) land in the settings folder too.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir);
        trace(QStringLiteral("settings folder ") + quoted(dir));
    }
    engine.setModeWord(HostModeWord);
    if (!engine.listAdm() || engine.listAdm() == &hostListAdm()) {
        hostListAdm().clear();
        hostListAdm().attach(engine);
        engine.setListAdm(&hostListAdm());
    }
    VGXHostAnchor::instance().setDataBase(engine.dataBaseIfc());
    VGXHostAnchor::instance().setOlManager(m_olManager);
    if (!m_notifier)
        m_notifier = engine.addRequestObserver([this](const QVector<SDbChange>& c) { notifyModules(c); });
    if (m_olManager)
        engine.setOlCommand(m_olManager->commandInterface());
}

void VGXHostRuntime::notifyModules(const QVector<SDbChange>& changes) {
    bool recall = false;
    bool protection = false;
    for (const SDbChange& c : changes) {
        recall = recall || c.name == RecallEvent;
        protection = protection || c.name == ProtectionLevel;
    }
    if (!recall && !protection)
        return;
    // Only modules with parameters of their own have anything to re-apply or to lock.
    QList<VGXPlugInDllModuleInterface*> targets;
    for (const ModuleRecord& r : std::as_const(m_records))
        if (r.module && r.stage >= 1 && r.module->hasDatabase())
            targets << r.module;
    auto notify = [](VGXPlugInDllModuleInterface* module, const char* name) {
        CDbEngine& engine = CDbEngine::instance();
        CDbAllType value;
        engine.readStored(name, SDbInstTupel{}, value);
        std::unique_ptr<CDbCnct> cnct = engine.makeContext(name, SDbInstTupel{}, value);
        CUtilXferData data(name, cnct.get());
        module->xferCommand(NotificationCode, data);
    };
    if (recall)
        for (VGXPlugInDllModuleInterface* m : std::as_const(targets))
            notify(m, RecallEvent);
    // The protection level goes to one module; the loadables of one family pass it on among
    // themselves.
    if (protection && !targets.isEmpty())
        notify(targets.first(), ProtectionLevel);
}

bool VGXHostRuntime::loadLibrary(const QString& path, ModuleRecord& record, QString* error) {
    const QString where = QStringLiteral("plug-in ") + quoted(path) + QStringLiteral(": ");
    if (!QFileInfo(path).isFile()) {
        setError(error, where + QStringLiteral("no such file"));
        return false;
    }
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        setError(error, where + QStringLiteral("cannot load library (") +
                            QString::fromLocal8Bit(why ? why : "") + QLatin1Char(')'));
        return false;
    }
    const QString library = objectOfHandle(handle);
    auto fail = [&](const QString& problem) {
        dlclose(handle);
        setError(error, where + problem);
        return false;
    };
    // dlsym also searches the library's dependencies; an entry point must come from the library itself.
    auto resolve = [&](const char* name) -> void* {
        void* sym = dlsym(handle, name);
        return sym && objectOf(sym) == library ? sym : nullptr;
    };
    void* infoSym = resolve(VGXGetModuleInfoName);
    if (!infoSym)
        return fail(
            QStringLiteral("not a plug-in library (missing entry point \"%1\")").arg(VGXGetModuleInfoName));
    void* createSym = resolve(VGXCreateModuleInterfaceInstanceName);
    if (!createSym)
        return fail(QStringLiteral("not a plug-in library (missing entry point \"%1\")")
                        .arg(VGXCreateModuleInterfaceInstanceName));

    const void* raw = callModuleInfo(infoSym);
    if (!raw)
        return fail(QStringLiteral("%1 answered no module information").arg(VGXGetModuleInfoName));
    if (objectOf(raw) != library)
        return fail(QStringLiteral("module information does not belong to the library"));
    const auto* info = static_cast<const VGXSuModuleInfoView*>(raw);
    if (info->version.major != InterfaceMajor)
        return fail(QStringLiteral("module interface version %1.%2.%3 (this host supports %4.x)")
                        .arg(info->version.major)
                        .arg(info->version.minor)
                        .arg(info->version.build)
                        .arg(InterfaceMajor));
    if (!info->moduleName || !*info->moduleName)
        return fail(QStringLiteral("module information without a module name"));
    if (info->moduleId < 0)
        return fail(QStringLiteral("module information with invalid module id %1").arg(info->moduleId));

    record.path = path;
    record.handle = handle;
    record.info = info;
    record.create = reinterpret_cast<VGXCreateModuleInterfaceInstanceFn>(createSym);
    trace(QStringLiteral("loaded %1: module %2 %3.%4.%5 id %6 codes %7 %8 family mask %9")
              .arg(quoted(path), quoted(QString::fromUtf8(info->moduleName)))
              .arg(info->version.major)
              .arg(info->version.minor)
              .arg(info->version.build)
              .arg(info->moduleId)
              .arg(info->code2)
              .arg(info->code3)
              .arg(hex(info->familyMask)));
    if ((info->familyMask & m_options.family) == 0)
        trace(QStringLiteral("module %1 does not list family %2; loaded anyway")
                  .arg(quoted(QString::fromUtf8(info->moduleName)), hex(m_options.family)));
    return true;
}

void VGXHostRuntime::unloadRecord(ModuleRecord& record) {
    if (record.handle) {
        trace(QStringLiteral("unload ") + quoted(record.path));
        dlclose(record.handle);
        record.handle = nullptr;
    }
    record.info = nullptr;
    record.create = nullptr;
}

bool VGXHostRuntime::start(QString* error) {
    if (m_started) {
        setError(error, QStringLiteral("the host runtime is already started"));
        return false;
    }
    prepareHost();

    QList<int> loaded;
    auto unloadAll = [&] {
        tearDown(loaded);
        for (int i = int(loaded.size()) - 1; i >= 0; --i) {
            unloadRecord(m_records[loaded[i]]);
            m_records.removeAt(loaded[i]);
        }
    };

    for (const QString& path : std::as_const(m_options.pluginPaths)) {
        ModuleRecord record;
        if (!loadLibrary(path, record, error)) {
            unloadAll();
            return false;
        }
        m_records.append(record);
        loaded << int(m_records.size()) - 1;
    }

    for (int i : std::as_const(loaded)) {
        ModuleRecord& r = m_records[i];
        VGXModuleInterface* created = nullptr;
        {
            DbContextScope inDbContext;
            created = r.create(-1);
        }
        if (!created) {
            setError(error, QStringLiteral("plug-in %1: %2 answered no module")
                                .arg(quoted(r.path), QLatin1String(VGXCreateModuleInterfaceInstanceName)));
            unloadAll();
            return false;
        }
        r.module = dynamic_cast<VGXPlugInDllModuleInterface*>(created);
        if (!r.module) {
            delete created;
            setError(
                error,
                QStringLiteral("plug-in %1: the created module is not a plug-in module").arg(quoted(r.path)));
            unloadAll();
            return false;
        }
        trace(QStringLiteral("created module %1 id %2")
                  .arg(quoted(QString::fromUtf8(r.module->getModuleName())))
                  .arg(r.module->getModuleId()));
    }

    if (!bringUp(loaded, error)) {
        unloadAll();
        return false;
    }
    m_started = true;
    return true;
}

bool VGXHostRuntime::addModule(VGXPlugInDllModuleInterface* module, QString* error) {
    if (!module) {
        setError(error, QStringLiteral("no module to add"));
        return false;
    }
    prepareHost();
    ModuleRecord record;
    record.module = module;
    m_records.append(record);
    const QList<int> indexes{int(m_records.size()) - 1};
    if (!bringUp(indexes, error)) {
        tearDown(indexes);
        m_records.removeAt(indexes.first());
        return false;
    }
    return true;
}

bool VGXHostRuntime::bringUp(const QList<int>& indexes, QString* error) {
    VGXAnchorInterface* anchor = &VGXHostAnchor::instance();
    auto name = [&](int i) { return quoted(QString::fromUtf8(m_records[i].module->getModuleName())); };

    for (int i : indexes) {
        trace(QStringLiteral("moduleInitialize ") + name(i));
        const long status = m_records[i].module->moduleInitialize(anchor, 0);
        if (status != 0) {
            setError(
                error,
                QStringLiteral("module %1: moduleInitialize failed with status %2").arg(name(i)).arg(status));
            return false;
        }
        m_records[i].stage = 1;
    }
    for (int i : indexes)
        m_records[i].module->modulesFinished();
    for (int i : indexes)
        m_records[i].module->loadablesFinished(0);
    for (int i : indexes)
        m_records[i].module->pluginsFinished(0);
    for (int i : indexes)
        m_records[i].module->pluginLoadablesFinished(0);
    for (int i : indexes)
        m_records[i].module->completeFinished();

    // Database, remote control and GUI initialisation of modules built on the host's base.
    for (int i : indexes) {
        if (auto* base = dynamic_cast<CDefaultLoadableModuleImplementation*>(m_records[i].module)) {
            trace(QStringLiteral("initDb ") + name(i));
            base->initDb(base->m_section.constData(), nullptr);
        }
    }
    // The modules' file types, and their catalogues now that the catalogue parameters exist.
    if (CListAdmMainExtend* listAdm = CDbEngine::instance().listAdm()) {
        for (int i : indexes)
            if (const SMdlDbInfo* mdl = m_records[i].module->getMdlDbInfo())
                listAdm->registerListTypes(mdl->listTypes, mdl->listTypeCount);
        listAdm->refreshCatalogues();
    }
    for (int i : indexes)
        if (auto* base = dynamic_cast<CDefaultLoadableModuleImplementation*>(m_records[i].module))
            base->initScpi();
    for (int i : indexes)
        if (auto* base = dynamic_cast<CDefaultLoadableModuleImplementation*>(m_records[i].module))
            base->initGui();

    VGXGuiRegistry::setUp(true);
    for (int i : indexes) {
        trace(QStringLiteral("initusGui ") + name(i));
        VGXGuiOwnerScope owner(m_records[i].module->getModuleId());
        m_records[i].module->initusGui();
        m_records[i].stage = 2;
    }
    return true;
}

void VGXHostRuntime::tearDown(const QList<int>& indexes) {
    VGXAnchorInterface* anchor = &VGXHostAnchor::instance();
    QList<int> reversed;
    for (int i : indexes)
        if (m_records[i].module)
            reversed.prepend(i);

    for (int i : std::as_const(reversed)) {
        if (m_records[i].stage >= 2) {
            trace(QStringLiteral("exitusGui ") +
                  quoted(QString::fromUtf8(m_records[i].module->getModuleName())));
            VGXGuiOwnerScope owner(m_records[i].module->getModuleId());
            // exitusGui belongs to the host's module base; other modules have no GUI shutdown.
            if (auto* base = dynamic_cast<CDefaultLoadableModuleImplementation*>(m_records[i].module))
                base->exitusGui();
        }
    }
    for (int i : std::as_const(reversed))
        if (m_records[i].stage >= 1)
            m_records[i].module->terminateModules();
    for (int i : std::as_const(reversed))
        if (m_records[i].stage >= 1)
            m_records[i].module->terminateLoadables();
    for (int i : std::as_const(reversed))
        if (m_records[i].stage >= 1)
            m_records[i].module->terminatePlugins();
    for (int i : std::as_const(reversed))
        if (m_records[i].stage >= 1)
            m_records[i].module->terminatePluginLoadables();
    for (int i : std::as_const(reversed)) {
        if (m_records[i].stage < 1)
            continue;
        VGXPlugInDllModuleInterface* m = m_records[i].module;
        m->moduleExit(anchor);
        // Also when a module's own exit leaves them: the definitions point into its library.
        if (m->hasDatabase())
            CDbEngine::instance().unregisterModule(m->getModuleId());
    }
    for (int i : std::as_const(reversed)) {
        ModuleRecord& r = m_records[i];
        trace(QStringLiteral("delete module ") + quoted(QString::fromUtf8(r.module->getModuleName())));
        delete r.module; // virtual destructor: runs the module's code, so before its library goes
        r.module = nullptr;
        r.stage = 0;
    }
}

void VGXHostRuntime::shutdown() {
    if (!m_prepared && m_records.isEmpty())
        return;
    trace(QStringLiteral("shutdown"));
    if (m_notifier) {
        CDbEngine::instance().removeRequestObserver(m_notifier);
        m_notifier = 0;
    }
    // Dialogs are the modules' classes: they go first, while module and library are intact.
    VGXGuiRegistry::setUp(false);
    VGXDfDialogFactory::deleteDialogs();

    QList<int> all;
    for (int i = 0; i < m_records.size(); ++i)
        all << i;
    tearDown(all);

    // Registered dialog modules and descriptors may point into the libraries.
    VGXGuiRegistry::reset();
    CDbEngine::instance().setOlCommand(nullptr);
    if (CDbEngine::instance().listAdm() == &hostListAdm()) {
        hostListAdm().detach();
        hostListAdm().clear();
        CDbEngine::instance().setListAdm(nullptr);
    }
    VGXHostAnchor::instance().setOlManager(nullptr);
    VGXHostAnchor::instance().setDataBase(nullptr);
    m_olManager = nullptr;

    for (int i = int(m_records.size()) - 1; i >= 0; --i)
        unloadRecord(m_records[i]);
    m_records.clear();
    m_prepared = false;
    m_started = false;
}

} // namespace MvQARN
