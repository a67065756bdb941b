#include "frame/OrvaneSettings.h"

#include <QSettings>
#include <QStringList>

#include "frame/KobraDebugChannel.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {

const char* const kKeys[] = {
    "cb",
    "ScpiServerPort",
    "InfoServerPort",
    "DigRFScriptRecompile",
    "KobraCount",
    "pl2ul",
    "pl4ul",
    "SettingsDir",
    "PawnEditorVivevi",
    "blockNum",
    "InfoServerEnabled",
};
constexpr int kKeyCount = int(sizeof(kKeys) / sizeof(kKeys[0]));

const char kPositionGroup[] = "GuiPositions";

} // namespace

OrvaneSettings::OrvaneSettings() = default;
OrvaneSettings::~OrvaneSettings() = default;

QSettings& OrvaneSettings::s_settings() {
    static QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Maravel"),
                           QStringLiteral("Orvane"));
    return store;
}

QString OrvaneSettings::keyForId(SETTING_ID id) {
    const int i = int(id);
    if (i < 0 || i >= kKeyCount)
        return QString();
    return QString::fromLatin1(kKeys[i]);
}

QString OrvaneSettings::wavemillPath() {
    QSettings tool(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Maravel"),
                   QStringLiteral("Wavemill"));
    const QString path =
        tool.value(QStringLiteral("Default"), QString()).toString() + QStringLiteral("/Wavemill");
    Kobra::debugPrint(Kobra::kDebugTrace,
                      QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Maravel\\Wavemill=%1").arg(path));
    return path;
}

QString OrvaneSettings::pellorPath() {
    QSettings tool(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Maravel"),
                   QStringLiteral("Pellor"));
    return tool.value(QStringLiteral("Path"), QString()).toString() + QStringLiteral("/Pellor");
}

QVariant OrvaneSettings::value(SETTING_ID id, const QVariant& defaultValue) {
    switch (id) {
    case PAWN_EDITOR_VIVEVI:
        return QVariant(1);
    case WAVEMILL_PATH:
        return QVariant(wavemillPath());
    case PELLOR_PATH:
        return QVariant(pellorPath());
    default:
        break;
    }
    const QString key = keyForId(id);
    // The empty key names nothing in the store.
    if (key.isEmpty())
        return defaultValue;
    return s_settings().value(key, defaultValue);
}

void OrvaneSettings::setValue(SETTING_ID id, const QVariant& v) {
    const QString key = keyForId(id);
    if (key.isEmpty())
        return;
    s_settings().setValue(key, v);
}

bool OrvaneSettings::exists(SETTING_ID id) {
    const QString key = keyForId(id);
    if (key.isEmpty())
        return false;
    return s_settings().contains(key);
}

void OrvaneSettings::saveDialogPosition(const QString& name, const QRect& r) {
    const QString text = QStringLiteral("%1;%2;%3;%4")
                             .arg(r.left())
                             .arg(r.top())
                             .arg(r.right() - r.left() + 1)
                             .arg(r.bottom() - r.top() + 1);
    QSettings& s = s_settings();
    s.beginGroup(QLatin1String(kPositionGroup));
    s.setValue(name, text);
    s.endGroup();
}

QRect OrvaneSettings::loadDialogPosition(const QString& name) {
    QSettings& s = s_settings();
    s.beginGroup(QLatin1String(kPositionGroup));
    const QString text = s.value(name, QString()).toString();
    s.endGroup();

    if (!text.isEmpty()) {
        const QStringList parts = text.split(QLatin1Char(';'), Qt::KeepEmptyParts);
        if (parts.size() == 4) {
            int v[4];
            for (int i = 0; i < 4; ++i) {
                bool ok = false;
                v[i] = parts.at(i).toInt(&ok, 10);
                if (!ok)
                    v[i] = 0;
            }
            return QRect(v[0], v[1], v[2], v[3]);
        }
    }
    return QRect();
}

QString getMyDocumentsPath() {
    static QString cache;
    if (cache.isEmpty()) {
        QString documents = vgxDocumentsPath();
        if (!documents.isEmpty()) {
            documents.replace(QLatin1Char('\\'), QLatin1Char('/'));
            cache = documents + QStringLiteral("/Maravel/Orvane");
        }
    }
    return cache;
}

} // namespace MvQARN
