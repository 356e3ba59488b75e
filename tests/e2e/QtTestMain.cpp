// GoogleTest main for tests that run Tavrin's real serial path: QSerialPort needs an application
// object and its event loop.
#include <gtest/gtest.h>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
