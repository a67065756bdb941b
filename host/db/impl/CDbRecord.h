#pragma once
// One registered definition record with the values it stores. The record knows its value rules:
// which incoming values fit its type, its static range or choices, its default, and how an
// addressed instance maps to the stored one.
#include <QByteArray>
#include <QVector>
#include <array>
#include <functional>
#include <map>

#include "host/db/CDbAllType.h"
#include "host/db/DbDefinitions.h"

namespace MvQARN {

class CDbRecord {
public:
    typedef std::array<int, 4> Key; // t0, t1, t2, t3 of a stored instance

    CDbRecord(const SDbDefCommon* def, int moduleNumber, int order);

    // Byte size of one record of an array of the given type; 0 for types no array may hold.
    static size_t strideOf(int type);

    const SDbDefCommon* def() const { return m_def; }
    const QByteArray& name() const { return m_name; }
    int type() const { return m_def->type; }
    int module() const { return m_module; }
    int order() const { return m_order; }
    qint64 widthA() const; // number of addressable instances: narrower records win
    // True when the instance lies in range A once the record's index function (if any) has mapped it.
    bool holds(const SDbInstTupel& addressed) const;
    // True when several addressable instances share one stored value on the axes set in axisMask
    // (bit i = axis ti).
    bool sharedOn(unsigned axisMask) const;

    // Stored instance of an addressable one; 0 or DbErrInstance.
    int storedTupel(const SDbInstTupel& addressed, SDbInstTupel& stored) const;
    // Every stored instance, in t0, t1, t2, t3 order.
    QVector<SDbInstTupel> storedInstances() const;

    const CDbAllType& defaultValue() const { return m_default; }
    const CDbAllType& value(const SDbInstTupel& stored) const;
    void setValue(const SDbInstTupel& stored, const CDbAllType& v);
    void clearValues() { m_values.clear(); }

    // The value converted to this record's type; 0 or DbErrWrongType.
    int coerce(const CDbAllType& in, CDbAllType& out) const;
    static bool compatible(int valueType, int recordType);

    // Static limits of a number record, or the bounds of a selection's choices.
    bool staticLimits(double& min, double& max) const;
    // Choice identifiers of a selection record.
    QVector<int> staticChoices() const;

    // Range test of a value of this record's type. dynLimits (two elements) or dynChoices replace the
    // static ones when given. Numbers within the tolerance of a bound are pulled onto it.
    int rangeTest(CDbAllType& v, const QVector<double>* dynLimits, const QVector<int>* dynChoices) const;

    static Key keyOf(const SDbInstTupel& t) { return Key{t.t0, t.t1, t.t2, t.t3}; }

private:
    CDbAllType makeDefault() const;
    // Calls fn(addressed, stored) for each addressable instance that maps to a stored one, in t0, t1,
    // t2, t3 order, until fn returns true; returns whether it did.
    bool anyAddressed(const std::function<bool(const SDbInstTupel&, const SDbInstTupel&)>& fn) const;

    const SDbDefCommon* m_def;
    QByteArray m_name;
    int m_module;
    int m_order;
    CDbAllType m_default;
    std::map<Key, CDbAllType> m_values;
};

} // namespace MvQARN
