#pragma once
// Test base: a fresh database holding the test parameters, the test module registered with the host
// parser, and one session.
#include <gtest/gtest.h>

#include <QList>
#include <memory>

#include "ScpiTestTree.h"
#include "host/db/CDbAllType.h"
#include "host/db/impl/CDbEngine.h"
#include "host/scpi/impl/CScpiSession.h"

class ScpiFixture : public ::testing::Test {
protected:
    void SetUp() override {
        MvQARN::CDbEngine::instance().reset();
        ScpiTest::defineParameters();
        ScpiTest::observed() = ScpiTest::Observed();
        module = std::make_unique<ScpiTest::TestModule>();
        ASSERT_EQ(module->initBase(), 0);
    }
    void TearDown() override {
        module.reset();
        MvQARN::CDbEngine::instance().reset();
    }

    QString run(const QString& line) { return session.execLine(line); }
    // Runs a line that must neither answer nor queue an error.
    void ok(const QString& line) {
        const QString a = run(line);
        EXPECT_TRUE(a.isEmpty()) << line.toStdString() << " answered " << a.toStdString();
        EXPECT_TRUE(codes().isEmpty()) << line.toStdString();
    }
    // Takes every queued error code, oldest first.
    QList<int> codes() {
        QList<int> out;
        for (const auto& e : session.errorQueue().entries())
            out << e.code;
        session.errorQueue().clear();
        return out;
    }

    static MvQARN::SDbInstTupel tup(int t0, int t1, int t3 = 0) {
        MvQARN::SDbInstTupel t;
        t.t0 = t0;
        t.t1 = t1;
        t.t3 = t3;
        return t;
    }
    static MvQARN::CDbAllType stored(const char* name, const MvQARN::SDbInstTupel& t) {
        MvQARN::CDbAllType v;
        EXPECT_EQ(MvQARN::CDbEngine::instance().readStored(name, t, v), 0) << name;
        return v;
    }
    static double num(const char* name, const MvQARN::SDbInstTupel& t) {
        double d = -12345.0;
        stored(name, t).toDouble(d);
        return d;
    }
    static int sel(const char* name, const MvQARN::SDbInstTupel& t) {
        int i = -12345;
        stored(name, t).toInt(i);
        return i;
    }
    static QString str(const char* name, const MvQARN::SDbInstTupel& t) {
        QString s;
        stored(name, t).toString(s);
        return s;
    }

    MvQARN::CScpiSession session;
    std::unique_ptr<ScpiTest::TestModule> module;
};
