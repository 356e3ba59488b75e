// Tavrin: commissioning utility for the K-5310G gateway. Shows the splash for one second, then the
// main window; the program ends when the main window closes after the exit question.
#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <memory>

#include "TavrinVersion.h"

#include "common/Clock.h"
#include "config/ConfigImage.h"
#include "console/FileTranscript.h"
#include "console/PosixPortSystem.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "console/qt/QtPortLister.h"
#include "rules/FileFolders.h"
#include "rules/StartUpDelay.h"
#include "ui/main/CommandLine.h"
#include "ui/main/MainWindow.h"
#include "ui/main/QtFileDialogs.h"
#include "ui/main/QtMessageBoxes.h"
#include "ui/main/SplashWindow.h"
#include "ui/main/StartupProbe.h"

int main(int argc, char** argv) {
    // Read before Qt starts its window system, so help, version and a missing display need none.
    const tavrin::CommandLineResult commandLine = tavrin::ReadCommandLine(argc, argv);
    if (!commandLine.options) {
        return commandLine.exitStatus;
    }
    // --log FILE: the console transcript appended to FILE too, as tavrin-cli --log writes it.
    std::unique_ptr<tavrin::FileTranscript> log;
    if (const std::string& path = commandLine.options->logPath; !path.empty()) {
        log = std::make_unique<tavrin::FileTranscript>(path);
        if (!log->IsOpen()) {
            std::fprintf(stderr, "tavrin: cannot write the log file %s\n%s\n", path.c_str(),
                         tavrin::CantWriteLine(path, log->OpenError()).c_str());
            return 2;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    QApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));
    // The desktop entry's name, so the desktop ties the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavrin.Tavrin"));

    tavrin::SystemClock clock;
    tavrin::QtEventPump pump;
    {
        tavrin::SplashWindow logo;
        logo.show();
        tavrin::Delay(clock, pump, tavrin::kSplashTime);
    }

    tavrin::ConfigImage image;
    tavrin::AssemblyTables assemblies;
    tavrin::ConnectionSelections selections;
    tavrin::QtConsolePort port;
    tavrin::QtMessageBoxes boxes;
    tavrin::QtFileDialogs dialogs;
    tavrin::QtPortLister lister;
    tavrin::PosixPortSystem portSystem;
    // Per user, in the desktop's usual place (~/.config/Tavrin/Tavrin.conf).
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavrin"),
                       QStringLiteral("Tavrin"));
    tavrin::MainServices services{image, assemblies, selections,         port, clock, pump,
                                  boxes, dialogs,    tavrin::ProcessEnv, {}};
    services.ports = &lister;
    services.settings = &settings;
    services.portSystem = &portSystem;
    services.log = log.get();
    tavrin::MainWindow form(std::move(services));
    dialogs.SetParent(&form);
    form.show();
    tavrin::ArmStartupProbe();
    return app.exec();
}
