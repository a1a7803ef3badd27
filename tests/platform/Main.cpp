#include <gtest/gtest.h>
#include <memory>

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QTemporaryDir>

namespace {

// Each test starts with nothing remembered, in a configuration folder of its own, so that
// neither the user's settings nor an earlier test's change what a test sees. Programs the test
// starts inherit it.
class FreshConfiguration : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        m_folder = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_folder->path().toLocal8Bit());
    }
    void OnTestEnd(const ::testing::TestInfo&) override { m_folder.reset(); }

    std::unique_ptr<QTemporaryDir> m_folder;
};

} // namespace

// The tests drive real widgets, so they need the Qt application; without a display they run
// on the offscreen platform, also when CTest lists them.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 9));
    // The dialog writes numbers and dates as the default locale does; the tests expect the
    // neutral C locale's, whatever the machine's language.
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshConfiguration);
    return RUN_ALL_TESTS();
}
