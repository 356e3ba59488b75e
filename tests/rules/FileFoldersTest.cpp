#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <map>
#include <set>

#include "rules/FileFolders.h"

namespace tavrin {
namespace {

// Folders and what a file created in each would meet; a folder not listed is missing.
class FakeFolders final : public FolderAccess {
public:
    int CreateCheck(const std::string& folder) override {
        const auto found = errors.find(folder);
        return found != errors.end() ? found->second : ENOENT;
    }
    int MakeFolder(const std::string& folder) override {
        made.insert(folder);
        errors.emplace(folder, 0);
        return 0;
    }
    std::map<std::string, int> errors;
    std::set<std::string> made;
};

constexpr const char* kProgram = "/usr/bin";
constexpr const char* kDocuments = "/home/tech/Documents";

struct DefaultCase {
    const char* name;
    int programError;      // what a file in the program's folder meets
    bool documentsThere;   // the documents folder exists already
    const char* expected;  // the default folder
    bool documentsMade;    // the documents folder was made
};

class DefaultFolderTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultFolderTest, IsTheProgramsFolderWhenWritableElseTheDocumentsFolder) {
    const DefaultCase& c = GetParam();
    FakeFolders fs;
    fs.errors[kProgram] = c.programError;
    if (c.documentsThere) {
        fs.errors[kDocuments] = 0;
    }
    FileFolders folders(kProgram, kDocuments, fs);
    EXPECT_EQ(folders.DefaultFolder(), c.expected);
    EXPECT_EQ(folders.EdsFolder(), c.expected);
    EXPECT_EQ(folders.DialogFolder(FileKind::ParameterFile), c.expected);
    EXPECT_EQ(folders.DialogFolder(FileKind::Transcript), c.expected);
    EXPECT_EQ(fs.made.count(kDocuments) == 1, c.documentsMade);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultFolderTest,
    ::testing::Values(DefaultCase{"build tree", 0, false, kProgram, false},
                      DefaultCase{"installed", EACCES, true, kDocuments, true},
                      DefaultCase{"installed, no documents yet", EACCES, false, kDocuments, true},
                      DefaultCase{"read-only mount", EROFS, true, kDocuments, true}),
    [](const ::testing::TestParamInfo<DefaultCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

// The user's choice of EDS folder and the folders the dialogs last used are kept apart, reported
// for keeping, and win over the default.
TEST(FileFolders, ChoicesWinOverTheDefaultAndAreReportedForKeeping) {
    FakeFolders fs;
    fs.errors[kProgram] = EACCES;
    FileFolders folders(kProgram, kDocuments, fs);
    std::vector<FolderChoices> kept;
    folders.changed = [&](const FolderChoices& choices) { kept.push_back(choices); };

    folders.ChooseEdsFolder("/srv/eds");
    folders.Used(FileKind::ParameterFile, "/srv/ini/5310G_EEP.ini");
    folders.Used(FileKind::ParameterFile, "/srv/ini/other.ini");  // same folder: nothing new
    EXPECT_EQ(folders.EdsFolder(), "/srv/eds");
    EXPECT_EQ(folders.DialogFolder(FileKind::ParameterFile), "/srv/ini");
    EXPECT_EQ(folders.DialogFolder(FileKind::Transcript), kDocuments);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept.back().eds, "/srv/eds");
    EXPECT_EQ(kept.back().parameterFiles, "/srv/ini");

    FileFolders next(kProgram, kDocuments, fs);
    next.Restore(kept.back());
    EXPECT_EQ(next.EdsFolder(), "/srv/eds");
}

TEST(FileFolders, RefusalNamesTheFileAndTheSystemsReason) {
    FakeFolders fs;
    fs.errors[kProgram] = 0;
    fs.errors["/srv/full"] = ENOSPC;
    FileFolders folders(kProgram, kDocuments, fs);
    EXPECT_EQ(folders.EdsRefusal("RODAR_ 12.eds"), std::nullopt);
    folders.ChooseEdsFolder("/srv/full");
    EXPECT_EQ(folders.EdsRefusal("RODAR_ 12.eds"),
              "Can't write /srv/full/RODAR_ 12.eds: No space left on device\n"
              "Nothing was written to the gateway. Choose a folder you may write for the EDS "
              "file, then press Finish again.");
    EXPECT_EQ(CantWriteLine("/usr/bin/5310G_EEP.ini", EACCES),
              "/usr/bin/5310G_EEP.ini: Permission denied");
}

}  // namespace
}  // namespace tavrin
