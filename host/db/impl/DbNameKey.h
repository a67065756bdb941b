#pragma once
// A parameter name as the key of the name tables, without copying it: names are looked up on every
// read and write, and a copy would cost an allocation each time. Valid while name is.
#include <QByteArray>

namespace MvQARN {

inline QByteArray nameKey(const char* name) {
    return QByteArray::fromRawData(name, qsizetype(qstrlen(name)));
}

} // namespace MvQARN
