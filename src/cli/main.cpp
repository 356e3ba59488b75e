// tavrin-cli: the gateway jobs of Tavrin from a shell, for scripts and checks without a window.
#include <QCoreApplication>

#include "cli/CliMain.h"
#include "cli/SystemWiring.h"

int main(int argc, char** argv) {
    // No windows here: the event loop serves only the serial port and a fleet's processes. Qt's
    // own Unix event loop does that with far fewer system calls per pass than the glib one, which
    // wakes itself for every notifier switched on or off (the port's write notifier, twice per
    // typed character), and it lets the pause between characters sleep through the echo.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    tavrin::cli::SystemWiring wiring;
    return tavrin::cli::RunCli({argv + 1, argv + argc}, wiring);
}
