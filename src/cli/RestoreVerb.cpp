// restore: a parameter file loaded exactly as the main window's "Export To EEP" loads it, and its
// words typed unchanged into the gateway by the same write sequence. The file is loaded before the
// port is touched, so a file with a bad key costs nothing and never reaches the gateway.
#include "cli/RestoreVerb.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>

#include "cli/DifferenceReport.h"
#include "cli/ExitCodes.h"
#include "cli/GatewayJob.h"
#include "cli/QuillonFileKeys.h"
#include "rules/ParameterFileJobs.h"

#include "TavrinDocs.h"

namespace tavrin::cli {
namespace {

// The INI control reads a missing or unreadable file as one without keys; say what it really is.
bool Readable(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && std::ifstream(path).is_open();
}

int Refuse(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "tavrin-cli: %s: %s; nothing was written\n", path.c_str(), why.c_str());
    return kExitInvalidInput;
}

}  // namespace

int RunRestore(const CliArgs& args, ConsoleWiring& wiring) {
    GatewayJob job(args, StderrIsTerminal(), wiring);
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    if (!Readable(args.file)) {
        return Refuse(args.file, "cannot read the file");
    }
    WordImages loaded;
    std::optional<std::string> refusal;
    try {
        QuillonFileKeys ini;
        refusal = LoadParameterFile(ini, args.file, loaded);
    } catch (const std::exception& error) {
        refusal = error.what();
    }
    if (refusal) {
        return Refuse(args.file, *refusal);
    }

    // The write ends at the prompt of the module the read identified, as after the window's
    // connect.
    if (const int status = job.Connect(); status != kExitOk) {
        return ReportUnwritten(args.file, job.PortLabel(), args.json, args.dryRun, status);
    }
    ConfigImage& image = job.Image();
    image.words.FileBlock0Words = loaded.FileBlock0Words;
    image.words.FileBlock1Words = loaded.FileBlock1Words;
    if (args.dryRun) {
        // What the write would change, from the gateway as read to the file; nothing is typed.
        const ConfigWords file = image.words.FromFile();
        return PrintDifference(DifferenceOf(image.words.AsRead(), file), job.PortLabel(), args.file,
                               args.json, true);
    }
    const RestoreWords words = PrepareRestore(image);
    const WrittenWords written{words.words.block0, words.block0Count, words.words.block1};
    WriteReport report;
    report.file = args.file;
    report.port = job.PortLabel();
    report.verifyWanted = job.VerifyWanted();
    report.status = job.Write(args.file, words.words, words.block0Count);
    report.written = report.status == kExitOk;
    if (report.written) {
        report.status = job.Verify(written);
        report.verified = job.Verified();
        report.mismatches = job.Mismatches();
    }
    if (args.json) {
        std::fputs(WriteReportJson(report).c_str(), stdout);
    }
    return report.status;
}

std::string RestoreHelp() {
    return "Usage: tavrin-cli restore FILE --port PORT [--log FILE]\n"
           "       tavrin-cli restore FILE --port PORT [--json] [--no-verify] [--dry-run]\n"
           "\n"
           "Loads the parameter file FILE (sections [EEPB_0] Add0..Add29 and [EEPB_1]\n"
           "Add0..Add6, unsigned decimal words; blanks around a value, other sections and\n"
           "comments are fine), connects to the gateway and types the words, unchanged,\n"
           "into it: the whole configuration area of block 0 and the seven connection\n"
           "words of block 1, as the window's File > Export To EEP does.\n"
           "\n"
           "A missing or empty key, or a value that is not a number 0..4294967295, refuses\n"
           "the whole file before the port is opened, naming the section and key; nothing\n"
           "is written. An example is " TAVRIN_DOC_DIR
           "/examples/5310G_EEP.ini.\n"
           "\n"
           "  --port PORT  COM number 1..16 or a device path\n"
           "  --log FILE   append a time-stamped transcript of the console session\n" +
           TimingOptionsHelp() +
           "  --json       print how the write and its check ended as one JSON object\n"
           "               (\"verified\": true when the gateway holds every word written)\n"
           "  --no-verify  do not read the words back after the write\n"
           "  --dry-run    read the gateway and print what the write would change (field,\n"
           "               gateway | file); nothing is written; exit 8 when it would change\n"
           "\n"
           "After the write the gateway is read again, as a read dialogue of its own, and\n"
           "every word written is compared; \"Verified\" on stderr says they all hold.\n"
           "\n"
           "Progress goes to stderr (a bar on a terminal, plain lines otherwise), with the\n"
           "system's messages word for word. A write that fails part way leaves the words\n"
           "typed so far in the gateway; run restore again.\n"
           "\n"
           "Exit status: 0 written, 2 usage error, 3 port cannot be opened or is held,\n"
           "4 console timeout, 5 not a 6420RT/6420e module, 6 FILE unreadable or unfit\n"
           "(or the log cannot be written).\n"
           "7 the gateway does not hold what was written (the words are listed: block,\n"
           "byte, field, written, read); a check that could not be done says that the\n"
           "write finished but could not be checked, with status 3 or 4.\n"
           "8 --dry-run: the write would change the gateway.\n";
}

}  // namespace tavrin::cli
