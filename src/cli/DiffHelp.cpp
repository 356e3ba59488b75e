#include "cli/DiffVerb.h"

#include "cli/CliArgs.h"

namespace tavrin::cli {

std::string DiffHelp() {
    return "Usage: tavrin-cli diff A B [--json] [--pace MS] [--answer-window MS]\n"
           "\n"
           "Prints how two configurations differ, in the terms of the windows: node id,\n"
           "bit rate, COM settings, each application object's fields and the connection\n"
           "choices, named as 'read --json' names them, one line each as\n"
           "FIELD: A | B. The stored time stamp is not a setting and is not compared.\n"
           "\n"
           "A and B are each a gateway, given as --port takes it (a COM number 1..16 or a\n"
           "device path), a parameter file (as backup writes it) or a configuration file\n"
           "CONFIG.json (as apply takes it; it is put onto the other side as apply would\n"
           "put it onto a gateway). A gateway is read as 'read' reads it: nothing changes.\n"
           "Files are loaded and checked before any gateway is read. An operand that is\n"
           "none of these (no such file, no such device) is refused before anything is\n"
           "opened.\n"
           "\n"
           "  --json  print one JSON object: \"a\", \"b\", \"equal\" and \"differences\",\n"
           "          each with \"field\", \"a\" and \"b\"\n" +
           TimingOptionsHelp() +
           "\n"
           "Exit status: 0 equal, 8 they differ, 2 usage error, 3 port cannot be opened\n"
           "or is held, 4 console timeout, 5 not a 6420RT/6420e module, 6 a file that is\n"
           "unreadable or refused, or no such file or port.\n";
}

}  // namespace tavrin::cli
