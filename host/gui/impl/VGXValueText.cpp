#include "host/gui/impl/VGXValueText.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorNBitEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptorPatternEntry.h"

namespace MvQARN::VGXValueText {

namespace {

QString compactNumber(double v) {
    if (v == 0)
        return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

// Multiplier of an SI prefix letter; 0 for none.
double prefixFactor(QChar c) {
    switch (c.unicode()) {
    case 'G':
        return 1e9;
    case 'M':
        return 1e6;
    case 'k':
    case 'K':
        return 1e3;
    case 'm':
        return 1e-3;
    case 'u':
    case 0x00b5: // micro sign
        return 1e-6;
    case 'n':
        return 1e-9;
    case 'p':
        return 1e-12;
    default:
        return 0;
    }
}

bool parseNumber(QString text, const QString& unit, double& out) {
    text = text.trimmed();
    if (!unit.isEmpty() && text.endsWith(unit))
        text.chop(unit.size());
    text = text.trimmed();
    bool ok = false;
    out = text.toDouble(&ok);
    if (ok)
        return std::isfinite(out);
    if (text.isEmpty())
        return false;
    const double factor = prefixFactor(text.back());
    if (factor == 0)
        return false;
    text.chop(1);
    out = text.trimmed().toDouble(&ok) * factor;
    return ok && std::isfinite(out);
}

} // namespace

QString bitsToHex(const CDbAllType& value, int bits) {
    if (value.getType() != DbTypeNBit)
        return QString();
    const auto* v = static_cast<const CDbDataTypeNBit*>(value.get());
    const int len = bits > 0 ? bits : v->getLength();
    const int digits = (len + 3) / 4;
    const int lead = digits * 4 - len; // zero bits in front of bit 0
    QString out;
    for (int d = 0; d < digits; ++d) {
        int nibble = 0;
        for (int k = 0; k < 4; ++k) {
            const int i = d * 4 + k - lead; // field bit shown at this place
            nibble = nibble << 1 | ((i >= 0 && i < v->getLength() && v->bit(i)) ? 1 : 0);
        }
        out += QChar::fromLatin1("0123456789ABCDEF"[nibble]);
    }
    return out;
}

bool hexToBits(const QString& hex, int bits, CDbAllType& out) {
    QString h = hex;
    h.remove(QLatin1Char(' '));
    if (h.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        h = h.mid(2);
    if (bits <= 0 || h.isEmpty())
        return false;
    QVector<bool> given;
    for (QChar c : std::as_const(h)) {
        bool ok = false;
        const int nibble = QString(c).toInt(&ok, 16);
        if (!ok)
            return false;
        for (int k = 3; k >= 0; --k)
            given.append(nibble >> k & 1);
    }
    // Right-aligned: leading bits beyond the field must be zero.
    const qsizetype extra = given.size() - bits;
    for (qsizetype i = 0; i < extra; ++i)
        if (given[i])
            return false;
    auto* v = new CDbDataTypeNBit(bits, {});
    for (int i = 0; i < bits; ++i) {
        const qsizetype from = i + extra;
        v->setBit(i, from >= 0 && from < given.size() && given[from]);
    }
    out = CDbAllType(v);
    return true;
}

QString display(const VGXDataContainer* value, const VGXDescriptorEntry* descriptor) {
    if (!value || !value->hasData())
        return QString();
    const CDbAllType& v = value->getValue();
    switch (v.getType()) {
    case DbTypeSelect: {
        const int i = value->getIntegerData();
        if (const auto* c = dynamic_cast<const VGXDescriptorCheckboxEntry*>(descriptor))
            return c->stateText(i != 0);
        if (const auto* c = dynamic_cast<const VGXDescriptorComboboxEntry*>(descriptor)) {
            const QString t = c->textOf(i);
            return t.isEmpty() ? QString::number(i) : t;
        }
        if (const auto* n = dynamic_cast<const VGXDescriptorNumberEntry*>(descriptor))
            return QString::number(double(i), 'f', n->decimals());
        return QString::number(i);
    }
    case DbTypeNumber: {
        const double d = value->getDoubleData();
        if (const auto* n = dynamic_cast<const VGXDescriptorNumberEntry*>(descriptor))
            return QString::number(d, 'f', n->decimals());
        if (const auto* c = dynamic_cast<const VGXDescriptorComboboxEntry*>(descriptor)) {
            const QString t = c->textOf(int(std::lround(d)));
            if (!t.isEmpty())
                return t;
        }
        return compactNumber(d);
    }
    case DbTypeNBit: {
        const auto* n = dynamic_cast<const VGXDescriptorNBitEntry*>(descriptor);
        return bitsToHex(v, n ? n->bits() : 0);
    }
    case DbTypeNString:
        return value->getStringListData().join(QLatin1String(", "));
    case DbTypeString: {
        const QString s = value->getStringData();
        if (const auto* p = dynamic_cast<const VGXDescriptorPatternEntry*>(descriptor))
            return p->grouped(s);
        return s;
    }
    case DbTypeEvent:
        return QString();
    default:
        return v.toText();
    }
}

bool parse(const QString& text, int type, const VGXDescriptorEntry* descriptor, const QString& unit,
           CDbAllType& out) {
    const QString t = text.trimmed();
    switch (type) {
    case DbTypeSelect: {
        if (const auto* c = dynamic_cast<const VGXDescriptorComboboxEntry*>(descriptor)) {
            const int v = c->valueOf(t);
            if (v >= 0 || c->texts().contains(t)) {
                out = CDbAllType::fromInt(v);
                return true;
            }
        }
        if (const auto* c = dynamic_cast<const VGXDescriptorCheckboxEntry*>(descriptor)) {
            if (t == c->stateText(true) || t == c->onText()) {
                out = CDbAllType::fromInt(1);
                return true;
            }
            if (t == c->stateText(false) || t == c->offText()) {
                out = CDbAllType::fromInt(0);
                return true;
            }
        }
        if (t.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0 ||
            t.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0) {
            out = CDbAllType::fromInt(t.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0 ? 1 : 0);
            return true;
        }
        bool ok = false;
        const int v = t.toInt(&ok);
        if (ok)
            out = CDbAllType::fromInt(v);
        return ok;
    }
    case DbTypeNumber: {
        double d = 0;
        QString u = unit;
        if (u.isEmpty())
            if (const auto* n = dynamic_cast<const VGXDescriptorNumberEntry*>(descriptor))
                u = n->unit();
        if (!parseNumber(t, u, d))
            return false;
        out = CDbAllType::fromDouble(d);
        return true;
    }
    case DbTypeNBit: {
        const auto* n = dynamic_cast<const VGXDescriptorNBitEntry*>(descriptor);
        return hexToBits(t, n ? n->bits() : int(t.size()) * 4, out);
    }
    case DbTypeNString:
        out = CDbAllType(new CDbDataTypeNString(
            t.split(QRegularExpression(QStringLiteral("\\s*,\\s*")), Qt::SkipEmptyParts)));
        return true;
    default: {
        if (const auto* p = dynamic_cast<const VGXDescriptorPatternEntry*>(descriptor)) {
            QString plain;
            if (!p->accept(text, plain))
                return false;
            out = CDbAllType::fromString(plain);
            return true;
        }
        out = CDbAllType::fromString(text);
        return true;
    }
    }
}

} // namespace MvQARN::VGXValueText
