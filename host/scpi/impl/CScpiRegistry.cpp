#include "host/scpi/impl/CScpiRegistry.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

#include "host/db/CDbAnswerBuffer.h"
#include "host/db/impl/CDbEngine.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/scpi/CScpiModule.h"
#include "host/scpi/impl/ScpiValues.h"
#include "host/util/VGXSuModuleInfoView.h"

namespace MvQARN {

namespace {

struct SPatternPart {
    bool optional = false;
    QList<QByteArray> elems;
};

bool validMnemonic(const QByteArray& m) {
    if (m.isEmpty() || !scpiIsAlpha(m.at(0)))
        return false;
    for (char c : m)
        if (!(scpiIsAlpha(c) || scpiIsDigit(c) || c == '_'))
            return false;
    return true;
}

bool splitElems(const QByteArray& text, QList<QByteArray>& out) {
    QByteArray t = text;
    if (t.startsWith(':'))
        t.remove(0, 1);
    if (t.endsWith(':'))
        t.chop(1);
    if (t.isEmpty())
        return true;
    for (const QByteArray& e : t.split(':')) {
        if (!validMnemonic(e))
            return false;
        out.append(e);
    }
    return true;
}

// Every path the pattern stands for: each bracketed part present or left out.
bool expandPattern(const QByteArray& pattern, QList<QList<QByteArray>>& paths) {
    QList<SPatternPart> parts;
    QByteArray current;
    for (int i = 0; i < pattern.size(); ++i) {
        const char c = pattern.at(i);
        if (c == '[') {
            SPatternPart req;
            if (!splitElems(current, req.elems))
                return false;
            if (!req.elems.isEmpty())
                parts.append(req);
            current.clear();
            const int close = int(pattern.indexOf(']', i));
            if (close < 0)
                return false;
            SPatternPart opt;
            opt.optional = true;
            const QByteArray inner = pattern.mid(i + 1, close - i - 1);
            if (inner.contains('[') || !splitElems(inner, opt.elems) || opt.elems.isEmpty())
                return false;
            parts.append(opt);
            i = close;
        } else if (c == ']') {
            return false;
        } else {
            current.append(c);
        }
    }
    SPatternPart req;
    if (!splitElems(current, req.elems))
        return false;
    if (!req.elems.isEmpty())
        parts.append(req);
    int optionals = 0;
    for (const SPatternPart& p : parts)
        optionals += p.optional ? 1 : 0;
    if (optionals > 8)
        return false;
    for (int mask = 0; mask < (1 << optionals); ++mask) {
        QList<QByteArray> path;
        int bit = 0;
        for (const SPatternPart& p : parts) {
            if (p.optional && !(mask & (1 << bit++)))
                continue;
            path.append(p.elems);
        }
        if (!path.isEmpty() && !paths.contains(path))
            paths.append(path);
    }
    return !paths.isEmpty();
}

SScpiEntry* findEntry(SScpiParseTable& table, const QByteArray& mnemonic) {
    const QByteArray lf = scpiLongForm(mnemonic.constData());
    const QByteArray sf = scpiShortForm(mnemonic.constData());
    for (SScpiEntry& e : table.entries)
        if (e.longForm == lf && e.shortForm == sf)
            return &e;
    return nullptr;
}

} // namespace

CScpiRegistry& CScpiRegistry::instance() {
    static CScpiRegistry registry;
    return registry;
}

CScpiRegistry::CScpiRegistry()
    : m_hostRoot(std::make_shared<SScpiParseTable>()), m_common(std::make_shared<SScpiParseTable>()) {
    scpiInstallStandardCommands(*this);
}

void CScpiRegistry::registerModule(CScpiModule* module) {
    if (module && !m_modules.contains(module)) {
        m_modules.append(module);
        ++m_generation;
    }
}

void CScpiRegistry::unregisterModule(CScpiModule* module) {
    if (m_modules.removeAll(module) > 0)
        ++m_generation;
}

bool CScpiRegistry::insert(SScpiParseTable& table, const QList<QByteArray>& path, bool query,
                           const FScpiHostHandler& handler) {
    ++m_tableEdits;
    SScpiParseTable* level = &table;
    for (int i = 0; i < path.size(); ++i) {
        SScpiEntry* e = findEntry(*level, path.at(i));
        if (!e) {
            SScpiEntry ne;
            ne.longForm = scpiLongForm(path.at(i).constData());
            ne.shortForm = scpiShortForm(path.at(i).constData());
            level->entries.push_back(std::move(ne));
            e = &level->entries.back();
        }
        if (i + 1 < path.size()) {
            if (!e->ownedSub)
                e->ownedSub = std::make_shared<SScpiParseTable>();
            level = e->ownedSub.get();
            continue;
        }
        if (query) {
            e->queryHandler = handler;
            e->acceptsQuery = bool(handler);
        } else {
            e->setHandler = handler;
            e->acceptsSet = bool(handler);
        }
    }
    return true;
}

bool CScpiRegistry::registerHostCommand(const QString& pattern, FScpiHostHandler handler, QString* error) {
    QByteArray p = pattern.trimmed().toLatin1();
    const bool query = p.endsWith('?');
    if (query)
        p.chop(1);
    auto refuse = [&](const char* why) {
        if (error)
            *error = QStringLiteral("host command '%1': %2").arg(pattern, QLatin1String(why));
        return false;
    };
    if (!handler)
        return refuse("no handler");
    if (p.startsWith('*')) {
        const QByteArray m = p.mid(1);
        if (m.isEmpty())
            return refuse("empty common command");
        for (char c : m)
            if (!scpiIsAlpha(c))
                return refuse("common commands are letters only");
        return insert(*m_common, {m}, query, handler);
    }
    QList<QList<QByteArray>> paths;
    if (!expandPattern(p, paths))
        return refuse("malformed pattern");
    for (const QList<QByteArray>& path : std::as_const(paths))
        insert(*m_hostRoot, path, query, handler);
    return true;
}

bool CScpiRegistry::unregisterHostCommand(const QString& pattern) {
    QByteArray p = pattern.trimmed().toLatin1();
    const bool query = p.endsWith('?');
    if (query)
        p.chop(1);
    QList<QList<QByteArray>> paths;
    SScpiParseTable* root = m_hostRoot.get();
    if (p.startsWith('*')) {
        paths.append({p.mid(1)});
        root = m_common.get();
    } else if (!expandPattern(p, paths)) {
        return false;
    }
    bool removed = false;
    for (const QList<QByteArray>& path : std::as_const(paths)) {
        SScpiParseTable* level = root;
        SScpiEntry* e = nullptr;
        for (int i = 0; i < path.size() && level; ++i) {
            e = findEntry(*level, path.at(i));
            if (!e)
                break;
            level = i + 1 < path.size() ? e->ownedSub.get() : nullptr;
        }
        if (!e)
            continue;
        FScpiHostHandler& h = query ? e->queryHandler : e->setHandler;
        if (h) {
            h = nullptr;
            removed = true;
        }
        (query ? e->acceptsQuery : e->acceptsSet) = false;
    }
    return removed;
}

int CScpiRegistry::runReset(CDbAnswerBuffer& answer) {
    return m_resetHook ? m_resetHook(answer) : presetDatabase(answer);
}

int CScpiRegistry::presetDatabase(CDbAnswerBuffer& answer) {
    CDbEngine& db = CDbEngine::instance();
    QList<int> groups;
    for (const QByteArray& name : db.names())
        for (const SDbDefCommon* rec : db.records(name.constData())) {
            const int g = int(rec->grp & 0xFFFFu);
            // Group 0 holds the box-global rows: the connected boxes, their hardware information and
            // which box each interface uses. They describe the hardware, not settings, so a reset
            // leaves them.
            if (g != 0 && !groups.contains(g))
                groups.append(g);
        }
    std::sort(groups.begin(), groups.end());
    int first = 0;
    for (int g : std::as_const(groups)) {
        const int rc = db.presetGroup(g, 0xFFFFFFFFu, -1, -1, -1, -1, nullptr, &answer);
        if (first == 0)
            first = rc;
    }
    return first;
}

QString CScpiRegistry::hostVersion() {
    const QString app = QCoreApplication::applicationVersion();
    if (!app.isEmpty())
        return app;
#ifdef VGX_VERSION
    return QStringLiteral(VGX_VERSION);
#else
    return QStringLiteral("0");
#endif
}

QString CScpiRegistry::pluginVersion() {
    QStringList versions;
    if (VGXHostRuntime* rt = VGXHostRuntime::current())
        for (const VGXHostRuntime::ModuleRecord& r : rt->records())
            if (r.info)
                versions << QStringLiteral("%1.%2.%3")
                                .arg(r.info->version.major)
                                .arg(r.info->version.minor)
                                .arg(r.info->version.build);
    return versions.isEmpty() ? QStringLiteral("0") : versions.join(QLatin1Char('+'));
}

QString CScpiRegistry::idnAnswer() const {
    // The loaded modules, by the identity of their information records.
    quint64 modules = 0;
    if (const VGXHostRuntime* rt = VGXHostRuntime::current()) {
        modules = quintptr(rt);
        for (const VGXHostRuntime::ModuleRecord& r : rt->records())
            modules = modules * 1000003u ^ quintptr(r.info);
    }
    const QString app = QCoreApplication::applicationVersion();
    if (!m_idn.isNull() && modules == m_idnModules && app == m_idnAppVersion)
        return m_idn;
    m_idnModules = modules;
    m_idnAppVersion = app;
    const QString version = m_identity.version.isEmpty() ? hostVersion() + QLatin1Char('/') + pluginVersion()
                                                         : m_identity.version;
    QStringList parts{m_identity.maker, m_identity.model, m_identity.serial, version};
    for (QString& s : parts)
        s.replace(QLatin1Char(','), QLatin1Char(' ')); // a comma would add a field
    m_idn = parts.join(QLatin1Char(','));
    return m_idn;
}

} // namespace MvQARN
