// The fault matrix program: one application object per process, and the rows spread over a few
// processes when asked (see ShardedRun.h).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

#include "ShardedRun.h"

namespace tavrin::testing {
// The window the write rows share; it must go before the application object.
void ReleaseSharedWindow();
}  // namespace tavrin::testing

namespace {

// The offscreen platform warns about window size hints on every window it shows.
void QuietSizeHintWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && message.contains(QStringLiteral("propagateSizeHints"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
    if (const int result = tavrin::testing::RunAsShards(argc, argv); result >= 0) {
        return result;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietSizeHintWarnings);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    tavrin::testing::ReleaseSharedWindow();
    return result;
}
