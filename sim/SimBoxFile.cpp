#include "sim/SimBoxFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <limits>

#include "host/util/VGXSafeFile.h"
#include "sim/SimBoxes.h"

namespace vgxsim {

namespace {

// Collects the first problem found, with the path of the field it concerns.
class Reader {
public:
    explicit Reader(const QString& source) : m_source(source) {}

    bool failed() const { return !m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    bool fail(const QString& field, const QString& problem) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("sim file %1: %2: %3").arg(m_source, field, problem);
        return false;
    }

    bool onlyKnown(const QJsonObject& o, const QString& field, const QStringList& known) {
        for (auto it = o.begin(); it != o.end(); ++it)
            if (!known.contains(it.key()))
                return fail(field.isEmpty() ? it.key() : field + '.' + it.key(),
                            QStringLiteral("unknown field"));
        return true;
    }

    bool positiveInt(const QJsonValue& v, const QString& field, qint64 max, qint64& out) {
        const double d = v.isDouble() ? v.toDouble() : 0.0;
        if (!v.isDouble() || d < 1 || d > double(max) || std::floor(d) != d)
            return fail(field, QStringLiteral("expected a positive integer"));
        out = qint64(d);
        return true;
    }

    bool text(const QJsonValue& v, const QString& field, QString& out, bool allowEmpty = true) {
        if (!v.isString() || (!allowEmpty && v.toString().isEmpty()))
            return fail(field, allowEmpty ? QStringLiteral("expected a text")
                                          : QStringLiteral("expected a non-empty text"));
        out = v.toString();
        return true;
    }

