#pragma once
// Test base: a fresh database holding the test parameters, the test module registered with the host
// parser, and one session.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>

#include "ScpiTestTree.h"
#include "host/db/CDbAllType.h"
#include "host/db/impl/CDbEngine.h"
#include "support/ScpiLineRunner.h"

class ScpiFixture : public ::testing::Test, public ScpiLineRunner {
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

    static MvQARN::SDbInstTupel tup(int t0, int t1, int t3 = 0) { return {t0, t1, 0, t3}; }
    static MvQARN::CDbAllType stored(const char* name, const MvQARN::SDbInstTupel& t) {
        MvQARN::CDbAllType v;
        EXPECT_EQ(MvQARN::CDbEngine::instance().readStored(name, t, v), 0) << name;
        return v;
    }
    // The stored value of a parameter as a number, a selection or a text (In side of path A by default).
    static double num(const char* name, const MvQARN::SDbInstTupel& t = {}) {
        double d = -12345.0;
        stored(name, t).toDouble(d);
        return d;
    }
    static int sel(const char* name, const MvQARN::SDbInstTupel& t = {}) {
        int i = -12345;
        stored(name, t).toInt(i);
        return i;
    }
    static QString str(const char* name, const MvQARN::SDbInstTupel& t = {}) {
        QString s;
        stored(name, t).toString(s);
        return s;
    }

    // Each argument written to the command stores the value paired with it (In side of path A).
    void stores(const char* command, const char* param,
                std::initializer_list<std::pair<const char*, double>> cases) {
        for (const auto& [arg, value] : cases) {
            ok(QString::fromLatin1(command) + ' ' + arg);
            EXPECT_NEAR(num(param), value, std::abs(value) * 1e-12) << command << ' ' << arg;
        }
    }
    // Each line is refused with this error.
    void refusedAll(int code, std::initializer_list<const char*> lines) {
        for (const char* line : lines)
            refused(line, code);
    }

    std::unique_ptr<ScpiTest::TestModule> module;
};
