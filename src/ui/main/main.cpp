// Tavrin: commissioning utility for the K-5310G gateway. Shows the splash for one second, then the
// main window; the program ends when the main window closes after the exit question.
#include <QApplication>
#include <memory>

#include "common/Clock.h"
#include "config/ConfigImage.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "rules/StartUpDelay.h"
#include "ui/main/Logo.h"
#include "ui/main/MainForm.h"
#include "ui/main/QtFileDialogs.h"
#include "ui/main/QtMessageBoxes.h"
#include "ui/main/StartupProbe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));

    tavrin::SystemClock clock;
    tavrin::QtEventPump pump;
    {
        tavrin::Logo logo;
        logo.show();
        tavrin::Delay(clock, pump, tavrin::kSplashTime);
    }

    tavrin::ConfigImage image;
    tavrin::AssemblyTables assemblies;
    tavrin::ConnectionSelections selections;
    tavrin::QtConsolePort port;
    tavrin::QtMessageBoxes boxes;
    tavrin::QtFileDialogs dialogs;
    tavrin::MainForm form(
        {image, assemblies, selections, port, clock, pump, boxes, dialogs, tavrin::ProcessEnv, {}});
    dialogs.SetParent(&form);
    form.show();
    tavrin::ArmStartupProbe();
    return app.exec();
}