    bool boolean(const QJsonValue& v, const QString& field, bool& out) {
        if (!v.isBool())
            return fail(field, QStringLiteral("expected true or false"));
        out = v.toBool();
        return true;
    }

private:
    QString m_source;
    QString m_error;
};

bool readBoard(Reader& r, const QJsonValue& v, const QString& field, SimBox& box) {
    if (!v.isObject())
        return r.fail(field, QStringLiteral("expected an object"));
    const QJsonObject o = v.toObject();
    if (!r.onlyKnown(o, field, {"type", "partNumber", "revision", "serial", "fpgaVersion"}))
        return false;
    SimBreakoutBoard board;
    board.type.clear();
    if (!o.contains("type"))
        return r.fail(field + ".type", QStringLiteral("missing"));
    if (!r.text(o["type"], field + ".type", board.type, false))
        return false;
    if (o.contains("partNumber")) {
        qint64 pn = 0;
        if (!r.positiveInt(o["partNumber"], field + ".partNumber", std::numeric_limits<int>::max(), pn))
            return false;
        board.partNumber = int(pn);
        if (!o.contains("revision"))
            return r.fail(field + ".revision",
                          QStringLiteral("missing (a board with part number has a revision)"));
    }
    if (o.contains("revision")) {
        if (!r.text(o["revision"], field + ".revision", board.revision))
            return false;
        static const QRegularExpression majorMinor(QStringLiteral("^\\d+\\.\\d+$"));
        if (!majorMinor.match(board.revision).hasMatch())
            return r.fail(field + ".revision", QStringLiteral("expected \"major.minor\", e.g. \"1.3\""));
    }
    if (o.contains("serial")) {
        qint64 sn = 0;
        if (!r.positiveInt(o["serial"], field + ".serial", std::numeric_limits<unsigned>::max(), sn))
            return false;
        board.serial = unsigned(sn);
    } else if (board.partNumber > 0) {
        board.serial = unsigned(box.serial) + 100000u;
    }
    if (o.contains("fpgaVersion") && !r.text(o["fpgaVersion"], field + ".fpgaVersion", board.fpgaVersion))
        return false;
    box.board = board;
    return true;
}

bool readInstruments(Reader& r, const QJsonValue& v, const QString& field, SimBox& box) {
    if (!v.isArray() || v.toArray().size() > 2)
        return r.fail(field, QStringLiteral("expected an array of at most 2 entries (links 0 and 1)"));
    const QJsonArray a = v.toArray();
    for (int link = 0; link < a.size(); ++link) {
        const QString f = QStringLiteral("%1[%2]").arg(field).arg(link);
        const QJsonValue e = a[link];
        if (e.isNull())
            continue;
        if (!e.isObject())
            return r.fail(f, QStringLiteral("expected an object or null"));
        const QJsonObject o = e.toObject();
        if (!r.onlyKnown(o, f, {"name", "serialNumber", "port"}))
            return false;
        SimInstrument in;
        if (!o.contains("name"))
            return r.fail(f + ".name", QStringLiteral("missing"));
        if (!r.text(o["name"], f + ".name", in.name, false))
            return false;
        if (o.contains("serialNumber")) {
            const QJsonValue sn = o["serialNumber"];
            qint64 n = 0;
            if (sn.isDouble()) {
                if (!r.positiveInt(sn, f + ".serialNumber", std::numeric_limits<qint64>::max() / 2, n))
                    return false;
                in.serialNumber = QString::number(n);
            } else if (!sn.isString()) {
                return r.fail(f + ".serialNumber", QStringLiteral("expected a text or a positive integer"));
            } else {
                in.serialNumber = sn.toString();
            }
        }
        if (o.contains("port") && !r.text(o["port"], f + ".port", in.port))
            return false;
        box.instruments[size_t(link)] = in;
    }
    return true;
}

bool readVersions(Reader& r, const QJsonValue& v, const QString& field, SimVersions& versions) {
    if (!v.isObject())
        return r.fail(field, QStringLiteral("expected an object"));
    const QJsonObject o = v.toObject();
    const std::pair<const char*, QString SimVersions::*> fields[] = {
        {"firmware", &SimVersions::firmware},
        {"fpga", &SimVersions::fpga},
        {"boardPartNumber", &SimVersions::boardPartNumber},
        {"boardSerialNumber", &SimVersions::boardSerialNumber},
        {"boardRevision", &SimVersions::boardRevision},
        {"cpld", &SimVersions::cpld},
        {"ppc", &SimVersions::ppc},
        {"digIoFpga", &SimVersions::digIoFpga},
        {"controller", &SimVersions::controller},
    };
    QStringList known;
    for (const auto& [key, member] : fields)
        known << QLatin1String(key);
    if (!r.onlyKnown(o, field, known))
        return false;
    for (const auto& [key, member] : fields)
        if (o.contains(QLatin1String(key)) &&
            !r.text(o[QLatin1String(key)], field + '.' + QLatin1String(key), versions.*member))
            return false;
    return true;
}

bool readBox(Reader& r, const QJsonValue& v, const QString& field, SimBox& box, bool& connected) {
    if (!v.isObject())
        return r.fail(field, QStringLiteral("expected an object"));
    const QJsonObject o = v.toObject();
    if (!r.onlyKnown(o, field,
                     {"serial", "partNumber", "breakoutBoard", "instruments", "versions", "connected",
                      "eepromSerial", "extRefFrequency", "lvdsErrorRate", "triggerRunning"}))
        return false;
    qint64 serial = 0;
    if (!o.contains("serial"))
        return r.fail(field + ".serial", QStringLiteral("missing"));
    if (!r.positiveInt(o["serial"], field + ".serial", std::numeric_limits<int>::max(), serial))
        return false;
    box = SimBox(int(serial));
    if (!o.contains("partNumber"))
        return r.fail(field + ".partNumber", QStringLiteral("missing"));
    if (!r.text(o["partNumber"], field + ".partNumber", box.partNumber, false))
        return false;
    if (o.contains("breakoutBoard") && !readBoard(r, o["breakoutBoard"], field + ".breakoutBoard", box))
        return false;
    if (o.contains("instruments") && !readInstruments(r, o["instruments"], field + ".instruments", box))
        return false;
    if (o.contains("versions") && !readVersions(r, o["versions"], field + ".versions", box.versions))
        return false;
    connected = true;
    if (o.contains("connected") && !r.boolean(o["connected"], field + ".connected", connected))
        return false;
    if (o.contains("eepromSerial")) {
        qint64 sn = 0;
        if (!r.positiveInt(o["eepromSerial"], field + ".eepromSerial", std::numeric_limits<unsigned>::max(),
                           sn))
            return false;
        box.eepromSerial = unsigned(sn);
    }
    if (o.contains("extRefFrequency")) {
        const QJsonValue f = o["extRefFrequency"];
        if (!f.isDouble() || !(f.toDouble() > 0))
            return r.fail(field + ".extRefFrequency", QStringLiteral("expected a positive number (Hz)"));
        box.extRefFrequency = f.toDouble();
    }
    if (o.contains("lvdsErrorRate")) {
        const QJsonValue e = o["lvdsErrorRate"];
        if (!e.isDouble() || e.toDouble() < 0 || e.toDouble() > 1)
            return r.fail(field + ".lvdsErrorRate", QStringLiteral("expected a number from 0 to 1"));
        box.lvdsErrorRate = e.toDouble();
    }
    if (o.contains("triggerRunning") &&
        !r.boolean(o["triggerRunning"], field + ".triggerRunning", box.triggerRunning))
        return false;
    return true;
}

} // namespace

bool SimBoxFile::load(const QString& path, std::vector<SimBox>& boxes, QList<int>& connected,
                      QString* error) {
    // A description of a few boxes is small; a FIFO or device given by mistake must not hang the start.
    constexpr qint64 maxBytes = 4 * 1024 * 1024;
    QByteArray json;
    QString why;
    if (MvQARN::VGXSafeFile::readRegular(path, maxBytes, json, &why) != MvQARN::VGXSafeFile::Ok) {
        if (error)
            *error = QStringLiteral("sim file %1: cannot be read: %2").arg(path, why);
        return false;
    }
    return parse(json, path, boxes, connected, error);
}

bool SimBoxFile::parse(const QByteArray& json, const QString& source, std::vector<SimBox>& boxes,
                       QList<int>& connected, QString* error) {
    Reader r(source);
    auto done = [&](bool ok) {
        if (!ok && error)
            *error = r.error();
        return ok;
    };
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (pe.error != QJsonParseError::NoError) {
        r.fail(QStringLiteral("not valid JSON"),
               QStringLiteral("%1 at offset %2").arg(pe.errorString()).arg(pe.offset));
        return done(false);
    }
    if (!doc.isObject()) {
        r.fail(QStringLiteral("top level"), QStringLiteral("expected an object with the field \"boxes\""));
        return done(false);
    }
    const QJsonObject top = doc.object();
    if (!r.onlyKnown(top, QString(), {"boxes"}))
        return done(false);
    if (!top.contains("boxes")) {
        r.fail(QStringLiteral("boxes"), QStringLiteral("missing"));
        return done(false);
    }
    if (!top["boxes"].isArray()) {
        r.fail(QStringLiteral("boxes"), QStringLiteral("expected an array"));
        return done(false);
    }
    const QJsonArray list = top["boxes"].toArray();
    std::vector<SimBox> result;
    QList<int> plugged;
    QSet<int> seen;
    for (int i = 0; i < list.size(); ++i) {
        const QString field = QStringLiteral("boxes[%1]").arg(i);
        SimBox box;
        bool isConnected = true;
        if (!readBox(r, list[i], field, box, isConnected))
            return done(false);
        if (seen.contains(box.serial)) {
            r.fail(field + ".serial", QStringLiteral("serial number %1 appears twice").arg(box.serial));
            return done(false);
        }
        seen.insert(box.serial);
        if (isConnected)
            plugged.append(box.serial);
        result.push_back(box);
    }
    if (plugged.size() > SimBoxes::MaxConnected) {
        r.fail(QStringLiteral("boxes"),
               QStringLiteral("at most %1 boxes can be connected, the file connects %2")
                   .arg(SimBoxes::MaxConnected)
                   .arg(plugged.size()));
        return done(false);
    }
    boxes = std::move(result);
    connected = plugged;
    return done(true);
}

} // namespace vgxsim
