// The plug-in's settings store (read by the breakout-board check) opens in a temporary folder, so
// no test reads or writes the user's real configuration.
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

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

::testing::Environment* const s_environment =
    ::testing::AddGlobalTestEnvironment(new HermeticSettingsEnvironment);

} // namespace
