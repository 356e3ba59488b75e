#include "cli/ApplyHelp.h"

#include "cli/CliArgs.h"

#include "TavrinDocs.h"

namespace tavrin::cli {

std::string ApplyHelp() {
    return "Usage: tavrin-cli apply CONFIG.json --port PORT [--out DIR] [--stamp STAMP]\n"
           "                         [--log FILE]\n"
           "       tavrin-cli apply CONFIG.json --port PORT [--json] [--no-verify]\n"
           "                         [--dry-run]\n"
           "       tavrin-cli apply CONFIG.json --save FILE.ini [--stamp STAMP]\n"
           "\n"
           "Stores a whole configuration, described in one JSON file, in the gateway and\n"
           "writes the EDS file for it, as the wizard's Finish does.\n"
           "\n"
           "The file is checked first with the rules of the windows: the CAN node id and\n"
           "bit rate (DeviceNet), the COM settings and timeout, every application object,\n"
           "the assembly size limit and the connection choices. Every fault is listed on\n"
           "stderr, one line each, as FILE: PLACE: MESSAGE; then nothing is sent to the\n"
           "gateway and the exit status is 6.\n"
           "\n"
           "A valid file: connect and read the gateway, put the file's settings onto what\n"
           "was read, store block 0 and block 1, and write the EDS file (named as\n"
           "Finish names it: \"RODAR_ 12.eds\" for node 12).\n"
           "\n"
           "  --port PORT  COM number 1..16 or a device path\n"
           "  --out DIR    folder of the EDS file (default: the current folder)\n"
           "  --stamp STAMP  store this time stamp (\"YYYY-MM-DD hh:mm:ss\") instead of the\n"
           "               moment of writing, so that gateways configured from one file\n"
           "               hold identical words and get identical EDS files\n"
           "  --log FILE   append a time-stamped transcript of the console session\n" +
           TimingOptionsHelp() +
           "  --json       print how the store and its check ended as one JSON object\n"
           "               (\"verified\", \"mismatches\", \"edsFile\") instead of the line\n"
           "  --no-verify  do not read the words back after the store\n"
           "  --dry-run    read the gateway and print what the store would change (field,\n"
           "               gateway | file); nothing is written, no EDS file\n"
           "  --save FILE.ini  no gateway: save the words the store would type (block 0's\n"
           "               configuration area and the seven connection words, stamped as\n"
           "               the store stamps them) into the parameter file FILE.ini, for\n"
           "               'restore' or the window's Export To EEP later; other lines of an\n"
           "               existing file are kept, as 'backup' keeps them. No EDS file\n"
           "               (see 'eds --from')\n"
           "\n"
           "After the store the gateway is read again, as a read dialogue of its own, and\n"
           "every word typed is compared; \"Verified\" on stderr says they all hold.\n"
           "\n"
           "The file's layout is described in the user guide,\n"
           "  " TAVRIN_DOC_DIR
           "/user-guide.md, section \"Preparing a job\",\n"
           "and an example is " TAVRIN_DOC_DIR
           "/examples/apply-example.json.\n"
           "A \"firmware\": {\"revision\": \"1.05\"} in it (written by 'config') is not\n"
           "stored and not checked here.\n"
           "\n"
           "Exit status: 0 stored and EDS written, 1 other failure (also: stored, but the\n"
           "EDS file could not be written), 2 usage error, 3 port failure, 4 console\n"
           "timeout, 5 not a 6420RT/6420e module, 6 invalid configuration file, the\n"
           "EDS file cannot be created in DIR (checked before anything is typed), or\n"
           "FILE.ini cannot be written.\n"
           "7 the gateway does not hold what was written (the words are listed); a check\n"
           "that could not be done says that the store finished but could not be\n"
           "checked, with status 3 or 4. 8 --dry-run: the store would change the gateway.\n";
}

}  // namespace tavrin::cli
