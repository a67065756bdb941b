#include "host/gui/VGXParameterAvailability.h"

#include <QHash>
#include <QMap>
#include <array>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/impl/VGXDbAccess.h"

namespace MvQARN {

namespace {

using Key = std::array<int, 4>;

struct Marks {
    QHash<QByteArray, int> all;                  // marks for every instance
    QHash<QByteArray, QMap<Key, int>> instances; // marks for one instance
};

Marks& marks() {
    static Marks m;
    return m;
}

Key keyOf(const SDbInstTupel& t) {
    return Key{t.t0, t.t1, t.t2, t.t3};
}

} // namespace

VGXParameterAvailability* VGXParameterAvailability::instance() {
    static VGXParameterAvailability* self = new VGXParameterAvailability; // lives as long as the process
    return self;
}

void VGXParameterAvailability::mark(const char* name, int state) {
    if (!name)
        return;
    const QByteArray n(name);
    if (state == Available)
        marks().all.remove(n);
    else
        marks().all.insert(n, state);
    emit instance()->marksChanged(n);
}

void VGXParameterAvailability::mark(const char* name, const SDbInstTupel& tupel, int state) {
    if (!name)
        return;
    const QByteArray n(name);
    if (state == Available) {
        auto it = marks().instances.find(n);
        if (it != marks().instances.end()) {
            it->remove(keyOf(tupel));
            if (it->isEmpty())
                marks().instances.erase(it);
        }
    } else {
        marks().instances[n].insert(keyOf(tupel), state);
    }
    emit instance()->marksChanged(n);
}

int VGXParameterAvailability::markOf(const QByteArray& name, const SDbInstTupel& tupel) {
    const auto it = marks().instances.constFind(name);
    if (it != marks().instances.constEnd()) {
        const auto one = it->constFind(keyOf(tupel));
        if (one != it->constEnd())
            return *one;
    }
    return marks().all.value(name, Available);
}

void VGXParameterAvailability::clearMarks() {
    QList<QByteArray> names = marks().all.keys();
    names += marks().instances.keys();
    marks().all.clear();
    marks().instances.clear();
    for (const QByteArray& n : std::as_const(names))
        emit instance()->marksChanged(n);
}

int VGXParameterAvailability::of(VGXDatabaseConnectorEntry* entry) {
    if (!entry)
        return Available;
    const QByteArray& name = entry->getName();
    const SDbInstTupel& t = entry->getTupel();
    const int marked = markOf(name, t);
    if (marked == Hidden || !VGXDbAccess::exists(name, t))
        return Hidden;
    if (marked == ReadOnly)
        return ReadOnly;
    switch (VGXDbAccess::recordType(name, t)) {
    case DbTypeSelect: {
        const QVector<int> choices = entry->getChoices();
        if (choices.size() == 1 && entry->hasData() && entry->getIntegerData() == choices.first())
            return ReadOnly;
        break;
    }
    case DbTypeNumber: {
        double lo = 0, hi = 0;
        if (entry->getLimits(lo, hi) && lo == hi)
            return ReadOnly;
        break;
    }
    default:
        break;
    }
    return Available;
}

} // namespace MvQARN
