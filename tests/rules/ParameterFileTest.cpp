// The parameter file's keys on real files: what a save writes, what a load accepts, and that a
// bad file never reaches the word tables. The keys go through the same profile engine as the INI
// control, without its window.
#include "rules/ParameterFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "WholeFile.h"
#include "gatewaysim/TempDir.h"
#include "inictl/ProfileFile.h"

namespace tavrin {
namespace {

class EngineKeys final : public IniKeyAccess {
public:
    void SetFileName(const std::string& path) override { m_path = path; }
    std::optional<std::string> GetKey(const std::string& section, const std::string& key) override {
        if (m_path.empty()) {
            return std::nullopt;
        }
        return quillon::ReadProfileString(m_path, section, key);
    }
    void WriteKey(const std::string& section, const std::string& key,
                  const std::string& value) override {
        quillon::WriteProfileString(m_path, section, key, value);
    }

private:
    std::string m_path;
};

// Words as a connect leaves them: block 0 word k = k, block 1 word k = 100 + k, with the largest
// word at the front of block 0.
WordImages AfterConnect() {
    WordImages image;
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        image.ReadBlock0Words[k] = k;
    }
    image.ReadBlock0Words[0] = 4294967295u;
    for (int k = 0; k < kBlock1Words; ++k) {
        image.ReadBlock1Words[k] = 100 + k;
    }
    return image;
}

// A file as another tool might leave it: comments, blanks around values, mixed key case.
std::string HandEdited() {
    std::string text = "; gateway at line 3\r\n[eepb_0]\r\n";
    for (int k = 0; k < 30; ++k) {
        text += "ADD" + std::to_string(k) + " =  " + std::to_string(1000 + k) + " \r\n";
    }
    text += "\r\n[EEPB_1]\r\n";
    for (int k = 0; k < 7; ++k) {
        text += "Add" + std::to_string(k) + "=\t" + std::to_string(2000 + k) + "\r\n";
    }
    return text;
}

class ParameterFileTest : public ::testing::Test {
protected:
    gatewaysim::TempDir dir;
    std::string path = dir.File("5310G_EEP.ini");
    EngineKeys keys;
};

TEST_F(ParameterFileTest, SaveWritesThirtySevenKeysInOrderWithKey29Zero) {
    WordImages image = AfterConnect();
    image.ReadBlock0Words[29] = 77;  // whatever stands there, the file gets 0
    SaveINIFile(keys, path, image);

    const std::string text = testing::ReadWholeFile(path);
    EXPECT_EQ(text.rfind("[EEPB_0]\r\nAdd0=4294967295\r\nAdd1=1\r\nAdd2=2\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nAdd28=28\r\nAdd29=0\r\n[EEPB_1]\r\nAdd0=100\r\nAdd1=101\r\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\nAdd5=105\r\nAdd6=106\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 39);
    EXPECT_TRUE(SavedFileMatches(keys, image));
}

TEST_F(ParameterFileTest, SavingAgainReplacesTheValuesAndKeepsOtherLines) {
    testing::WriteWholeFile(
        path, "; backup of line 3\r\n[EEPB_0]\r\nAdd0=5\r\nNote=keep me\r\n[Other]\r\nx=1\r\n");
    WordImages image = AfterConnect();
    SaveINIFile(keys, path, image);
    image.ReadBlock1Words[6] = 9;
    SaveINIFile(keys, path, image);

    const std::string text = testing::ReadWholeFile(path);
    EXPECT_EQ(text.rfind("; backup of line 3\r\n[EEPB_0]\r\nAdd0=4294967295\r\nNote=keep me\r\n"
                         "Add1=1\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("Add29=0\r\n[Other]\r\nx=1\r\n[EEPB_1]\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("Add6=9\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 43);
}

TEST_F(ParameterFileTest, ASavedFileLoadsBackToTheSameWords) {
    const WordImages saved = AfterConnect();
    SaveINIFile(keys, path, saved);
    WordImages image;
    ASSERT_TRUE(Get_INIFILE_PARA(keys, path, image));
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        EXPECT_EQ(image.FileBlock0Words[k], saved.ReadBlock0Words[k]) << k;
    }
    EXPECT_EQ(image.FileBlock0Words[29], 0u);
    for (int k = 0; k < kBlock1Words; ++k) {
        EXPECT_EQ(image.FileBlock1Words[k], saved.ReadBlock1Words[k]) << k;
    }
}

TEST_F(ParameterFileTest, AHandEditedFileLoads) {
    testing::WriteWholeFile(path, HandEdited());
    WordImages image;
    ASSERT_TRUE(Get_INIFILE_PARA(keys, path, image));
    EXPECT_EQ(image.FileBlock0Words[0], 1000u);
    EXPECT_EQ(image.FileBlock0Words[28], 1028u);
    EXPECT_EQ(image.FileBlock1Words[6], 2006u);
}

// Every way a file can be unfit leaves the tables exactly as they were.
TEST_F(ParameterFileTest, AnUnfitFileChangesNothing) {
    struct Case {
        const char* name;
        std::string from;
        std::string to;
    };
    const Case cases[] = {
        {"key 29 missing", "ADD29 =  1029 \r\n", ""},
        {"last block 1 key missing", "Add6=\t2006\r\n", ""},
        {"block 1 section missing", "[EEPB_1]", "[EEPB_2]"},
        {"empty value", "Add3=\t2003", "Add3="},
        {"not a number", "ADD4 =  1004", "ADD4 = 0x3EC"},
        {"negative", "Add0=\t2000", "Add0=-1"},
        {"too large", "ADD7 =  1007", "ADD7 = 4294967296"},
    };
    for (const Case& c : cases) {
        std::string text = HandEdited();
        text.replace(text.find(c.from), c.from.size(), c.to);
        testing::WriteWholeFile(path, text);
        WordImages image;
        image.FileBlock0Words.fill(7);
        image.FileBlock1Words.fill(7);
        const WordImages before = image;
        EXPECT_FALSE(Get_INIFILE_PARA(keys, path, image)) << c.name;
        EXPECT_EQ(image.FileBlock0Words, before.FileBlock0Words) << c.name;
        EXPECT_EQ(image.FileBlock1Words, before.FileBlock1Words) << c.name;
    }
}

// A refused file names its first unfit key, so the user knows what to mend.
TEST_F(ParameterFileTest, AnUnfitFileNamesItsFirstBadKey) {
    struct Case {
        const char* name;
        std::string from;
        std::string to;
        const char* text;
        std::string from2 = {};  // a second change, when the case needs one
        std::string to2 = {};
    };
    const Case cases[] = {
        {"key 29 missing", "ADD29 =  1029 \r\n", "", "[EEPB_0] Add29 is missing or empty"},
        {"block 1 section missing", "[EEPB_1]", "[EEPB_2]", "[EEPB_1] Add0 is missing or empty"},
        {"empty value", "Add3=\t2003", "Add3=", "[EEPB_1] Add3 is missing or empty"},
        {"not a number", "ADD4 =  1004", "ADD4 = 0x3EC",
         "[EEPB_0] Add4 = \"0x3EC\" is not a number 0..4294967295"},
        {"too large", "ADD7 =  1007", "ADD7 = 4294967296",
         "[EEPB_0] Add7 = \"4294967296\" is not a number 0..4294967295"},
        // The earlier of two bad keys is the one named.
        {"two bad keys", "ADD2 =  1002", "ADD2 = two",
         "[EEPB_0] Add2 = \"two\" is not a number 0..4294967295", "ADD9 =  1009", "ADD9 = x"},
    };
    for (const Case& c : cases) {
        std::string text = HandEdited();
        text.replace(text.find(c.from), c.from.size(), c.to);
        if (!c.from2.empty()) {
            text.replace(text.find(c.from2), c.from2.size(), c.to2);
        }
        testing::WriteWholeFile(path, text);
        WordImages image;
        BadParameterKey bad;
        EXPECT_FALSE(Get_INIFILE_PARA(keys, path, image, &bad)) << c.name;
        EXPECT_EQ(BadParameterKeyText(bad), c.text) << c.name;
    }
    WordImages image;
    BadParameterKey bad;
    EXPECT_FALSE(Get_INIFILE_PARA(keys, dir.File("none.ini"), image, &bad));
    EXPECT_EQ(BadParameterKeyText(bad), "[EEPB_0] Add0 is missing or empty");
}

TEST_F(ParameterFileTest, AMissingFileDoesNotLoad) {
    WordImages image;
    EXPECT_FALSE(Get_INIFILE_PARA(keys, dir.File("none.ini"), image));
}

TEST_F(ParameterFileTest, ASaveIntoAMissingFolderDoesNotMatch) {
    const WordImages image = AfterConnect();
    const std::string nowhere = dir.File("no-such-folder/5310G_EEP.ini");
    SaveINIFile(keys, nowhere, image);
    EXPECT_FALSE(SavedFileMatches(keys, image));
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

TEST(WordFromKeyText, TakesUnsignedDecimalWordsOnly) {
    const std::pair<const char*, std::optional<Word>> cases[] = {
        {"0", 0u},
        {"4294967295", 4294967295u},
        {"  42\t", 42u},
        {"007", 7u},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"4294967296", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"1.5", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const auto& [text, word] : cases) {
        EXPECT_EQ(WordFromKeyText(text), word) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace tavrin
