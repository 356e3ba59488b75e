#include "console/ReadBack.h"

#include "config/WordFields.h"

namespace tavrin {
namespace {

// The read's boxes during a read-back: the first message is kept for the caller's own text, and
// no question is asked (the safe answer).
class HeldBoxes final : public MessageBoxes {
public:
    BoxAnswer Show(const std::string& text, const std::string&, BoxButtons buttons,
                   BoxIcon) override {
        if (m_first.empty()) {
            m_first = text;
        }
        return buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
    }
    const std::string& First() const { return m_first; }

private:
    std::string m_first;
};

}  // namespace

std::vector<WordMismatch> CompareWritten(const WrittenWords& written, const Block0Array& read0,
                                         const Block1Array& read1) {
    std::vector<WordMismatch> mismatches;
    auto compare = [&](int block, int address, Word typed, Word held) {
        if (typed != held) {
            mismatches.push_back(
                {block, address, WordFieldNames(block, address, typed, held), typed, held});
        }
    };
    const int count =
        written.block0Count < kBlock0ConfigWords ? written.block0Count : kBlock0ConfigWords;
    for (int k = 0; k < count; ++k) {
        compare(0, kBlock0FirstAddress + 4 * k, written.block0[k], read0[k]);
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        compare(1, 4 * k, written.block1[k], read1[k]);
    }
    return mismatches;
}

ReadBackResult ReadBackWritten(ConsoleSession& session, const PortChoice& port,
                               const WrittenWords& written, ReadView& view) {
    ConfigImage scratch;
    HeldBoxes boxes;
    // The read-back talks to the same console as the write: same pace, same answer window, the
    // same advice should the port no longer open.
    ConsoleSession reading{scratch, session.port,       session.clock,  session.pump,
                           boxes,   session.transcript, session.timing, session.openAdvice};
    ReadBackResult result;
    result.read = ReadConfiguration(reading, port, view);
    if (result.read != ReadOutcome::Completed) {
        result.readFailure = boxes.First();
        return result;
    }
    result.mismatches = CompareWritten(written, scratch.ReadBlock0Words, scratch.ReadBlock1Words);
    result.outcome =
        result.mismatches.empty() ? ReadBackOutcome::Verified : ReadBackOutcome::Mismatch;
    return result;
}

std::string MismatchText(const std::vector<WordMismatch>& mismatches) {
    std::string text = "The gateway does not hold what was written:";
    for (const WordMismatch& m : mismatches) {
        text += "\nblock " + std::to_string(m.block) + " byte " + std::to_string(m.address) + " (" +
                m.field + "): written " + std::to_string(m.written) + ", read " +
                std::to_string(m.read);
    }
    return text;
}

std::string NotCheckedText(const std::string& readFailure) {
    return "The write finished, but it could not be checked: " +
           (readFailure.empty() ? std::string("the read-back failed") : readFailure);
}

}  // namespace tavrin
