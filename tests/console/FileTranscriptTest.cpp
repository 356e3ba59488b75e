// The --log transcript: one time-stamped entry per line typed and per answer received, each on
// its own line of the file whatever bytes came over the wire.
#include "console/FileTranscript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace tavrin {
namespace {

TEST(EscapedForLog, KeepsEveryEntryOnOneLineAndInertOnATerminal) {
    const std::pair<std::string, const char*> cases[] = {
        {" 28573804", " 28573804"},
        {"\r\n6420RT>", "\\r\\n6420RT>"},
        {"a\tb\\c", "a\\tb\\\\c"},
        {"say \"hi\"", "say \\\"hi\\\""},
        {std::string("\x1b[2J\0\x7f", 6), "\\x1B[2J\\x00\\x7F"},
        {"Caf\xe9", "Caf\xe9"},  // bytes of the single-byte code page stay as they are
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(EscapedForLog(text), escaped);
    }
}

TEST(FileTranscript, AppendsTimeStampedEntries) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tavrin-transcript-" + std::to_string(::getpid()) + ".log"))
                                 .string();
    std::filesystem::remove(path);
    std::ofstream(path) << "earlier session\n";
    {
        FileTranscript log(path);
        ASSERT_TRUE(log.IsOpen());
        log.LineSent("use eeprom");
        log.ChunkReceived("\r\n[EEPROM:]\x1b");
    }
    std::ifstream in(path);
    std::string first, sent, received, more;
    std::getline(in, first);
    std::getline(in, sent);
    std::getline(in, received);
    EXPECT_EQ(first, "earlier session");
    // "2026-12-08 03:45:13 +0.004 sent ..."
    ASSERT_GT(sent.size(), 20u);
    EXPECT_EQ(sent[4], '-');
    EXPECT_EQ(sent[10], ' ');
    EXPECT_EQ(sent[13], ':');
    EXPECT_EQ(sent[20], '+');
    EXPECT_TRUE(sent.ends_with(" sent \"use eeprom\"")) << sent;
    EXPECT_TRUE(received.ends_with(" recv \"\\r\\n[EEPROM:]\\x1B\"")) << received;
    EXPECT_FALSE(std::getline(in, more));
    std::filesystem::remove(path);

    EXPECT_FALSE(FileTranscript("/nonexistent-folder/x.log").IsOpen());
}

}  // namespace
}  // namespace tavrin
