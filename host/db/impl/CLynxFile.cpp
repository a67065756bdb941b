#include "host/db/impl/CLynxFile.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNByte.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"

namespace MvQARN {

const char* const CLynxFile::kMagic = "# VGX settings file";

namespace {

const char* tagOf(int type) {
    switch (type) {
    case DbTypeNumber:
        return "num";
    case DbTypeSelect:
        return "sel";
    case DbTypeString:
        return "str";
    case DbTypeNString:
        return "list";
    case DbTypeNBit:
        return "bits";
    case DbTypeNInt:
        return "ints";
    case DbTypeNDbl:
        return "dbls";
    case DbTypeNByte:
        return "bytes";
    default:
        return nullptr;
    }
}

// Splits at unescaped '|'.
QStringList splitItems(const QString& s) {
    QStringList out;
    QString cur;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\\') && i + 1 < s.size()) {
            cur += c;
            cur += s.at(++i);
        } else if (c == QLatin1Char('|')) {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

bool parseInt(const QString& s, int& out) {
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    if (ok)
        out = v;
    return ok;
}

} // namespace

QString CLynxFile::escape(const QString& s, bool listItem) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '|':
            out += listItem ? QLatin1String("\\|") : QLatin1String("|");
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool CLynxFile::unescape(const QString& s, QString& out) {
    out.clear();
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= s.size())
            return false;
        switch (s.at(i).unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case '|':
            out += QLatin1Char('|');
            break;
        default:
            return false;
        }
    }
    return true;
}

QString CLynxFile::encodeValue(const CDbAllType& v) {
    const char* tag = tagOf(v.getType());
    if (!tag)
        return QString();
    QString text;
    switch (v.getType()) {
    case DbTypeString:
        text = escape(static_cast<const CDbDataTypeString*>(v.get())->getValStringQ(), false);
        break;
    case DbTypeNString: {
        const QStringList& items = static_cast<const CDbDataTypeNString*>(v.get())->getValList();
        text = QString::number(items.size());
        for (const QString& item : items)
            text += QLatin1Char('|') + escape(item, true);
        break;
    }
    default:
        text = v.toText();
    }
    return QLatin1String(tag) + QLatin1Char(':') + text;
}

bool CLynxFile::decodeValue(const QString& typeAndText, CDbAllType& out) {
    const int colon = typeAndText.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    const QString tag = typeAndText.left(colon);
    const QString text = typeAndText.mid(colon + 1);
    bool ok = false;
    if (tag == QLatin1String("num")) {
        const double d = text.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            return false;
        out = CDbAllType::fromDouble(d);
    } else if (tag == QLatin1String("sel")) {
        int i = 0;
        if (!parseInt(text, i) || text.trimmed() != text)
            return false;
        out = CDbAllType::fromInt(i);
    } else if (tag == QLatin1String("str")) {
        QString s;
        if (!unescape(text, s))
            return false;
        out = CDbAllType::fromString(s);
    } else if (tag == QLatin1String("list")) {
        const QStringList parts = splitItems(text);
        int n = 0;
        if (!parseInt(parts.first(), n) || n != parts.size() - 1)
            return false;
        QStringList items;
        for (int i = 1; i < parts.size(); ++i) {
            QString s;
            if (!unescape(parts.at(i), s))
                return false;
            items << s;
        }
        out = CDbAllType(new CDbDataTypeNString(items));
    } else if (tag == QLatin1String("bits")) {
        CDbDataTypeNBit b;
        if (!CDbDataTypeNBit::fromText(text, b))
            return false;
        out = CDbAllType(b);
    } else if (tag == QLatin1String("ints") || tag == QLatin1String("dbls")) {
        const QStringList parts = text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
        QVector<qint32> ints;
        QVector<double> dbls;
        for (const QString& p : parts) {
            if (tag == QLatin1String("ints")) {
                int i = 0;
                if (!parseInt(p, i))
                    return false;
                ints << i;
            } else {
                const double d = p.toDouble(&ok);
                if (!ok)
                    return false;
                dbls << d;
            }
        }
        if (tag == QLatin1String("ints"))
            out = CDbAllType(new CDbDataTypeNInt(ints));
        else
            out = CDbAllType(new CDbDataTypeNDbl(dbls));
    } else if (tag == QLatin1String("bytes")) {
        if (text.size() % 2 != 0 ||
            !QRegularExpression(QStringLiteral("^[0-9a-fA-F]*$")).match(text).hasMatch())
            return false;
        out = CDbAllType(new CDbDataTypeNByte(QByteArray::fromHex(text.toLatin1())));
    } else {
        return false;
    }
    return true;
}

bool CLynxFile::isSettingsFile(const QByteArray& head) {
    return head.startsWith(kMagic);
}

