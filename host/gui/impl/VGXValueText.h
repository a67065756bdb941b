#pragma once
// How bound controls turn database values into the texts they show and user input back into
// values, guided by the descriptor registered for the parameter.
#include <QString>

#include "host/db/CDbAllType.h"

namespace MvQARN {

class VGXDataContainer;
class VGXDescriptorEntry;

namespace VGXValueText {

// The text of a value as a control shows it (without a unit): selections by the texts of a check
// box or combo box descriptor, numbers with a number descriptor's decimals (else the shortest exact
// form), bit fields in hexadecimal, string lists joined by ", ". Empty for no value.
QString display(const VGXDataContainer* value, const VGXDescriptorEntry* descriptor);

// Reads user input as a value of the record type (EDbType): a selection by descriptor text or as
// an integer ("ON"/"OFF" too), a number with an optional unit and SI prefix ("2.5 MHz", "10k",
// "1e6"), a bit field from hexadecimal digits, anything else as text. False for input the type
// cannot take.
bool parse(const QString& text, int type, const VGXDescriptorEntry* descriptor, const QString& unit,
           CDbAllType& out);

// Hexadecimal digits of a bit field (bit 0 is the most significant); digits are right-aligned.
QString bitsToHex(const CDbAllType& value, int bits);
bool hexToBits(const QString& hex, int bits, CDbAllType& out);

} // namespace VGXValueText

} // namespace MvQARN
