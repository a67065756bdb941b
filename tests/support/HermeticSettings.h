#pragma once
// Settings stores in a temporary folder for the whole test program, so that no test reads or writes
// the user's real configuration. Including this header installs the environment (once per program,
// whatever the number of files that include it) before any test runs, so that stores opened on
// first use open there.
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace testsupport {

class HermeticSettingsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        m_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_dir->isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
    }
    void TearDown() override { m_dir.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

inline ::testing::Environment* const g_hermeticSettings =
    ::testing::AddGlobalTestEnvironment(new HermeticSettingsEnvironment);

} // namespace testsupport
