// Profile reads and writes on real files, and the worked examples of files exchanged with other
// tools, each run both in memory and through a file.
#include "inictl/ProfileFile.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <ostream>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

#include "inictl/ProfileText.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

// A scratch folder for one test, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "quillon-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Every name in the folder, so a stray temporary file shows up.
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_path))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    fs::path m_path;
};

void PutBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

mode_t Permissions(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

struct ReadVector {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

// Test listings name a case by its name, not by its bytes.
void PrintTo(const ReadVector& c, std::ostream* out) {
    *out << c.name;
}

const std::string kQuoted = "[S]\r\nk=  \"   v   \"  \r\nm=  \"   v   '  \r\n";
const std::string kComments = "[S]\r\nk=a ;b #c\r\n;x=1\r\n  ;y=2\r\n#z=3\r\n";
const std::string kBlanks = "\t[ Net ]\r\n PORT =\t80 \r\n";
const std::string kDuplicates = "[S]\r\nk=1\r\nk=2\r\n[S]\r\nj=3\r\n";
const std::string kLong = "[S]\r\nk=" + std::string(1500, 'x') + "\r\n";
const std::string kBom = "\xEF\xBB\xBF[S]\r\nk=v\r\n[T]\r\nk=w\r\n[U\r\nk=u\r\n[V]k=x\r\n";

const ReadVector kReadVectors[] = {
    {"QuotesRemoved", kQuoted, "S", "k", "   v   "},
    {"MismatchedQuotesStay", kQuoted, "S", "m", "\"   v   '"},
    {"SemicolonInValueIsData", kComments, "S", "k", "a ;b #c"},
    {"CommentNeverMatches", kComments, "S", "x", std::nullopt},
    {"CommentNeverMatchesWithSemicolon", kComments, "S", ";x", std::nullopt},
    {"IndentedComment", kComments, "S", "y", std::nullopt},
    {"HashStartsAKey", kComments, "S", "#z", "3"},
    {"BlanksAroundNames", kBlanks, "net", "port", "80"},
    {"CallerSpacesTrimmed", kBlanks, " net ", "port", "80"},
    {"CallerTabNotTrimmed", kBlanks, "\tnet", "port", std::nullopt},
    {"FirstKeyWins", kDuplicates, "S", "k", "1"},
    {"OnlyFirstSectionSearched", kDuplicates, "S", "j", std::nullopt},
    {"LongValue", kLong, "S", "k", std::string(1500, 'x')},
    {"BomHidesFirstHeader", kBom, "S", "k", std::nullopt},
    {"AfterBom", kBom, "T", "k", "w"},
    {"HeaderWithoutBracket", kBom, "U", "k", "u"},
    {"KeyAfterBracketIgnored", kBom, "V", "k", std::nullopt},
};

class ReadVectorTest : public testing::TestWithParam<ReadVector> {};

TEST_P(ReadVectorTest, InMemory) {
    const ReadVector& v = GetParam();
    EXPECT_EQ(FindProfileValue(v.file, v.section, v.key), v.value);
}

// The file read cuts at the buffer the Windows read fills and gives "" for anything missing.
TEST_P(ReadVectorTest, FromFile) {
    const ReadVector& v = GetParam();
    TempDir dir;
    PutBytes(dir.File("p.ini"), v.file);
    EXPECT_EQ(ReadProfileString(dir.File("p.ini"), v.section, v.key),
              v.value.value_or("").substr(0, kProfileValueLimit));
}

INSTANTIATE_TEST_SUITE_P(Vectors, ReadVectorTest, testing::ValuesIn(kReadVectors),
                         [](const auto& info) { return std::string(info.param.name); });

struct WriteVector {
    const char* name;
    std::optional<std::string> before;  // no file at all when empty
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

// Test listings name a case by its name, not by its bytes.
void PrintTo(const WriteVector& c, std::ostream* out) {
    *out << c.name;
}

const WriteVector kWriteVectors[] = {
    {"NoFile", std::nullopt, "Net", "Port", "5000", "[Net]\r\nPort=5000\r\n"},
    {"NewSectionAtEnd", "[A]\r\nk1=v1\r\n", "B", "k2", "v2", "[A]\r\nk1=v1\r\n[B]\r\nk2=v2\r\n"},
    {"NewSectionAfterUnendedLine", "junk", "s", "k", "v", "junk\r\n[s]\r\nk=v\r\n"},
    {"NewKeyBeforeComment", "[S]\r\nz=\r\n;y=\r\n", "S", "a", "1", "[S]\r\nz=\r\na=1\r\n;y=\r\n"},
    {"ReplaceUnendedLastLine", "[SectionName]\r\nTestKey=TestValue", "SECTIONNAME", "TESTKEY", "X",
     "[SectionName]\r\nTestKey=X\r\n"},
};

class WriteVectorTest : public testing::TestWithParam<WriteVector> {};

TEST_P(WriteVectorTest, InMemory) {
    const WriteVector& v = GetParam();
    EXPECT_EQ(SetProfileValue(v.before.value_or(""), v.section, v.key, v.value), v.after);
}

TEST_P(WriteVectorTest, ToFile) {
    const WriteVector& v = GetParam();
    TempDir dir;
    const std::string path = dir.File("p.ini");
    if (v.before)
        PutBytes(path, *v.before);
    EXPECT_TRUE(WriteProfileString(path, v.section, v.key, v.value));
    EXPECT_EQ(Bytes(path), v.after);
    EXPECT_EQ(dir.Names(), std::set<std::string>{"p.ini"});
}

INSTANTIATE_TEST_SUITE_P(Vectors, WriteVectorTest, testing::ValuesIn(kWriteVectors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileFileTest, LongValueReadsBackCut) {
    TempDir dir;
    ASSERT_TRUE(WriteProfileString(dir.File("p.ini"), "S", "k", std::string(1500, 'y')));
    EXPECT_EQ(ReadProfileString(dir.File("p.ini"), "S", "k"), std::string(1023, 'y'));
}

TEST(ProfileFileTest, AnythingMissingReadsEmpty) {
    TempDir dir;
    PutBytes(dir.File("p.ini"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(ReadProfileString(dir.File("p.ini"), "S", "j"), "");
    EXPECT_EQ(ReadProfileString(dir.File("p.ini"), "T", "k"), "");
    EXPECT_EQ(ReadProfileString(dir.File("none.ini"), "S", "k"), "");
    EXPECT_EQ(ReadProfileString(dir.File("."), "S", "k"), "");
}

// Another tool may change the file between two calls; the second read must see it.
TEST(ProfileFileTest, EveryReadSeesTheFileAsItIsNow) {
    TempDir dir;
    PutBytes(dir.File("p.ini"), "[S]\r\nk=1\r\n");
    EXPECT_EQ(ReadProfileString(dir.File("p.ini"), "S", "k"), "1");
    PutBytes(dir.File("p.ini"), "[S]\r\nk=2\r\n");
    EXPECT_EQ(ReadProfileString(dir.File("p.ini"), "S", "k"), "2");
}

TEST(ProfileFileTest, MissingFolderFailsAndCreatesNothing) {
    TempDir dir;
    EXPECT_FALSE(WriteProfileString(dir.File("missing/p.ini"), "S", "k", "v"));
    EXPECT_TRUE(dir.Names().empty());
}

TEST(ProfileFileTest, ExistingFileKeepsPermissions) {
    TempDir dir;
    PutBytes(dir.File("p.ini"), "[S]\r\n");
    ::chmod(dir.File("p.ini").c_str(), 0640);
    ASSERT_TRUE(WriteProfileString(dir.File("p.ini"), "S", "k", "v"));
    EXPECT_EQ(Permissions(dir.File("p.ini")), 0640u);
}

TEST(ProfileFileTest, NewFileFollowsUmask) {
    TempDir dir;
    const mode_t previous = ::umask(027);
    const bool written = WriteProfileString(dir.File("p.ini"), "S", "k", "v");
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(Permissions(dir.File("p.ini")), 0640u);
}

TEST(ProfileFileTest, WritesThroughLinkToItsTarget) {
    TempDir dir;
    PutBytes(dir.File("real.ini"), "[S]\r\nk=1\r\n");
    fs::create_symlink("real.ini", dir.File("link.ini"));
    ASSERT_TRUE(WriteProfileString(dir.File("link.ini"), "S", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(dir.File("link.ini")));
    EXPECT_EQ(fs::read_symlink(dir.File("link.ini")), "real.ini");
    EXPECT_EQ(Bytes(dir.File("real.ini")), "[S]\r\nk=2\r\n");
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"link.ini", "real.ini"}));
}

// A full disk, simulated with a file size limit (which also binds root): the write fails part
// way, and the old file must be intact with no temporary left beside it.
TEST(ProfileFileTest, FailedWriteLeavesOldFileAndNoTemporary) {
    TempDir dir;
    const std::string old = "; keep\r\n[S]\r\nk=1\r\n";
    PutBytes(dir.File("p.ini"), old);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 16;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteProfileString(dir.File("p.ini"), "S", "k", std::string(100, 'z'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(Bytes(dir.File("p.ini")), old);
    EXPECT_EQ(dir.Names(), std::set<std::string>{"p.ini"});
}

}  // namespace
}  // namespace quillon
