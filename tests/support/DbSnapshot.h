#pragma once
// Every stored value of every parameter of the host database, to see that a refused request left
// all of them as they were. Header-only.
#include <QMap>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "host/db/CDbAllType.h"
#include "host/db/DbDefs.h"
#include "host/db/impl/CDbEngine.h"

namespace testsupport {

// "name[t0,t1,t2,t3]" -> "type:value" for every instance of every record.
using Snapshot = QMap<QString, QString>;

inline Snapshot snapshot() {
    MvQARN::CDbEngine& db = MvQARN::CDbEngine::instance();
    Snapshot out;
    for (const QByteArray& name : db.names())
        for (const MvQARN::SDbDefCommon* r : db.records(name.constData()))
            for (int i = 0; i < r->countA[0] * r->countA[1] * r->countA[2] * r->countA[3]; ++i) {
                const int n3 = r->countA[3], n2 = r->countA[2] * n3, n1 = r->countA[1] * n2;
                const MvQARN::SDbInstTupel t{r->firstA[0] + i / n1, r->firstA[1] + i % n1 / n2,
                                             r->firstA[2] + i % n2 / n3, r->firstA[3] + i % n3};
                MvQARN::CDbAllType v;
                if (db.readStored(name.constData(), t, v) == MvQARN::DbOk)
                    out.insert(
                        QStringLiteral("%1[%2,%3,%4,%5]").arg(name).arg(t.t0).arg(t.t1).arg(t.t2).arg(t.t3),
                        QStringLiteral("%1:%2").arg(v.getType()).arg(v.toText()));
            }
    return out;
}

// The entries of two snapshots that differ, as "key: before -> after".
inline QStringList differences(const Snapshot& before, const Snapshot& after) {
    QStringList changed;
    for (auto it = after.constBegin(); it != after.constEnd(); ++it)
        if (before.value(it.key()) != it.value())
            changed.append(it.key() + ": " + before.value(it.key()) + " -> " + it.value());
    for (auto it = before.constBegin(); it != before.constEnd(); ++it)
        if (!after.contains(it.key()))
            changed.append(it.key() + ": " + it.value() + " -> (gone)");
    return changed;
}

// Success when every stored value is still as in the snapshot; else names what changed.
inline ::testing::AssertionResult unchanged(const Snapshot& before) {
    const QStringList changed = differences(before, snapshot());
    if (changed.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << changed.join('\n').toStdString();
}

} // namespace testsupport
