// A configuration written out in the JSON format `tavrin-cli apply` takes, so that a gateway or a
// parameter file can be exported, edited in a text editor and applied again: the CAN and COM
// settings as the panels offer them, the stored application objects as the editor's fields, and
// the stored connection choices as positions in the wizard's lists.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/ConfigImage.h"
#include "offline/FirmwareRevision.h"

namespace tavrin {

struct ConfigurationJson {
    std::string text;
    // Why apply would refuse the text, or why it is not what is stored: apply's own faults
    // ("connections.poll.produced: 7 is not a position of the list ..."), a CANopen layer. The
    // text is written all the same, as the words say. Words that decoded to a wrong configuration
    // give the defaults; the configuration warning the decoding gave says so.
    std::vector<std::string> refusals;
};

// `image` holds decoded words as a Connect or an opened file leaves them: the settings, the stored
// objects and the connection words as read. The revision, when known, goes into "firmware"; the
// EDS texts (Latin-1) into "eds" when either is given.
ConfigurationJson ConfigurationToJson(const ConfigImage& image,
                                      const std::optional<FirmwareRevision>& revision,
                                      const std::string& description = {},
                                      const std::string& author = {});

}  // namespace tavrin
