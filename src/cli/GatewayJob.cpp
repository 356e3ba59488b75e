#include "cli/GatewayJob.h"

#include <cstdio>

#include "cli/ExitCodes.h"
#include "cli/OpenFailureReport.h"
#include "rules/FileFolders.h"

namespace tavrin::cli {

int ExitCodeFor(ReadOutcome outcome) {
    switch (outcome) {
        case ReadOutcome::Completed:
            return kExitOk;
        case ReadOutcome::CannotOpen:
        case ReadOutcome::Occupied:
        case ReadOutcome::PortError:
            return kExitPort;
        case ReadOutcome::Timeout:
            return kExitTimeout;
        case ReadOutcome::ForeignModule:
            return kExitForeignModule;
        case ReadOutcome::Refused:
            break;
    }
    return kExitFailure;
}

int ExitCodeFor(WriteOutcome outcome) {
    switch (outcome) {
        case WriteOutcome::Completed:
            return kExitOk;
        case WriteOutcome::CannotOpen:
        case WriteOutcome::Occupied:
        case WriteOutcome::PortError:
            return kExitPort;
        case WriteOutcome::Timeout:
            return kExitTimeout;
    }
    return kExitFailure;
}

namespace {

std::unique_ptr<FileTranscript> OpenLog(const std::string& path) {
    if (path.empty()) {
        return nullptr;
    }
    return std::make_unique<FileTranscript>(path);
}

}  // namespace

GatewayJob::GatewayJob(const CliArgs& args, bool bar, ConsoleWiring& wiring)
    : m_verify(!args.noVerify),
      m_port(ParsePortArgument(args.port)),
      m_log(OpenLog(args.logPath)),
      m_clock(wiring.Ticks()),
      m_progress(stderr, bar, m_log.get()),
      m_session{m_image, wiring.Port(), m_clock, m_pump, &m_progress, args.timing} {
    if (!m_port) {
        std::fprintf(stderr, "tavrin-cli: --port takes a COM number 1..16 or a device path\n");
        m_setUpStatus = kExitUsage;
    } else if (m_log && !m_log->IsOpen()) {
        std::fprintf(stderr, "tavrin-cli: cannot write the log file %s\n%s\n", args.logPath.c_str(),
                     CantWriteLine(args.logPath, m_log->OpenError()).c_str());
        m_setUpStatus = kExitInvalidInput;
    }
}

std::optional<OpenDiagnosis> GatewayJob::ExplainIfUnopened(bool cannotOpen, bool occupied) {
    if (!cannotOpen && !occupied) {
        return std::nullopt;
    }
    return ExplainOpenFailure(occupied ? OpenStatus::Occupied : OpenStatus::CannotOpen,
                              m_port->device, stderr);
}

int GatewayJob::Connect() {
    m_progress.Begin("reading " + m_port->Label(), kReadLines);
    const ReadOutcome outcome = ReadConfiguration(m_session, *m_port, m_progress);
    ExplainIfUnopened(outcome == ReadOutcome::CannotOpen, outcome == ReadOutcome::Occupied);
    m_progress.End(outcome == ReadOutcome::Completed);
    return ExitCodeFor(outcome);
}

int GatewayJob::Write(const std::string& what, const ConfigWords& words, int block0Count) {
    const int lines = kWriteLines - (kWholeBlock0Words - block0Count);
    m_progress.Begin("writing " + what + " into " + m_port->Label(), lines);
    WriteOutcome outcome;
    {
        // A failed write has released the console already; a completed one leaves Busy to us.
        const ConsoleBusy busy(m_session);
        outcome = WriteConfiguration(m_session, *m_port, words, block0Count, m_progress);
    }
    ExplainIfUnopened(outcome == WriteOutcome::CannotOpen, outcome == WriteOutcome::Occupied);
    m_progress.End(outcome == WriteOutcome::Completed);
    return ExitCodeFor(outcome);
}

int GatewayJob::Verify(const WrittenWords& written) {
    m_verified = false;
    m_mismatches.clear();
    if (!m_verify) {
        return kExitOk;
    }
    m_progress.Begin("reading " + m_port->Label() + " back", kReadLines);
    const ReadBackResult result = ReadBackWritten(m_session, *m_port, written, m_progress);
    m_progress.End(result.outcome == ReadBackOutcome::Verified);
    switch (result.outcome) {
        case ReadBackOutcome::Verified:
            m_verified = true;
            m_progress.Note(kVerified);
            return kExitOk;
        case ReadBackOutcome::Mismatch:
            m_mismatches = result.mismatches;
            m_progress.Tell({MismatchText(result.mismatches), kNotVerifiedTitle});
            return kExitNotVerified;
        case ReadBackOutcome::NotChecked:
            break;
    }
    m_progress.Tell({NotCheckedText(result.readFailure), kNotVerifiedTitle});
    const int status = ExitCodeFor(result.read);
    return status == kExitOk ? kExitFailure : status;
}

}  // namespace tavrin::cli
