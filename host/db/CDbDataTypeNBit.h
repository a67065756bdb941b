#pragma once
#include <QVector>
#include <cstdint>

#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

// A bit field of a given length. Bits are left-aligned in 32-bit words: bit 0 of the field is
// the most significant bit of word 0.
class VGX_EXPORT CDbDataTypeNBit : public CDbDataType {
public:
    CDbDataTypeNBit() = default;
    CDbDataTypeNBit(int lengthBits, const QVector<quint32>& words);
    int getType() const override { return DbTypeNBit; }
    CDbDataType* clone() const override { return new CDbDataTypeNBit(*this); }
    bool isEqual(const CDbDataType& o) const override;
    // "<length>:<hex words>", for example "8:ff000000".
    QString toText() const override;
    static bool fromText(const QString& text, CDbDataTypeNBit& out);

    int getLength() const { return m_len; }
    const QVector<quint32>& getWords() const { return m_words; }
    bool bit(int i) const;
    void setBit(int i, bool on);
    // Resizes to lengthBits, keeping the leading bits and clearing bits past the new end.
    void setLength(int lengthBits);

private:
    int m_len = 0;
    QVector<quint32> m_words;
};

} // namespace MvQARN
