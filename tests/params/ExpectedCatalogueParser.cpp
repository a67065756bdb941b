#include "ExpectedCatalogueParser.h"

#include <QRegularExpression>
#include <QStringList>

#include "params/KobraFunctionSlots.h"

namespace ExpectedCatalogue {

namespace {

bool toUnsigned(const QString& s, unsigned& out) {
    bool ok = false;
    out = s.startsWith("0x") ? s.mid(2).toUInt(&ok, 16) : s.toUInt(&ok, 10);
    return ok;
}

bool parseInstances(const QString& text, Row& r) {
    static const QRegularExpression re(
        R"(^(\d+)x(\d+)x(\d+)x(\d+)(?: (once))?(?: from (\d+),(\d+),(\d+),(\d+))?$)");
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    for (int i = 0; i < 4; ++i)
        r.count[i] = m.captured(1 + i).toInt();
    r.once = m.captured(5) == "once";
    if (!m.captured(6).isEmpty()) {
        for (int i = 0; i < 4; ++i)
            r.first[i] = m.captured(6 + i).toInt();
    }
    return true;
}

bool parseRange(const QString& text, Row& r) {
    if (r.type == "number") {
        static const QRegularExpression re(R"(^(\S+) \.\. (\S+) step (\S+)$)");
        const auto m = re.match(text);
        if (!m.hasMatch())
            return false;
        r.min = m.captured(1).toDouble();
        r.max = m.captured(2).toDouble();
        r.step = m.captured(3).toDouble();
        return true;
    }
    if (r.isSelection()) {
        static const QRegularExpression span(R"(^(-?\d+) \.\. (-?\d+)$)");
        const auto s = span.match(text);
        if (s.hasMatch()) {
            for (int id = s.captured(1).toInt(); id <= s.captured(2).toInt(); ++id)
                r.ids.append(id);
            return true;
        }
        static const QRegularExpression item(R"((-?\d+)(?: \"([^\"]*)\")?(?:, |$))");
        int pos = 0;
        auto it = item.globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            if (m.capturedStart() != pos)
                return false;
            pos = m.capturedEnd();
            r.ids.append(m.captured(1).toInt());
            r.texts.append(m.captured(2));
            if (m.capturedLength(2) > 0)
                r.hasTexts = true;
        }
        return pos == text.size() && !r.ids.isEmpty();
    }
    if (r.type == "bits") {
        static const QRegularExpression re(R"(^(\d+) \.\. (\d+) bits(?: lowest (\S+) highest (\S+))?$)");
        const auto m = re.match(text);
        if (!m.hasMatch())
            return false;
        r.minLen = m.captured(1).toInt();
        r.maxLen = m.captured(2).toInt();
        if (!m.captured(3).isEmpty()) {
            r.hasPatterns = true;
            unsigned lo = 0, hi = 0;
            if (!toUnsigned(m.captured(3), lo) || !toUnsigned(m.captured(4), hi))
                return false;
            r.lowest = lo;
            r.highest = hi;
        }
        return true;
    }
    return text.isEmpty();
}

bool parseDefault(const QString& text, Row& r) {
    if (text.isEmpty())
        return true;
    if (text.startsWith('"')) {
        if (!text.endsWith('"') || text.size() < 2)
            return false;
        r.hasDefaultText = true;
        r.defaultText = text.mid(1, text.size() - 2);
        return true;
    }
    static const QRegularExpression re(R"(^(\S+)(?: \(b (\S+)\))?$)");
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    r.hasDefault = true;
    r.def = m.captured(1).toDouble();
    r.def2 = m.captured(2).isEmpty() ? r.def : m.captured(2).toDouble();
    return true;
}

bool parseUnit(const QString& text, int& unit) {
    static const QList<QPair<QString, int>> units = {{"", 0},      {"Hz", 0x27},  {"s", 0x34},
                                                     {"dB", 0x0e}, {"bit", 0x42}, {"count", 0x52}};
    for (const auto& u : units) {
        if (u.first == text) {
            unit = u.second;
            return true;
        }
    }
    return false;
}

bool parseFunctions(const QString& text, unsigned& fn) {
    fn = 0;
    for (const QString& letter : text.split(' ', Qt::SkipEmptyParts)) {
        if (letter == "C")
            fn |= Kobra::FnChk;
        else if (letter == "I")
            fn |= Kobra::FnCnvIn;
        else if (letter == "O")
            fn |= Kobra::FnCnvOut;
        else if (letter == "U")
            fn |= Kobra::FnUpd;
        else if (letter == "P")
            fn |= Kobra::FnPres;
        else if (letter == "S")
            fn |= Kobra::FnSavRcl;
        else
            return false;
    }
    return true;
}

bool parseOptions(const QString& text, Row& r) {
    bool haveGroup = false;
    for (const QString& tok : text.split(' ', Qt::SkipEmptyParts)) {
        const QString key = tok.section('=', 0, 0);
        const QString val = tok.section('=', 1);
        unsigned u = 0;
        if (tok == "L")
            r.flagL = true;
        else if (tok == "G")
            r.family = 0x10000;
        else if (key == "grp" && toUnsigned(val, u)) {
            r.grp = u;
            haveGroup = true;
        } else if (key == "fam" && toUnsigned(val, u))
            r.family = u;
        else if (key == "idx" && (val == "all" || val == "usb"))
            r.idx = val;
        else if (key == "list" && toUnsigned(val, u))
            r.fileList = int(u);
        else if (key == "op" && toUnsigned(val, u))
            r.fileOp = int(u);
        else if (key == "w9" && toUnsigned(val, u))
            r.word9 = u;
        else if (key == "w21" && toUnsigned(val, u))
            r.word21 = int(u);
        else
            return false;
    }
    return haveGroup;
}

} // namespace

QList<Row> parse(const char* table, QString& error) {
    QList<Row> rows;
    error.clear();
    static const QStringList types = {"event",  "bits",  "ints",       "list",  "number",
                                      "select", "onoff", "testresult", "string"};
    const QStringList lines = QString::fromUtf8(table).split('\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const QStringList col = line.split('|');
        if (col.size() != 9) {
            error = "wrong column count: " + line;
            return {};
        }
        Row r;
        r.name = col[0].trimmed().toUtf8();
        r.type = col[1].trimmed();
        unsigned attr = 0;
        const bool ok = types.contains(r.type) && parseInstances(col[2].trimmed(), r) &&
                        parseRange(col[3].trimmed(), r) && parseDefault(col[4].trimmed(), r) &&
                        parseUnit(col[5].trimmed(), r.unit) && parseFunctions(col[6].trimmed(), r.fn) &&
                        toUnsigned(col[7].trimmed(), attr) && parseOptions(col[8].trimmed(), r);
        if (!ok) {
            error = "cannot read: " + line;
            return {};
        }
        r.attr = attr;
        rows.append(r);
    }
    return rows;
}

} // namespace ExpectedCatalogue
