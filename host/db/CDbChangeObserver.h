#pragma once
// How the database tells others what a request changed. After the outermost request (with every
// nested request, preset or recall it caused) is done, each observer gets one batch: every stored
// instance whose value changed (events always count), once, in the order the changes happened.
// Observers that write start requests of their own; the changes of those arrive in a later batch.
#include <QByteArray>
#include <QVector>

#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

struct SDbDefCommon;

struct SDbChange {
    QByteArray name;
    SDbInstTupel tupel;                   // stored instance
    const SDbDefCommon* record = nullptr; // which of several records of the name changed
};

class VGX_EXPORT CDbChangeObserver {
public:
    virtual ~CDbChangeObserver() = default;
    virtual void dbChanged(const QVector<SDbChange>& changes) = 0;
};

// Where observers sign on. An observer added twice is called once; one removed while a batch is
// delivered gets no further calls.
class VGX_EXPORT CDbChangeSource {
public:
    virtual ~CDbChangeSource() = default;
    virtual void addChangeObserver(CDbChangeObserver* observer) = 0;
    virtual void removeChangeObserver(CDbChangeObserver* observer) = 0;
};

} // namespace MvQARN
