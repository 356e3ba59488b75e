// Proving a write: once the write's own dialogue has ended, a separate read dialogue reads the
// gateway's words back and each word the write typed is compared with what the gateway now holds.
// A word the write left alone by design (the stored application objects and totals of a
// settings-only write) is not compared. The write's own lines are never touched: the read-back is
// a dialogue of its own that follows it.
#pragma once

#include <string>
#include <vector>

#include "config/ConfigImage.h"
#include "console/ConsoleSession.h"
#include "console/PortChoice.h"
#include "console/ReadSequence.h"

namespace tavrin {

// A word that does not hold what was written.
struct WordMismatch {
    int block = 0;      // 0 or 1
    int address = 0;    // byte address in the block
    std::string field;  // the fields it carries that differ ("NodeId"), see WordFieldNames
    Word written = 0;
    Word read = 0;

    friend bool operator==(const WordMismatch&, const WordMismatch&) = default;
};

// What a write typed: block0[0 .. block0Count-1] from byte 40 and the seven words of block 1.
struct WrittenWords {
    Block0Array block0{};
    int block0Count = 0;
    Block1Array block1{};
};

// Each typed word that the gateway's words `read0` (from byte 40) and `read1` do not hold, in the
// order the write typed them.
std::vector<WordMismatch> CompareWritten(const WrittenWords& written, const Block0Array& read0,
                                         const Block1Array& read1);

enum class ReadBackOutcome {
    Verified,    // every written word holds its value
    Mismatch,    // at least one does not
    NotChecked,  // the read-back could not be done (timeout, port lost): the write finished
};

struct ReadBackResult {
    ReadBackOutcome outcome = ReadBackOutcome::NotChecked;
    std::vector<WordMismatch> mismatches;
    ReadOutcome read = ReadOutcome::Completed;  // how the read dialogue ended
    std::string readFailure;                    // the read's own message when it failed
    ConfigWords held;                           // the words read back, when the read completed
};

// A read-back's view where nothing is to be shown: the window keeps the look of its write while
// the words are checked.
class SilentReadView final : public QuietReadView {
public:
    void Tell(const Notice&) override {}
};

// Runs the read dialogue on `port` into a scratch image, so the session's image (what the write
// was made from) stays as it is, and compares. The read's own messages are held back from `view`
// and the first is returned in readFailure; the caller tells the user with the texts below. `view`
// sees the read's lines and looks as a read's; the session's transcript records its dialogue.
ReadBackResult ReadBackWritten(ConsoleSession& session, const PortChoice& port,
                               const WrittenWords& written, ReadView& view);

// "Verified": the status text and stderr line of a write that was read back whole.
inline constexpr const char* kVerified = "Verified";
inline constexpr const char* kNotVerifiedTitle = "Verify";

// "The gateway does not hold what was written:" and one line per word:
// "block 0 byte 48 (NodeId): written 786945, read 65793".
std::string MismatchText(const std::vector<WordMismatch>& mismatches);

// "The write finished, but it could not be checked: Timeout".
std::string NotCheckedText(const std::string& readFailure);

}  // namespace tavrin
