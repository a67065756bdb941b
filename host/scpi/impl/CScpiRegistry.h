#pragma once
// What the host parser knows: the root tables of the registered modules, the host's own commands and
// the hooks the host runtime sets (*RST preset, identity). One registry per process, GUI thread only.
//
// Host command patterns: mnemonics in long/short form separated by ":", optional parts in brackets
// ("SYSTem:ERRor[:NEXT]?", "[SOURce:]SIMulation:STATe"), common commands as "*XXX"; a trailing "?"
// registers the query form, otherwise the set/event form. Host nodes take no numeric suffix.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

#include "host/scpi/impl/CScpiHostCall.h"
#include "host/scpi/impl/ScpiParseTable.h"

namespace MvQARN {

class CDbAnswerBuffer;
class CScpiModule;

class VGX_EXPORT CScpiRegistry {
public:
    struct SIdentity {
        QString maker = QStringLiteral("Maravel");
        QString model = QStringLiteral("VGX Host");
        QString serial = QStringLiteral("0");
        QString version; // empty: "<host version>/<plug-in version>" from the runtime
    };

    static CScpiRegistry& instance();
    CScpiRegistry();
    CScpiRegistry(const CScpiRegistry&) = delete;
    CScpiRegistry& operator=(const CScpiRegistry&) = delete;

    // Module subtrees; the root table is read from the module when a line starts.
    void registerModule(CScpiModule* module);
    void unregisterModule(CScpiModule* module);
    // The list itself: callers that register or remove modules while they go through it take a copy.
    const QList<CScpiModule*>& modules() const { return m_modules; }
    // Changes whenever a module comes or goes (its tables may be gone): a parser holding tables of a
    // level starts again at the root.
    quint64 generation() const { return m_generation; }
    // Changes whenever a host command is added: host tables gain entries (and may move them).
    quint64 tableEdits() const { return m_tableEdits; }

    // Adds (or replaces) a host command; false with a reason for a malformed pattern.
    bool registerHostCommand(const QString& pattern, FScpiHostHandler handler, QString* error = nullptr);
    // Removes the handler of the pattern's form; false when none was registered.
    bool unregisterHostCommand(const QString& pattern);
    const SScpiParseTable* hostRoot() const { return m_hostRoot.get(); }
    const SScpiParseTable* commonTable() const { return m_common.get(); }

    // *RST runs the reset hook; without one the database is preset (presetDatabase). The hook reports
    // into the buffer and answers 0 or the first error.
    typedef std::function<int(CDbAnswerBuffer& answer)> FResetHook;
    void setResetHook(FResetHook hook) { m_resetHook = std::move(hook); }
    int runReset(CDbAnswerBuffer& answer);
    // Presets every setting of every group in the database to its default (actions and file names are
    // left alone); 0 or the first error.
    static int presetDatabase(CDbAnswerBuffer& answer);

    void setIdentity(const SIdentity& identity) {
        m_identity = identity;
        m_idn = QString();
    }
    const SIdentity& identity() const { return m_identity; }
    // "<maker>,<model>,<serial>,<version>"
    QString idnAnswer() const;
    // Host version (application version, else the build's) and the plug-in versions of the runtime.
    static QString hostVersion();
    static QString pluginVersion();

private:
    bool insert(SScpiParseTable& table, const QList<QByteArray>& path, bool query,
                const FScpiHostHandler& handler);

    QList<CScpiModule*> m_modules;
    quint64 m_generation = 0;
    quint64 m_tableEdits = 0;
    std::shared_ptr<SScpiParseTable> m_hostRoot;
    std::shared_ptr<SScpiParseTable> m_common;
    FResetHook m_resetHook;
    SIdentity m_identity;
    // *IDN? is what scripts ask most: its answer is built again only when what it is made of changed.
    mutable QString m_idn;
    mutable QString m_idnAppVersion;
    mutable quint64 m_idnModules = 0;
};

// Installs the IEEE 488.2 common commands and the SYSTem:ERRor/VERSion commands.
void scpiInstallStandardCommands(CScpiRegistry& registry);

} // namespace MvQARN