QByteArray CLynxFile::format(const SHeader& h, const QVector<SEntry>& entries) {
    QString s;
    s += QLatin1String(kMagic) + QLatin1Char('\n');
    s += QStringLiteral("version=%1\n").arg(h.version);
    s += QStringLiteral("module=%1\n").arg(QString::fromUtf8(h.module));
    if (!h.section.isEmpty())
        s += QStringLiteral("section=%1\n").arg(QString::fromUtf8(h.section));
    if (!h.key.isEmpty())
        s += QStringLiteral("key=%1\n").arg(QString::fromUtf8(h.key));
    s += QStringLiteral("group=%1\n").arg(h.group);
    s += QStringLiteral("mask=0x%1\n").arg(h.mask, 8, 16, QLatin1Char('0'));
    int n = 0;
    for (const SEntry& e : entries) {
        const QString v = encodeValue(e.value);
        if (v.isEmpty())
            continue;
        s += QStringLiteral("%1[%2,%3]=%4\n").arg(QString::fromUtf8(e.name)).arg(e.t2).arg(e.t3).arg(v);
        ++n;
    }
    s += QStringLiteral("end=%1\n").arg(n);
    return s.toUtf8();
}

bool CLynxFile::parse(const QByteArray& data, SHeader& h, QVector<SEntry>& entries, QString& error) {
    entries.clear();
    h = SHeader();
    h.version = 0;
    const QString text = QString::fromUtf8(data);
    if (text.contains(QChar::ReplacementCharacter) || text.contains(QChar(0))) {
        error = QStringLiteral("not a text file");
        return false;
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    if (lines.isEmpty() || lines.first() != QLatin1String(kMagic)) {
        error = QStringLiteral("the first line is not \"%1\"").arg(QLatin1String(kMagic));
        return false;
    }
    static const QRegularExpression valueLine(
        QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)\\[(\\d{1,6}),(\\d{1,6})\\]=(.*)$"));
    static const QRegularExpression headerLine(QStringLiteral("^([a-z]+)=(.*)$"));
    bool haveVersion = false, haveModule = false, haveGroup = false, haveMask = false, ended = false;
    int endCount = -1;
    for (int i = 1; i < lines.size(); ++i) {
        const QString& l = lines.at(i);
        const int lineNo = i + 1;
        if (l.isEmpty() || l.startsWith(QLatin1Char('#')))
            continue;
        if (ended) {
            error = QStringLiteral("line %1: text after the end line").arg(lineNo);
            return false;
        }
        const auto vm = valueLine.match(l);
        if (vm.hasMatch()) {
            if (!haveVersion || !haveModule || !haveGroup || !haveMask) {
                error = QStringLiteral("line %1: value before the complete header").arg(lineNo);
                return false;
            }
            SEntry e;
            e.name = vm.captured(1).toUtf8();
            e.t2 = vm.captured(2).toInt();
            e.t3 = vm.captured(3).toInt();
            e.line = lineNo;
            if (!decodeValue(vm.captured(4), e.value)) {
                error = QStringLiteral("line %1: value of %2 cannot be read").arg(lineNo).arg(vm.captured(1));
                return false;
            }
            entries.append(std::move(e));
            continue;
        }
        const auto hm = headerLine.match(l);
        if (!hm.hasMatch()) {
            error = QStringLiteral("line %1 cannot be read").arg(lineNo);
            return false;
        }
        const QString key = hm.captured(1);
        const QString val = hm.captured(2);
        bool ok = true;
        if (key == QLatin1String("end")) {
            endCount = val.toInt(&ok);
            ended = ok;
        } else if (!entries.isEmpty()) {
            error = QStringLiteral("line %1: header line among the values").arg(lineNo);
            return false;
        } else if (key == QLatin1String("version")) {
            h.version = val.toInt(&ok);
            haveVersion = ok;
            if (ok && h.version != kVersion) {
                error = QStringLiteral("unsupported file version %1 (supported: %2)").arg(val).arg(kVersion);
                return false;
            }
        } else if (key == QLatin1String("module")) {
            h.module = val.toUtf8();
            haveModule = !val.isEmpty();
            ok = haveModule;
        } else if (key == QLatin1String("section")) {
            h.section = val.toUtf8();
        } else if (key == QLatin1String("key")) {
            h.key = val.toUtf8();
        } else if (key == QLatin1String("group")) {
            h.group = val.toInt(&ok);
            haveGroup = ok;
        } else if (key == QLatin1String("mask")) {
            h.mask = val.toUInt(&ok, 0);
            haveMask = ok;
        } else {
            error = QStringLiteral("line %1: unknown header key \"%2\"").arg(lineNo).arg(key);
            return false;
        }
        if (!ok) {
            error = QStringLiteral("line %1 cannot be read").arg(lineNo);
            return false;
        }
    }
    if (!haveVersion || !haveModule || !haveGroup || !haveMask) {
        error = QStringLiteral("incomplete header");
        return false;
    }
    if (!ended) {
        error = QStringLiteral("the file is truncated (no end line)");
        return false;
    }
    if (endCount != entries.size()) {
        error = QStringLiteral("the file is truncated (%1 of %2 values)").arg(entries.size()).arg(endCount);
        return false;
    }
    return true;
}

} // namespace MvQARN
