#include "cli/FleetVerb.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "cli/ExitCodes.h"
#include "cli/FleetManifest.h"
#include "cli/FleetReport.h"
#include "cli/FleetRun.h"

namespace tavrin::cli {

int RunFleet(const CliArgs& args) {
    QFile file(QString::fromStdString(args.file));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tavrin-cli: cannot read the manifest %s\n", args.file.c_str());
        return kExitInvalidInput;
    }
    if (!args.logDir.empty() && !QFileInfo(QString::fromStdString(args.logDir)).isDir()) {
        std::fprintf(stderr, "tavrin-cli: the log folder %s does not exist\n", args.logDir.c_str());
        return kExitInvalidInput;
    }
    const FleetManifest manifest = ReadFleetManifest(file.readAll().toStdString(), args.logDir);
    if (!manifest.Valid()) {
        for (const std::string& fault : manifest.faults) {
            std::fprintf(stderr, "%s: %s\n", args.file.c_str(), fault.c_str());
        }
        std::fprintf(stderr, "tavrin-cli: nothing was sent to any gateway\n");
        return kExitInvalidInput;
    }

    SystemClock clock;
    const std::vector<FleetOutcome> outcomes =
        RunFleetJobs(manifest.jobs, QCoreApplication::applicationFilePath(), clock, stderr);
    const std::string report =
        args.json ? FleetJson(manifest.jobs, outcomes) : FleetTable(manifest.jobs, outcomes);
    std::fputs(report.c_str(), stdout);
    return FleetExitStatus(outcomes);
}

}  // namespace tavrin::cli
