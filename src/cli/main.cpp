// tavrin-cli: the gateway jobs of Tavrin from a shell, for scripts and checks without a window.
#include <QCoreApplication>

#include "cli/CliMain.h"
#include "cli/SystemWiring.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tavrin::cli::SystemWiring wiring;
    return tavrin::cli::RunCli({argv + 1, argv + argc}, wiring);
}
