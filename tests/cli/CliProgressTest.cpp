// What the gateway commands write on stderr: plain lines for a log, a bar redrawn in place for a
// terminal, and the system's messages never lost inside the bar.
#include "cli/CliProgress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tavrin::cli {
namespace {

// What a CliProgress wrote, through a real FILE.
class Captured {
public:
    Captured() : m_file(std::tmpfile()) {}
    ~Captured() { std::fclose(m_file); }
    std::FILE* file() { return m_file; }
    std::string Text() {
        std::fflush(m_file);
        std::rewind(m_file);
        std::string text;
        for (int c = std::fgetc(m_file); c != EOF; c = std::fgetc(m_file)) {
            text += static_cast<char>(c);
        }
        return text;
    }

private:
    std::FILE* m_file;
};

// Counts what is passed on to the --log transcript.
class CountingLog final : public ConsoleTranscript {
public:
    void LineSent(std::string_view line) override { sent.emplace_back(line); }
    void ChunkReceived(std::string_view chunk) override { received += chunk; }
    std::vector<std::string> sent;
    std::string received;
};

TEST(ProgressBarText, FillsInProportionAndHoldsToTheEnds) {
    const std::tuple<int, int, const char*> cases[] = {
        {0, 10, "[----------]   0%"},  {5, 10, "[#####-----]  50%"},  {10, 10, "[##########] 100%"},
        {14, 10, "[##########] 100%"}, {-3, 10, "[----------]   0%"}, {1, 0, "[----------]   0%"},
        {26, 53, "[####------]  49%"},
    };
    for (const auto& [done, total, text] : cases) {
        EXPECT_EQ(ProgressBarText(done, total, 10), text) << done << "/" << total;
    }
}

TEST(CliProgress, PlainLinesForALogWithTheMessagesBetween) {
    Captured out;
    CountingLog log;
    CliProgress progress(out.file(), false, &log);
    progress.Begin("reading COM 1", 4);
    progress.LineSent("use eeprom");
    progress.ChunkReceived("[EEPROM:]");
    progress.Tell({"Timeout", "Error"});
    progress.End(false);
    progress.Note("saved gw.ini");
    EXPECT_EQ(out.Text(),
              "tavrin-cli: reading COM 1 ...\nTimeout\ntavrin-cli: reading COM 1: failed\n"
              "tavrin-cli: saved gw.ini\n");
    EXPECT_EQ(log.sent, std::vector<std::string>{"use eeprom"});
    EXPECT_EQ(log.received, "[EEPROM:]");
}

TEST(CliProgress, ABarRedrawnInPlaceThatGivesWayToMessages) {
    Captured out;
    CliProgress progress(out.file(), true, nullptr);
    progress.Begin("writing", 2);
    progress.LineSent("a");
    progress.Tell({"The configuration stored in EEPROM is wrong!", ""});
    progress.LineSent("b");
    progress.End(true);
    const std::string bar0 = "\r\033[Kwriting " + ProgressBarText(0, 2);
    const std::string bar1 = "\r\033[Kwriting " + ProgressBarText(1, 2);
    const std::string bar2 = "\r\033[Kwriting " + ProgressBarText(2, 2);
    EXPECT_EQ(out.Text(), bar0 + bar1 + "\r\033[KThe configuration stored in EEPROM is wrong!\n" +
                              bar1 + bar2 + bar2 + "\n");
}

TEST(CliProgress, AFailedStepEndsTheBarWhereItStopped) {
    Captured out;
    CliProgress progress(out.file(), true, nullptr);
    progress.Begin("reading COM 1", 53);
    progress.Tell({"Timeout", "Error"});
    progress.End(false);
    const std::string bar0 = "\r\033[Kreading COM 1 " + ProgressBarText(0, 53);
    EXPECT_EQ(out.Text(), bar0 + "\r\033[KTimeout\n" + bar0 + "\n");
}

}  // namespace
}  // namespace tavrin::cli
