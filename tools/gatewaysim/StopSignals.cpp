#include "StopSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <stdexcept>

namespace gatewaysim {
namespace {

int g_stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(g_stopPipe[1], &byte, 1);
}

}  // namespace

int InstallStopHandlers() {
    if (::pipe(g_stopPipe) != 0) {
        throw std::runtime_error("cannot create the stop pipe");
    }
    ::fcntl(g_stopPipe[1], F_SETFL, O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    return g_stopPipe[0];
}

}  // namespace gatewaysim
