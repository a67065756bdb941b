#include "params/KobraFunctionSlots.h"

#include <cstring>

#include "params/KobraCatalogue.h"

using namespace MvQARN;

namespace Kobra {

namespace {

// Where a slot's pointer lives in a record.
template <class F> F*& slotOf(SDbDefCommon& r);
template <> CDbChkFunc*& slotOf<CDbChkFunc>(SDbDefCommon& r) {
    return r.chk;
}
template <> CDbCnvInFunc*& slotOf<CDbCnvInFunc>(SDbDefCommon& r) {
    return r.cnvIn;
}
template <> CDbCnvOutFunc*& slotOf<CDbCnvOutFunc>(SDbDefCommon& r) {
    return r.cnvOut;
}
template <> CDbUpdFunc*& slotOf<CDbUpdFunc>(SDbDefCommon& r) {
    return r.upd;
}
template <> CDbPresFunc*& slotOf<CDbPresFunc>(SDbDefCommon& r) {
    return r.pres;
}
template <> CDbSavRclFunc*& slotOf<CDbSavRclFunc>(SDbDefCommon& r) {
    return r.savRcl;
}

bool slotFilled(const SDbDefCommon& r, unsigned slot) {
    switch (slot) {
    case FnChk:
        return r.chk;
    case FnCnvIn:
        return r.cnvIn;
    case FnCnvOut:
        return r.cnvOut;
    case FnUpd:
        return r.upd;
    case FnPres:
        return r.pres;
    case FnSavRcl:
        return r.savRcl;
    }
    return false;
}

constexpr unsigned kAllSlots[] = {FnChk, FnCnvIn, FnCnvOut, FnUpd, FnPres, FnSavRcl};

template <class F> int bind(const char* name, unsigned slot, F* f) {
    if (!name)
        return 0;
    const QList<SCatalogueEntry>& entries = catalogueEntries();
    QList<int> targets;
    for (int i = 0; i < entries.size(); ++i) {
        if (std::strcmp(entries[i].record->name, name) != 0)
            continue;
        if (!(entries[i].fnSlots & slot))
            return 0;
        F* current = slotOf<F>(*catalogueRecordForBinding(i));
        if (f && current && current != f)
            return 0;
        targets.append(i);
    }
    for (int i : targets)
        slotOf<F>(*catalogueRecordForBinding(i)) = f;
    return int(targets.size());
}

} // namespace

int bindFunction(const char* name, CDbChkFunc* f) {
    return bind(name, FnChk, f);
}
int bindFunction(const char* name, CDbCnvInFunc* f) {
    return bind(name, FnCnvIn, f);
}
int bindFunction(const char* name, CDbCnvOutFunc* f) {
    return bind(name, FnCnvOut, f);
}
int bindFunction(const char* name, CDbUpdFunc* f) {
    return bind(name, FnUpd, f);
}
int bindFunction(const char* name, CDbPresFunc* f) {
    return bind(name, FnPres, f);
}
int bindFunction(const char* name, CDbSavRclFunc* f) {
    return bind(name, FnSavRcl, f);
}

unsigned reservedSlots(const char* name) {
    unsigned fnSlots = 0;
    if (!name)
        return 0;
    for (const SCatalogueEntry& e : catalogueEntries()) {
        if (std::strcmp(e.record->name, name) == 0)
            fnSlots |= e.fnSlots;
    }
    return fnSlots;
}

unsigned boundSlots(const char* name) {
    if (!name)
        return 0;
    unsigned bound = 0;
    bool first = true;
    for (const SCatalogueEntry& e : catalogueEntries()) {
        if (std::strcmp(e.record->name, name) != 0)
            continue;
        unsigned here = 0;
        for (unsigned s : kAllSlots) {
            if (slotFilled(*e.record, s))
                here |= s;
        }
        bound = first ? here : (bound & here);
        first = false;
    }
    return bound;
}

QList<QPair<QByteArray, unsigned>> unboundSlots() {
    QList<QPair<QByteArray, unsigned>> out;
    for (const SCatalogueEntry& e : catalogueEntries()) {
        for (unsigned s : kAllSlots) {
            if ((e.fnSlots & s) && !slotFilled(*e.record, s)) {
                const QPair<QByteArray, unsigned> item(QByteArray(e.record->name), s);
                if (!out.contains(item))
                    out.append(item);
            }
        }
    }
    return out;
}

} // namespace Kobra
