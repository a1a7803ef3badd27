#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

// The tests drive real widgets, so they need the Qt application; without a display they run
// on the offscreen platform, also when CTest lists them.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
