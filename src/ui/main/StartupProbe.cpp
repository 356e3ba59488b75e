#include "ui/main/StartupProbe.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace tavrin {
namespace {

// Milliseconds since this process started, from the start time the kernel keeps in clock ticks
// since boot (so to the tick, 10 ms on most systems); -1 when it cannot be read.
long long MsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text;
    std::getline(stat, text);
    // The command name in parentheses may hold blanks; the fields after it are plain numbers.
    const auto close = text.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    // After the name: state is field 3, starttime field 22.
    for (int number = 3; number < 22 && fields >> field; ++number) {
    }
    unsigned long long startTicks = 0;
    timespec now{};
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!(fields >> startTicks) || ticksPerSecond <= 0 ||
        clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return -1;
    }
    const long long nowMs = now.tv_sec * 1000LL + now.tv_nsec / 1000000;
    return nowMs - static_cast<long long>(startTicks * 1000 / ticksPerSecond);
}

}  // namespace

void ArmStartupProbe() {
    if (qEnvironmentVariableIsEmpty(kStartupProbeVariable)) {
        return;
    }
    // Runs once the event loop has taken the shown window's first events.
    QTimer::singleShot(0, [] {
        std::printf("Main_F shown %lld ms after process start\n", MsSinceProcessStart());
        std::fflush(stdout);
        // exit(), not quit(): quit() would close the window and ask the exit question.
        QCoreApplication::exit(0);
    });
}

}  // namespace tavrin
