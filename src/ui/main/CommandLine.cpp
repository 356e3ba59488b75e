#include "ui/main/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>

#include "TavrinVersion.h"

namespace tavrin {
namespace {

// The options every Qt application understands; they are the application object's to read.
const char* const kQtValueOptions[] = {
    "platform",     "platformpluginpath", "platformtheme", "plugin",      "qwindowgeometry",
    "geometry",     "qwindowtitle",       "title",         "qwindowicon", "icon",
    "style",        "stylesheet",         "session",       "display",     "name",
    "qmljsdebugger"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

CommandLineResult ReadCommandLine(int argc, char** argv) {
    // The parser's help names the program from the application object; this one needs no
    // display and is gone before the real one is made.
    QCoreApplication reader(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Commissioning utility for the K-5310G gateway."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Print the program's version and exit."));
    parser.addOption(version);
    const QCommandLineOption log(
        QStringLiteral("log"),
        QStringLiteral("Append a time-stamped transcript of every console session to <file>."),
        QStringLiteral("file"));
    parser.addOption(log);
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QStringList arguments = QCoreApplication::arguments();
    if (!parser.parse(arguments)) {
        if (arguments.last() == QStringLiteral("--log")) {
            std::fputs("tavrin: --log takes a file name\n", stderr);
        } else {
            std::fprintf(stderr, "tavrin: %s\n\n%s", qPrintable(parser.errorText()),
                         qPrintable(parser.helpText()));
        }
        return {std::nullopt, 2};
    }
    if (parser.isSet(version)) {
        std::puts("tavrin " TAVRIN_VERSION);
        return {std::nullopt, 0};
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        if (parser.isSet(QStringLiteral("help-all"))) {
            std::fputs(
                "\nThe options of every Qt program are understood as well: -platform NAME,\n"
                "-style NAME, -stylesheet FILE, -geometry GEOMETRY, -title TITLE, -reverse,\n"
                "-display DISPLAY and the others Qt documents.\n",
                stdout);
        }
        return {std::nullopt, 0};
    }
    const bool display = Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM") ||
                         parser.isSet(QStringLiteral("platform")) ||
                         parser.isSet(QStringLiteral("display"));
    if (!display) {
        std::fputs(
            "tavrin: no display to show the window on (DISPLAY is not set); tavrin-cli runs the "
            "gateway jobs without one\n",
            stderr);
        return {std::nullopt, 1};
    }
    return {ProgramOptions{QFile::encodeName(parser.value(log)).toStdString()}, 0};
}

}  // namespace tavrin
