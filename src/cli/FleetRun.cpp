#include "cli/FleetRun.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <memory>

namespace tavrin::cli {
namespace {

// One job's process and what it has said so far.
struct Running {
    const FleetJob* job = nullptr;
    FleetOutcome* outcome = nullptr;
    std::unique_ptr<QProcess> process;
    QByteArray pendingErr;  // the start of a stderr line not yet ended
    std::int64_t startMs = 0;
    bool ended = false;
};

void PassOn(std::FILE* progress, const std::string& label, const QByteArray& line) {
    std::fprintf(progress, "%s: %s\n", label.c_str(), line.constData());
    std::fflush(progress);
}

// Every whole line so far; with `all`, the unended rest as well.
void PassOnLines(Running& run, std::FILE* progress, bool all) {
    run.pendingErr += run.process->readAllStandardError();
    qsizetype end = 0;
    while ((end = run.pendingErr.indexOf('\n')) >= 0) {
        PassOn(progress, run.job->portLabel, run.pendingErr.left(end));
        run.pendingErr.remove(0, end + 1);
    }
    if (all && !run.pendingErr.isEmpty()) {
        PassOn(progress, run.job->portLabel, run.pendingErr);
        run.pendingErr.clear();
    }
}

// The verb's "verified" when it answered in JSON and the answer has one.
std::optional<bool> Verified(const FleetJob& job, const QByteArray& out) {
    if (!job.json) {
        return std::nullopt;
    }
    const QJsonValue value = QJsonDocument::fromJson(out).object().value(QLatin1String("verified"));
    return value.isBool() ? std::optional(value.toBool()) : std::nullopt;
}

QStringList Arguments(const FleetJob& job) {
    QStringList arguments;
    for (const std::string& word : job.arguments) {
        arguments << QString::fromStdString(word);
    }
    return arguments;
}

}  // namespace

std::vector<FleetOutcome> RunFleetJobs(const std::vector<FleetJob>& jobs, const QString& program,
                                       Clock& clock, std::FILE* progress) {
    std::vector<FleetOutcome> outcomes(jobs.size());
    std::vector<Running> runs(jobs.size());
    QEventLoop loop;
    std::size_t left = jobs.size();
    auto end = [&](Running& run) {
        run.outcome->milliseconds = clock.TickMs() - run.startMs;
        run.ended = true;
        if (--left == 0) {
            loop.quit();
        }
    };
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        Running& run = runs[i];
        run.job = &jobs[i];
        run.outcome = &outcomes[i];
        run.process = std::make_unique<QProcess>();
        QProcess* process = run.process.get();
        process->setProgram(program);
        process->setArguments(Arguments(jobs[i]));
        process->setStandardInputFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::readyReadStandardError, process,
                         [&run, progress] { PassOnLines(run, progress, false); });
        QObject::connect(process, &QProcess::finished, process,
                         [&run, progress, &end](int code, QProcess::ExitStatus how) {
                             PassOnLines(run, progress, true);
                             if (how == QProcess::NormalExit) {
                                 run.outcome->status = code;
                                 run.outcome->verified =
                                     Verified(*run.job, run.process->readAllStandardOutput());
                             } else {
                                 run.outcome->status = kExitFailure;
                                 run.outcome->note = "the job's process crashed";
                             }
                             end(run);
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [&run, &end](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart && !run.ended) {
                                 run.outcome->status = kExitFailure;
                                 run.outcome->note = "the job's process did not start";
                                 end(run);
                             }
                         });
    }
    // All start together: each job's time runs from its own start.
    for (Running& run : runs) {
        run.startMs = clock.TickMs();
        run.process->start();
    }
    if (left > 0) {
        loop.exec();
    }
    return outcomes;
}

}  // namespace tavrin::cli
