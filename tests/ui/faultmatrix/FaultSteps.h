// The steps of the three console dialogues a user starts from the windows, and what each fault at
// each step must lead to. A step is one line typed at the console, counted from 1 within the job,
// which is also how the simulator counts when it is started fresh for the job.
//
// The read started by Connect (53 lines):
//   1-3    ""            awaits ">"           not checked: brings the console to a prompt
//   4      "/q"          awaits ">"           not checked
//   5      "."           awaits "[EEPROM:]"   not checked; at the main prompt it never comes, so
//                                             this step always waits out its 200 ms
//   6      "exit"        awaits ">"           checked; the prompt names the module
//   7, 8   "use eeprom", "block 0"            checked
//   9-11   "el 0", two firmware words         word displays (Long(0)=, Long(4)=, Long(8)=)
//   12     "."                                checked
//   13-42  "el 40", 29 words answered         word displays Long(40)= .. Long(156)=
//   43, 44 ".", "block 1"                     checked
//   45-51  "el 0", 6 words answered           word displays Long(0)= .. Long(24)=
//   52, 53 ".", "exit"                        the last awaits the module's own prompt
//
// A write (Finish with the settings only: 7 block 0 words, 26 lines; "Export To EEP": 29 words,
// 48 lines), with n the block 0 word count:
//   1      "/q"          awaits "]"           not checked; at the main prompt it never comes
//   2      "exit"        awaits ">"           not checked
//   3      "."           awaits "[EEPROM:]"   not checked; never comes at the main prompt
//   4      "exit"        awaits ">"           checked (no module check in a write)
//   5, 6   "use eeprom", "block 0"            checked
//   7      "el 40"                            word display Long(40)=
//   8 .. 7+n      block 0 word k typed        stored by the console; the next word's display
//                                             (its key) is the acknowledgement
//   8+n, 9+n      ".", "block 1"
//   10+n          "el 0"                      word display Long(0)=
//   11+n .. 17+n  block 1 word k typed        stored, next display acknowledges
//   18+n, 19+n    ".", "exit"                 the last awaits the module's own prompt
//
// Expected outcome of a fault at step N:
// - silent from N: the console is dead from N on. Every step at or after N goes unanswered, so
//   the job fails at N or, for an unchecked step, at the first checked step after it ("Timeout").
// - answer 100 ms late at N only (inside the 200 ms window): the job succeeds.
// - answer late at N only, outside the window: the simulator holds it back until the next line
//   arrives, so it is outside however slowly either program runs. A checked step fails with
//   "Timeout". An unchecked step is given up and the next steps go on; the late prompt lands in
//   the next step's window, where it is either what that unchecked step waits for or is dropped
//   with the leftovers, so the job succeeds.
// - hang-up at N (the line drops when line N arrives, which the console never takes): the port
//   fails under the sequence, which shows what the port says went wrong ("Cannot read from the
//   serial port" or "The serial port is no longer available") without a title, empties the
//   status line and releases the console, at any step, checked or not.
// - garbage at N (only where a word is shown): the shown value has no digits. A read must not
//   type it back, and a write cannot trust the display; both end with "Timeout" at N.
// What the console stores in a write: every word typed before the failing step; the word typed at
// the failing step too when the console took that line (a late answer, a garbled next display);
// all of them after a success. A read stores nothing new: each word is answered with itself.
#pragma once

#include <string>
#include <vector>

namespace tavrin::testing {

enum class Job { Read, Finish, Export };
enum class Fault { Silent, SlowInside, SlowOutside, HangUp, Garbage, SplitMarker };
enum class Outcome { Success, Timeout, PortError };

// Half the window late: inside it with room to spare for a simulator that is slow to be
// scheduled. The window's exact edge is proven on the fake clock.
inline constexpr int kSlowInsideMs = 100;
// Answers are cut at every byte of the longest ending marker, "[EEPROM:]".
inline constexpr int kSplitOffsets = 9;

struct Step {
    int line = 0;            // 1-based within the job
    std::string what;        // the line typed, or "word k" / "block 1 word k" for typed values
    bool checked = true;     // the job fails when this step is not answered
    bool showsWord = false;  // the answer is a word display, whose number is read
    int stores = -1;         // for writes: index of the word this line stores (block 0 first)
};

struct Row {
    Job job;
    Fault fault;
    int step = 0;  // the step the fault is at; for SplitMarker the byte offset into the marker
    Outcome outcome = Outcome::Success;
    int linesSent = 0;    // lines the simulator must have received
    int wordsStored = 0;  // writes: words stored, in typing order
    std::string name;
};

int Block0Count(Job job);  // words of block 0 a write types; 0 for the read
std::vector<Step> StepsOf(Job job);
// Every row of the matrix for `job`, in step order.
std::vector<Row> RowsOf(Job job);
// Every `parts`-th row of `job` starting at `part`, to spread a job over parallel test programs.
std::vector<Row> RowShare(Job job, int part, int parts);

}  // namespace tavrin::testing
