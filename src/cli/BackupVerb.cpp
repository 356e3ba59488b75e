// backup: a connect, then the words read saved into a parameter file exactly as the main window's
// "Import To ini file" saves them, through the same INI control and the same keys.
#include "cli/BackupVerb.h"

#include <exception>

#include "cli/ExitCodes.h"
#include "cli/GatewayJob.h"
#include "cli/QuillonFileKeys.h"
#include "common/FolderAccess.h"
#include "console/ConsoleMessages.h"
#include "rules/PanelMessages.h"
#include "rules/ParameterFileJobs.h"

namespace tavrin::cli {

int RunBackup(const CliArgs& args, ConsoleWiring& wiring) {
    GatewayJob job(args, StderrIsTerminal(), wiring);
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    // A file that cannot be written is found before the gateway is read, not after.
    SystemFolders folders;
    if (const int error = FileWriteCheck(folders, args.file); error != 0) {
        job.Progress().Tell({CantWriteParameterFile(args.file, error), msg::kError});
        return kExitInvalidInput;
    }
    if (const int status = job.Connect(); status != kExitOk) {
        return status;
    }
    bool saved = false;
    try {
        QuillonFileKeys ini;
        saved = BackUpParameterFile(ini, args.file, job.Image().words);
    } catch (const std::exception&) {
        // No INI control: nothing could be saved.
        saved = false;
    }
    if (!saved) {
        job.Progress().Tell(
            {CantWriteParameterFile(args.file, FileWriteCheck(folders, args.file)), msg::kError});
        return kExitInvalidInput;
    }
    job.Progress().Note("saved " + args.file);
    return kExitOk;
}

std::string BackupHelp() {
    return "Usage: tavrin-cli backup FILE --port PORT [--log FILE]\n"
           "\n"
           "Connects to the gateway (the same read as 'read': nothing changes in it) and\n"
           "saves the configuration words read into the parameter file FILE, as the\n"
           "window's File > Import To ini file does: section [EEPB_0] holds block 0's\n"
           "words Add0..Add28 (and Add29, always 0), section [EEPB_1] block 1's\n"
           "connection words Add0..Add6, as unsigned decimal numbers. Saving into an\n"
           "existing file replaces these keys and keeps every other line. The file is\n"
           "read back; if it does not hold the words, \"Can't write the parameter file!\"\n"
           "says so, with a line naming FILE and the system's reason. Whether FILE can be\n"
           "written is checked before the gateway is read.\n"
           "\n"
           "  --port PORT  COM number 1..16 or a device path\n"
           "  --log FILE   append a time-stamped transcript of the console session\n" +
           TimingOptionsHelp() +
           "\n"
           "Progress goes to stderr (a bar on a terminal, plain lines otherwise), with the\n"
           "system's messages word for word.\n"
           "\n"
           "Exit status: 0 saved, 2 usage error, 3 port cannot be opened or is held,\n"
           "4 console timeout, 5 not a 6420RT/6420e module, 6 the log or FILE cannot be\n"
           "written.\n";
}

}  // namespace tavrin::cli
