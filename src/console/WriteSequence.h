// Storing a configuration into the gateway: the console's word editor is walked over block 0 from
// byte 40 and over block 1 from byte 0, and one value is typed per word. A value counts as stored
// when the console shows the key of the following word in time; nothing is read back.
#pragma once

#include <string>

#include "config/ConfigImage.h"
#include "console/ConsoleSession.h"
#include "console/PortChoice.h"
#include "console/SequenceView.h"

namespace tavrin {

// How the write shows itself: the main window's status line and its message boxes.
class WriteView : public SequenceView {};

enum class WriteOutcome {
    Completed,   // every word acknowledged; the port is closed
    CannotOpen,  // the port could not be opened
    Occupied,    // the port is held by another program
    PortError,   // the port failed while in use
    Timeout,     // a prompt or word key did not come in time
};

// The whole configuration area, or only its header and settings (the stored application objects
// and totals stay as they are).
inline constexpr int kWholeBlock0Words = 29;
inline constexpr int kBlock0SettingsWords = 7;

// Writes words.block0[0 .. block0Count-1] from byte 40 and words.block1[0..6] from byte 0, leaving
// the console at the prompt of the module the last read found. The words are the write's own copy,
// so nothing the windows do meanwhile changes what is typed. block0Count is kWholeBlock0Words or
// kBlock0SettingsWords; any other count is held to 1..29. The caller sets Busy before. On failure
// the view has been told (message and status line), the port is closed and Busy cleared; the caller
// then does its own release. On success the port is closed and Busy is left for the caller to
// clear. After a failure the EEPROM may hold a partly written image: words typed before the failing
// step are stored.
WriteOutcome WriteConfiguration(ConsoleSession& session, const PortChoice& port, ConfigWords words,
                                int block0Count, WriteView& view);

}  // namespace tavrin
