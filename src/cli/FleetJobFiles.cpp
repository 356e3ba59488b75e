// The files of a fleet's jobs, checked with the verbs' own rules before any job starts, so a
// refused file stops the whole fleet instead of leaving one gateway out after the others have
// been written.
#include <QDir>
#include <QFileInfo>
#include <exception>

#include "offline/ApplyConfig.h"
#include "cli/FleetManifest.h"
#include "offline/JsonChecker.h"
#include "cli/QuillonFileKeys.h"
#include "rules/ParameterFileJobs.h"

namespace tavrin::cli {

std::optional<std::string> CheckJobFile(const std::string& verb, const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    if (verb == "backup") {
        if (info.isDir()) {
            return "is a folder";
        }
        if (!info.absoluteDir().exists()) {
            return "its folder does not exist";
        }
        return std::nullopt;
    }
    if (verb != "restore" && verb != "apply") {
        return std::nullopt;
    }
    if (!info.isFile() || !info.isReadable()) {
        return "cannot read the file";
    }
    if (verb == "apply") {
        const ApplyFileCheck check = CheckApplyFile(path);
        return check.Valid() ? std::nullopt : std::optional(Join(check.faults, "; "));
    }
    WordImages loaded;
    try {
        QuillonFileKeys ini;
        return LoadParameterFile(ini, path, loaded);
    } catch (const std::exception& error) {
        return error.what();
    }
}

}  // namespace tavrin::cli
