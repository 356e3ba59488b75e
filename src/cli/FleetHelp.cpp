#include "cli/FleetVerb.h"

#include "TavrinDocs.h"

namespace tavrin::cli {

std::string FleetHelp() {
    return "Usage: tavrin-cli fleet MANIFEST [--json] [--log-dir DIR]\n"
           "\n"
           "Runs the jobs listed in the JSON file MANIFEST at the same time, one per port,\n"
           "each as its own tavrin-cli process (an example is\n" TAVRIN_DOC_DIR
           "/examples/fleet-manifest.json):\n"
           "\n"
           "  {\"jobs\": [\n"
           "    {\"port\": 1, \"verb\": \"restore\", \"file\": \"line3.ini\"},\n"
           "    {\"port\": \"/dev/ttyUSB1\", \"verb\": \"apply\", \"file\": \"pump.json\",\n"
           "     \"options\": [\"--out\", \"eds\", \"--stamp\", \"2026-12-09 08:00:00\"]}\n"
           "  ]}\n"
           "\n"
           "A job has a \"port\" (COM number or device path), a \"verb\" (read, backup,\n"
           "restore, eds, apply or modbus-check), the verb's \"file\" when it takes one,\n"
           "and \"options\", the verb's own options as they would be typed. Paths are taken\n"
           "from the current folder, as on the command line. A modbus-check job checks the\n"
           "configuration of the gateway on its port, on the bus its options name:\n"
           "{\"port\": 1, \"verb\": \"modbus-check\", \"options\": [\"--bus\", "
           "\"/dev/ttyUSB0\"]}.\n"
           "\n"
           "The whole manifest is checked first: JSON, verbs, ports, options, and the\n"
           "files with the verbs' own checks (restore's parameter file, apply's\n"
           "configuration, backup's folder). Two jobs on one port are refused. Every fault\n"
           "is listed on stderr as MANIFEST: jobs[INDEX].PLACE: MESSAGE; then nothing is\n"
           "sent to any gateway and the exit status is 6.\n"
           "\n"
           "While the jobs run, each job's progress lines and messages go to stderr,\n"
           "prefixed by its port. A job that fails stops alone; the others go on. At the\n"
           "end one row per job (job, port, verb, outcome, time) is printed, and when a\n"
           "verb reports whether what it wrote was read back, the outcome says so.\n"
           "\n"
           "  --json         print the rows as a JSON array: job, port, device, verb, file,\n"
           "                 status, outcome, verified (true, false or null), milliseconds,\n"
           "                 log\n"
           "  --log-dir DIR  write each job's transcript into DIR, as INDEX-PORT.log\n"
           "                 (\"0-COM1.log\", \"1-dev-ttyUSB1.log\")\n"
           "\n"
           "Exit status: 0 when every job succeeded, 2 usage error, 6 MANIFEST unreadable\n"
           "or refused (or DIR not a folder); otherwise the status of the most serious\n"
           "failure among the jobs, ranked from the top: 7 the gateway does not hold what\n"
           "was written, 4 console timeout, 3 port failure, 1 other failure (these may\n"
           "have stopped a write part way), 9 a slave did not answer a bus check OK,\n"
           "5 not a 6420RT/6420e module, 6 invalid input, 2 usage error (these sent\n"
           "nothing).\n";
}

}  // namespace tavrin::cli
