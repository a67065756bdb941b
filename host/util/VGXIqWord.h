#pragma once
// One complex sample in a 32-bit word, the form in which the recorder delivers its blocks and the graph
// numerics read them: I in the low 16 bits, Q in the high 16 bits, each a two's-complement integer with
// full scale 32767. Written little-endian, a word's four bytes are the I,Q pair of 16-bit little-endian
// integers that a waveform file (*.wv) stores per sample, so a file's sample section read as 32-bit
// little-endian words is a recorder block and the other way round. Everything that packs or unpacks such
// words goes through these helpers.
#include <QtGlobal>

namespace MvQARN::VGXIqWord {

inline constexpr double FullScale = 32767.0;

constexpr quint32 pack(qint16 i, qint16 q) {
    return quint32(quint16(i)) | (quint32(quint16(q)) << 16);
}

constexpr qint16 inphase(quint32 word) {
    return qint16(quint16(word & 0xffffu));
}

constexpr qint16 quadrature(quint32 word) {
    return qint16(quint16(word >> 16));
}

} // namespace MvQARN::VGXIqWord
