// The socket adapters need an event loop and the picture renderer a GUI application,
// hence a QApplication around the tests. Tests never want a real screen: without a
// platform named, the offscreen one is used, also when CTest lists the tests.

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
