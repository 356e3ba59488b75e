#include "console/ReadBack.h"

#include "config/WordFields.h"

namespace tavrin {
namespace {

// The caller's view during a read-back, but for the read's messages: the first is kept for the
// caller's own text and none reaches the view.
class HeldMessages final : public ReadView {
public:
    explicit HeldMessages(ReadView& view) : m_view(view) {}

    void Tell(const Notice& notice) override {
        if (m_first.empty()) {
            m_first = notice.text;
        }
    }
    const std::string& First() const { return m_first; }

    void ConnectPressed() override { m_view.ConnectPressed(); }
    void ShowReadingLook() override { m_view.ShowReadingLook(); }
    void SetStatus(const std::string& text) override { m_view.SetStatus(text); }
    void SetProgress(int value) override { m_view.SetProgress(value); }
    void ConsoleReleased() override { m_view.ConsoleReleased(); }
    void ShowConnectedLook(ModuleKind kind, const std::string& firmwareText) override {
        m_view.ShowConnectedLook(kind, firmwareText);
    }
    void EnableFileCommands() override { m_view.EnableFileCommands(); }
    void OpenCanPanel() override { m_view.OpenCanPanel(); }

private:
    ReadView& m_view;
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
    HeldMessages held(view);
    // The read-back talks to the same console as the write: same pace, same answer window, the
    // same advice should the port no longer open.
    ConsoleSession reading{scratch,           session.port,       session.clock,
                           session.pump,      session.transcript, session.timing,
                           session.openAdvice};
    ReadBackResult result;
    result.read = ReadConfiguration(reading, port, held);
    if (result.read != ReadOutcome::Completed) {
        result.readFailure = held.First();
        return result;
    }
    result.held = scratch.words.AsRead();
    result.mismatches =
        CompareWritten(written, scratch.words.ReadBlock0Words, scratch.words.ReadBlock1Words);
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
