#pragma once
// Parameter requests on the host database as a user's would arrive (each write one request, its
// errors kept), and a fixture whose database holds the host parameters and the plug-in's catalogue,
// with a user settings folder of its own.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/DbDefs.h"
#include "host/db/impl/CDbEngine.h"
#include "host/olfw/impl/HostParameters.h"
#include "params/KobraCatalogue.h"

namespace testsupport {

constexpr int kKobraModule = 2028;

inline MvQARN::SDbInstTupel tup(int t0, int t1, int t2 = 0, int t3 = 0) {
    return MvQARN::SDbInstTupel{t0, t1, t2, t3};
}

class DbRequests {
protected:
    static MvQARN::CDbEngine& db() { return MvQARN::CDbEngine::instance(); }

    int write(const char* name, const MvQARN::SDbInstTupel& t, const MvQARN::CDbAllType& v,
              int msgType = MvQARN::DbMsgSet, unsigned flags = 0) {
        m_answer.clearErrors();
        return db().write(name, t, v, &m_answer, msgType, flags);
    }
    // A setup value that must be taken.
    void set(const char* name, const MvQARN::SDbInstTupel& t, const MvQARN::CDbAllType& v) {
        ASSERT_EQ(write(name, t, v), 0) << name << " " << v.toText().toStdString() << ": "
                                        << errorTexts().join(QLatin1String("; ")).toStdString();
    }
    void setInt(const char* name, const MvQARN::SDbInstTupel& t, int v) {
        set(name, t, MvQARN::CDbAllType::fromInt(v));
    }
    void setNumber(const char* name, const MvQARN::SDbInstTupel& t, double v) {
        set(name, t, MvQARN::CDbAllType::fromDouble(v));
    }
    void setText(const char* name, const MvQARN::SDbInstTupel& t, const QString& v) {
        set(name, t, MvQARN::CDbAllType::fromString(v));
    }

    // Errors of the last request.
    QList<int> errorCodes() const {
        QList<int> out;
        for (const MvQARN::CDbAnswerBuffer::Error& e : m_answer.getErrors())
            out.append(e.code);
        return out;
    }
    QStringList errorTexts() const {
        QStringList out;
        for (const MvQARN::CDbAnswerBuffer::Error& e : m_answer.getErrors())
            out.append(e.text);
        return out;
    }

    MvQARN::CDbAnswerBuffer m_answer;
};

class CatalogueDbTest : public ::testing::Test, public DbRequests {
protected:
    void SetUp() override {
        db().reset();
        ASSERT_TRUE(m_dir.isValid());
        db().setUserSettingsDir(m_dir.path());
        MvQARN::registerHostParameters();
        ASSERT_EQ(db().registerDescriptor(&Kobra::g_dbDescriptor, kKobraModule, "KobraPlugin"), 0);
    }
    void TearDown() override { db().reset(); }

    QTemporaryDir m_dir;
};

} // namespace testsupport
