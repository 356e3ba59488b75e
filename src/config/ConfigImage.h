// The gateway's configuration as one run of Tavrin holds it: the decoded settings, the three sets
// of raw words, and the editor's working table. The main window (or a command-line job) owns one
// and hands each window and job the part it works on. Whether a console job is running is the
// console session's to know (ConsoleBusy), not the configuration's.
#pragma once

#include "config/AppObjectList.h"
#include "config/ConfigWords.h"
#include "config/GatewaySettings.h"

namespace tavrin {

struct ConfigImage {
    GatewaySettings settings;
    WordImages words;
    AppObjectList working;
};

}  // namespace tavrin
