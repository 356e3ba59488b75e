// The example files the package installs beside the user guide, as a user runs them from that
// folder: the fleet manifest passes the fleet's whole check (each job's file with its verb's own
// check, named relative to the examples), so the parameter file and the configuration file it
// names are fit too.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/FleetManifest.h"

namespace tavrin::cli {
namespace {

std::string ExampleFile(const std::string& name) {
    return std::string(TAVRIN_EXAMPLES_DIR) + "/" + name;
}

TEST(ShippedExamples, FleetManifestAndTheFilesItNamesPassTheirChecks) {
    std::ifstream in(ExampleFile("fleet-manifest.json"));
    ASSERT_TRUE(in) << ExampleFile("fleet-manifest.json");
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> checked;
    const auto inExamples = [&](const std::string& verb, const std::string& path) {
        checked.push_back(verb + " " + path);
        return CheckJobFile(verb, ExampleFile(path));
    };
    const FleetManifest manifest = ReadFleetManifest(
        text.str(), "", inExamples, [](const std::string&) { return std::nullopt; });
    for (const std::string& fault : manifest.faults) {
        ADD_FAILURE() << fault;
    }
    EXPECT_EQ(checked,
              (std::vector<std::string>{"restore 5310G_EEP.ini", "apply apply-example.json"}));
}

}  // namespace
}  // namespace tavrin::cli
