#pragma once
// One SCPI session driven line by line, with the two checks every SCPI test makes of a line: it runs
// cleanly, or it is refused with exactly one error. Header-only.
#include <gtest/gtest.h>

#include <QList>
#include <QString>
#include <QStringList>

#include "host/scpi/impl/CScpiSession.h"

class ScpiLineRunner {
public:
    QString run(const QString& line) { return session.execLine(line); }
    // Takes every queued error code, oldest first.
    QList<int> codes() {
        QList<int> out;
        for (const auto& e : session.errorQueue().entries())
            out << e.code;
        session.errorQueue().clear();
        return out;
    }
    // Takes every queued error as "code,text", oldest first.
    QStringList errors() {
        QStringList out;
        for (const auto& e : session.errorQueue().entries())
            out << QString::number(e.code) + "," + e.text;
        session.errorQueue().clear();
        return out;
    }
    // A line that must neither answer nor queue an error.
    void ok(const QString& line) {
        const QString a = run(line);
        EXPECT_TRUE(a.isEmpty()) << line.toStdString() << " answered " << a.toStdString();
        const QStringList e = errors();
        EXPECT_TRUE(e.isEmpty()) << line.toStdString() << ": " << e.join(" | ").toStdString();
    }
    // A line that must answer nothing and queue exactly this error.
    void refused(const QString& line, int code) {
        EXPECT_EQ(run(line), "") << line.toStdString();
        EXPECT_EQ(codes(), QList<int>{code}) << line.toStdString();
    }

    MvQARN::CScpiSession session;
};
