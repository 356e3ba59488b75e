#include "cli/DifferenceReport.h"

#include <cstdio>

#include "cli/ExitCodes.h"
#include "offline/JsonWriter.h"

namespace tavrin::cli {

std::string DifferenceLines(const std::vector<FieldDifference>& differences,
                            const std::string& nameA, const std::string& nameB) {
    if (differences.empty()) {
        return nameA + " and " + nameB + ": no differences\n";
    }
    std::string text = "field: " + nameA + " | " + nameB + "\n";
    for (const FieldDifference& d : differences) {
        text += d.field + ": " + d.a + " | " + d.b + "\n";
    }
    return text;
}

std::string DifferenceJson(const std::vector<FieldDifference>& differences,
                           const std::string& nameA, const std::string& nameB, bool dryRun) {
    JsonWriter json;
    json.BeginObject();
    json.String("a", nameA);
    json.String("b", nameB);
    json.Bool("equal", differences.empty());
    if (dryRun) {
        json.Bool("dryRun", true);
        json.Bool("written", false);
    }
    json.BeginArray("differences");
    for (const FieldDifference& d : differences) {
        json.BeginObject();
        json.String("field", d.field);
        json.String("a", d.a);
        json.String("b", d.b);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

std::string WriteReportJson(const WriteReport& report) {
    JsonWriter json;
    json.BeginObject();
    json.String("file", report.file);
    json.String("port", report.port);
    json.Bool("written", report.written);
    json.Bool("verified", report.verified);
    const char* verify = !report.verifyWanted || !report.written ? "skipped"
                         : report.verified                       ? "verified"
                         : report.mismatches.empty()             ? "not checked"
                                                                 : "mismatch";
    json.String("verify", verify);
    json.BeginArray("mismatches");
    for (const WordMismatch& m : report.mismatches) {
        json.BeginObject();
        json.Number("block", m.block);
        json.Number("address", m.address);
        json.String("field", m.field);
        json.Number("written", m.written);
        json.Number("read", m.read);
        json.EndObject();
    }
    json.EndArray();
    json.Number("status", report.status);
    if (!report.edsFile.empty()) {
        json.String("edsFile", report.edsFile);
    }
    if (!report.error.empty()) {
        json.String("error", report.error);
    }
    json.EndObject();
    return json.Text();
}

int ReportUnwritten(const std::string& file, const std::string& port, bool json, bool dryRun,
                    int status) {
    if (json && !dryRun) {
        WriteReport report;
        report.file = file;
        report.port = port;
        report.status = status;
        std::fputs(WriteReportJson(report).c_str(), stdout);
    }
    return status;
}

int PrintDifference(const std::vector<FieldDifference>& differences, const std::string& nameA,
                    const std::string& nameB, bool json, bool dryRun) {
    const std::string text = json ? DifferenceJson(differences, nameA, nameB, dryRun)
                                  : DifferenceLines(differences, nameA, nameB);
    std::fputs(text.c_str(), stdout);
    return differences.empty() ? kExitOk : kExitDiffer;
}

}  // namespace tavrin::cli
