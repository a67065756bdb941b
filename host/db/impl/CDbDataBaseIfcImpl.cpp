#include "host/db/impl/CDbDataBaseIfcImpl.h"

#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/impl/CDbEngine.h"
#include "host/db/impl/CDbRecord.h"

namespace MvQARN {

namespace {

// The stored value itself, when a read would answer it unchanged: no conversion-out and no file
// catalogue to list again. Null otherwise (and when there is no such parameter or instance: the
// read then reports why). Conversions read many such parameters, each without a copy this way.
const CDbAllType* plainValue(const CDbDefinitionRegistry& registry, const char* name, const SDbInstTupel& t) {
    int e = DbOk;
    SDbInstTupel stored;
    const CDbRecord* rec = registry.storedRecord(name, t, stored, e);
    if (!rec || rec->def()->cnvOut || rec->def()->fileOp == DbFileOpCatalogue)
        return nullptr;
    return &rec->value(stored);
}

// Sets out only when the value converts (a number, selection or text as asked).
template <typename T> int convertInto(const CDbAllType& v, T& out, bool (CDbAllType::*convert)(T&) const) {
    T x{};
    if (!(v.*convert)(x))
        return DbErrWrongType;
    out = x;
    return DbOk;
}

} // namespace

int CDbDataBaseIfcImpl::getValue(const char* name, CDbAllType& out, int t0, int t3, int t2, int t1) {
    // A read sets out only when it succeeds, so it reads straight into it.
    return m_engine.requests().read(name, SDbInstTupel{t0, t1, t2, t3}, out, m_errors);
}

int CDbDataBaseIfcImpl::getNumber(const char* name, double& out, int t0, int t3, int t2, int t1) {
    if (const CDbAllType* stored = plainValue(m_engine.registry(), name, SDbInstTupel{t0, t1, t2, t3}))
        return convertInto(*stored, out, &CDbAllType::toDouble);
    CDbAllType v;
    const int rc = getValue(name, v, t0, t3, t2, t1);
    return rc != DbOk ? rc : convertInto(v, out, &CDbAllType::toDouble);
}

int CDbDataBaseIfcImpl::getSelect(const char* name, int& out, int t0, int t3, int t2, int t1) {
    if (const CDbAllType* stored = plainValue(m_engine.registry(), name, SDbInstTupel{t0, t1, t2, t3}))
        return convertInto(*stored, out, &CDbAllType::toInt);
    CDbAllType v;
    const int rc = getValue(name, v, t0, t3, t2, t1);
    return rc != DbOk ? rc : convertInto(v, out, &CDbAllType::toInt);
}

int CDbDataBaseIfcImpl::getBits(const char* name, int& lengthBits, QVector<quint32>& words, int t0, int t3,
                                int t2, int t1) {
    CDbAllType v;
    const int rc = getValue(name, v, t0, t3, t2, t1);
    if (rc != DbOk)
        return rc;
    if (v.getType() != DbTypeNBit)
        return DbErrWrongType;
    const auto* b = static_cast<const CDbDataTypeNBit*>(v.get());
    lengthBits = b->getLength();
    words = b->getWords();
    return DbOk;
}

int CDbDataBaseIfcImpl::getStringList(const char* name, QStringList& out, int& count, int t0, int t3, int t2,
                                      int t1) {
    CDbAllType v;
    const int rc = getValue(name, v, t0, t3, t2, t1);
    if (rc != DbOk)
        return rc;
    if (v.getType() != DbTypeNString)
        return DbErrWrongType;
    out = static_cast<const CDbDataTypeNString*>(v.get())->getValList();
    count = int(out.size());
    return DbOk;
}

int CDbDataBaseIfcImpl::getString(const char* name, QString& out, int t0, int t3, int t2, int t1) {
    CDbAllType v;
    const int rc = getValue(name, v, t0, t3, t2, t1);
    return rc != DbOk ? rc : convertInto(v, out, &CDbAllType::toString);
}

unsigned CDbDataBaseIfcImpl::getModeWord() const {
    return m_engine.modeWord();
}

int CDbDataBaseIfcImpl::getModuleNumber() const {
    return m_module >= 0 ? m_module : m_engine.registry().defaultModuleNumber();
}

} // namespace MvQARN
