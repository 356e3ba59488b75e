// What every console sequence shows while it runs: the status line, and the messages it has for
// the user, each told at the moment it arises, so that a face shows the message while its status
// line and progress still say what came before it.
#pragma once

#include <string>

#include "common/Notice.h"

namespace tavrin {

class SequenceView {
public:
    virtual ~SequenceView() = default;
    virtual void SetStatus(const std::string& text) = 0;
    // A failure or a warning for the user, in the system's exact words: the window shows it in a
    // message box, the command line prints it on stderr.
    virtual void Tell(const Notice& notice) = 0;
};

}  // namespace tavrin
