#pragma once
// Read access to the parameter database. Reads run the parameter's conversion-out function, so a
// computed parameter reads as its computed value. Tuple arguments come in the order t0, t3, t2, t1.
// Every read returns 0 or a host error number and leaves the out argument alone on error.
#include <QString>
#include <QStringList>
#include <QVector>

#include "host/db/CDbAllType.h"

namespace MvQARN {

class CDbDataBaseIfc {
public:
    virtual ~CDbDataBaseIfc() = default;

    virtual int getNumber(const char* name, double& out, int t0 = 0, int t3 = 0, int t2 = 0, int t1 = 0) = 0;
    // A selection, an OFF/ON state, or a number rounded to an integer.
    virtual int getSelect(const char* name, int& out, int t0 = 0, int t3 = 0, int t2 = 0, int t1 = 0) = 0;
    virtual int getBits(const char* name, int& lengthBits, QVector<quint32>& words, int t0 = 0, int t3 = 0,
                        int t2 = 0, int t1 = 0) = 0;
    virtual int getStringList(const char* name, QStringList& out, int& count, int t0 = 0, int t3 = 0,
                              int t2 = 0, int t1 = 0) = 0;
    virtual int getString(const char* name, QString& out, int t0 = 0, int t3 = 0, int t2 = 0, int t1 = 0) = 0;
    virtual int getValue(const char* name, CDbAllType& out, int t0 = 0, int t3 = 0, int t2 = 0,
                         int t1 = 0) = 0;

    // The host's mode word; bits 0x121 say the host baseband parameters are to be mirrored.
    virtual unsigned getModeWord() const = 0;
    // The module number under which messages of the database interface itself travel.
    virtual int getModuleNumber() const = 0;
};

} // namespace MvQARN
