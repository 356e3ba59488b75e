// eds: the EDS file of the configuration stored in the gateway, as the connection wizard's Finish
// writes it for that configuration. The stored application objects become the working table (as
// the editor loads them), the assemblies are derived and the stored connection choices restored
// with the wizard's own checks and messages. Nothing is written to the gateway, so CreateDate and
// CreateTime carry the time stamp stored by the last Finish.
#include "cli/EdsVerb.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <filesystem>

#include "appobj/WorkingTable.h"
#include "cli/ExitCodes.h"
#include "cli/GatewayJob.h"
#include "eds/EdsFile.h"
#include "eds/WizardStart.h"

namespace tavrin::cli {
namespace {

// The wizard keeps its texts to the single-byte code page the EDS file is written in; a command
// line argument arrives in the locale's encoding.
std::string FileText(const std::string& argument) {
    return QString::fromLocal8Bit(QByteArray::fromStdString(argument)).toLatin1().toStdString();
}

}  // namespace

int RunEds(const CliArgs& args, ConsoleWiring& wiring) {
    GatewayJob job(args, StderrIsTerminal(), wiring);
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    const std::string folder = args.outDir.empty() ? "." : args.outDir;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "tavrin-cli: --out %s is not a folder\n", folder.c_str());
        return kExitInvalidInput;
    }
    if (const int status = job.Connect(); status != kExitOk) {
        return status;
    }
    ConfigImage& image = job.Image();
    // The window goes on to the editor and the wizard only for a DeviceNet gateway.
    if (image.settings.AppLayer == 0) {
        std::fprintf(stderr,
                     "tavrin-cli: the gateway is set to CANopen; an EDS file describes a "
                     "DeviceNet gateway\n");
        return kExitFailure;
    }

    WorkingTable(image).Load();
    ConnectionSelections selections;
    const WizardStart start = StartWizard(image, selections);
    for (const Notice& notice : StartMessages(start)) {
        job.Progress().Tell(notice);
    }

    const EdsContent content{FileText(args.description),
                             FileText(args.author),
                             image.settings,
                             image.working,
                             start.assemblies,
                             selections,
                             job.LocalClock().Now()};
    try {
        const std::string path = WriteEdsFile(folder, content);
        std::printf("%s\n", path.c_str());
    } catch (const EdsWriteError& failure) {
        job.Progress().Tell({failure.what(), ""});
        return kExitFailure;
    }
    return kExitOk;
}

std::string EdsHelp() {
    return "Usage: tavrin-cli eds --port PORT [--out DIR] [--description TEXT]\n"
           "                      [--author TEXT] [--log FILE]\n"
           "       tavrin-cli eds --from FILE [--revision M.mm] [--out DIR]\n"
           "                      [--description TEXT] [--author TEXT] [--stamp STAMP]\n"
           "\n"
           "Connects to the gateway (the same read as 'read': nothing changes in it) and\n"
           "writes the EDS file that the connection wizard's Finish writes for the stored\n"
           "configuration: the stored application objects, the assembly instances derived\n"
           "from them and the stored connection choices, restored with the wizard's checks\n"
           "and messages (\"This is a new Setting for XQV gateway\" and \"EEPROM ERROR,We\n"
           "show the default value.\" start every choice from None; a stored Bit-Strobe\n"
           "choice over 8 bytes falls back to None with \"Error! The selected data length >\n"
           "8 bytes\"). CreateDate and CreateTime are the time stamp stored in the gateway;\n"
           "ModDate and ModTime are now. The file is named as Finish names it, for node 5\n"
           "'RODAR_ 5.eds' (with the blank); its path is printed on stdout. The gateway is\n"
           "not written.\n"
           "\n"
           "  --port PORT         COM number 1..16 or a device path\n"
           "  --from FILE         no gateway: the configuration of a parameter file or a\n"
           "                      configuration file (*.json, as 'apply' takes it),\n"
           "                      opened as a Connect reads a gateway; instead of --port\n"
           "  --revision M.mm     with --from: the firmware revision (MajRev, MinRev) such\n"
           "                      as 1.05, which a gateway reports and a parameter file\n"
           "                      does not hold; a configuration file may carry it as\n"
           "                      \"firmware\": {\"revision\": \"1.05\"}. One of the two\n"
           "                      is needed\n"
           "  --stamp STAMP       with --from FILE.json: the time stamp (\"YYYY-MM-DD\n"
           "                      hh:mm:ss\") apply would store, for CreateDate and\n"
           "                      CreateTime (default: the moment)\n"
           "  --out DIR           the folder for the EDS file (default: the current folder)\n"
           "  --description TEXT  the wizard's \"Description:\" (with --from FILE.json\n"
           "                      default: the file's \"eds\" texts)\n"
           "  --author TEXT       the wizard's \"Created By:\"\n"
           "  --log FILE          append a time-stamped transcript of the console session\n" +
           TimingOptionsHelp() +
           "\n"
           "Progress goes to stderr (a bar on a terminal, plain lines otherwise), with the\n"
           "system's messages word for word.\n"
           "\n"
           "Exit status: 0 written, 1 the gateway is set to CANopen or the file cannot be\n"
           "written, 2 usage error (also: no firmware revision with --from), 3 port cannot\n"
           "be opened or is held, 4 console timeout, 5 not a 6420RT/6420e module, 6 DIR is\n"
           "not a folder, FILE is not a configuration (or the log cannot be written).\n";
}

}  // namespace tavrin::cli
