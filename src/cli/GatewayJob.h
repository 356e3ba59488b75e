// One run of a gateway verb of tavrin-cli: the console session on the port named by --port, with
// progress and the system's messages on stderr and the --log transcript. The verbs connect and
// write through it exactly as the main window does: the same read and write sequences, the same
// messages.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliProgress.h"
#include "cli/ConsoleWiring.h"
#include "cli/TimeStamp.h"
#include "common/Clock.h"
#include "console/ConsoleSession.h"
#include "console/FileTranscript.h"
#include "console/PortChoice.h"
#include "console/PortDiagnosis.h"
#include "console/ReadBack.h"
#include "console/ReadSequence.h"
#include "console/WriteSequence.h"
#include "console/qt/QtEventPump.h"

namespace tavrin::cli {

// The exit status of a sequence's outcome.
int ExitCodeFor(ReadOutcome outcome);
int ExitCodeFor(WriteOutcome outcome);

class GatewayJob {
public:
    // Needs a QCoreApplication. `bar` draws the progress bar instead of plain lines. The console
    // is reached through `wiring`, which outlives the job.
    GatewayJob(const CliArgs& args, bool bar, ConsoleWiring& wiring);
    GatewayJob(const GatewayJob&) = delete;
    GatewayJob& operator=(const GatewayJob&) = delete;

    // 0 when the port argument names a port and the log file can be written; otherwise the exit
    // status, with the reason printed.
    int SetUpStatus() const { return m_setUpStatus; }

    // Connect: the read sequence, as the window's Connect button runs it. Returns the exit status.
    int Connect();
    // The write sequence on the words given, as the window's Export To EEP and Finish run it:
    // Busy is set around it. `what` names the words for the progress ("5310G_EEP.ini"). Returns
    // the exit status.
    int Write(const std::string& what, const ConfigWords& words, int block0Count);

    // After a completed write: the read-back of `written` as a separate read dialogue, unless
    // --no-verify was given. "Verified" on stderr on a match; on a mismatch the list of words and
    // kExitNotVerified; a read-back that could not be done says that the write finished but could
    // not be checked, with the timeout's or the port's status. Returns the exit status.
    int Verify(const WrittenWords& written);
    // How the last write stands: not checked (--no-verify or not reached), verified, or the words
    // that do not hold what was written.
    bool Verified() const { return m_verified; }
    const std::vector<WordMismatch>& Mismatches() const { return m_mismatches; }
    bool VerifyWanted() const { return m_verify; }

    ConfigImage& Image() { return m_image; }
    ConsoleSession& Session() { return m_session; }
    const PortChoice& Port() const { return *m_port; }
    CliProgress& Progress() { return m_progress; }
    Clock& LocalClock() { return m_clock; }
    // Stores `stamp` instead of the moment of writing (apply --stamp).
    void FixTimeStamp(const LocalDateTime& stamp) { m_clock.Fix(stamp); }
    std::string PortLabel() const { return m_port ? m_port->Label() : std::string(); }
    // After the system's message for a port that would not open: why, and what to do, on
    // stderr. Nothing for other outcomes.
    std::optional<OpenDiagnosis> ExplainIfUnopened(bool cannotOpen, bool occupied);

private:
    int m_setUpStatus = 0;
    bool m_verify = true;
    bool m_verified = false;
    std::vector<WordMismatch> m_mismatches;
    std::optional<PortChoice> m_port;
    std::unique_ptr<FileTranscript> m_log;
    ConfigImage m_image;
    StampedClock m_clock;
    QtEventPump m_pump;
    CliProgress m_progress;
    ConsoleSession m_session;
};

}  // namespace tavrin::cli
