#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "files/safe_file.h"
#include "files/settings_file.h"
#include "generator/parameter_fields.h"
#include "files_fixture.h"
#include "text/conversions.h"

namespace pelorn {
namespace {

using testing_files::FilesTest;
using testing_files::folderEntries;
using testing_files::readBytes;
using testing_files::writeBytes;

const char kDefaultFile[] =
    "#LastOpen# Untitled\r\n"
    "#genStartLocTries# 1000\r\n"
    "#roughnessFactor# 1.2\r\n"
    "#randomnessLength# 17\r\n"
    "#randomnessLengthForest# 5\r\n"
    "#randomnessLengthDesert# 33\r\n"
    "#randomnessLengthJungle# 33\r\n"
    "#randomnessLengthPolar# 17\r\n"
    "#randomnessLengthSteppes# 33\r\n"
    "#genRiverTries# 50\r\n"
    "#genSeaTiles# 5000\r\n"
    "#seedHorizontalSea# 0\r\n"
    "#seedVerticalSea# 0\r\n"
    "#forestFactor# 4\r\n"
    "#desertFactor# 4\r\n"
    "#jungleFactor# 4\r\n"
    "#polarFactor# 8\r\n"
    "#steppesFactor# 2\r\n"
    "#equatorFactor# 3\r\n"
    "#northPoleFactor# 3\r\n"
    "#southPoleFactor# 3\r\n"
    "#levelSea# 5\r\n"
    "#levelPlains# 6.7\r\n"
    "#levelFertilePlains# 6.9\r\n"
    "#levelHills# 7.9\r\n"
    "#levelHighHills# 8.9\r\n"
    "#levelMountain1# 9.3\r\n"
    "#levelMountain2# 9.6\r\n"
    "#levelMountain3# 9.8\r\n"
    "#levelMountain4# 10\r\n"
    "#levelcorrectionGlacial# 0.7";

bool sameParameters(const GeneratorParameters& a, const GeneratorParameters& b) {
    for (const ParameterField& field : kParameterFields) {
        switch (field.kind) {
            case ParameterKind::Integer:
                if (a.*field.integer != b.*field.integer) return false;
                break;
            case ParameterKind::Real:
                if (std::memcmp(&(a.*field.real), &(b.*field.real), sizeof(float)) != 0) return false;
                break;
            case ParameterKind::Flag:
                if (a.*field.flag != b.*field.flag) return false;
                break;
        }
    }
    return true;
}

class SettingsFile : public FilesTest {
protected:
    const GeneratorParameters defaults_{};
    Settings settings_;
    GeneratorParameters& p_ = settings_.parameters;
    std::string& currentMapName = settings_.lastOpen;
};

TEST_F(SettingsFile, DefaultFileHasTheExactBytes) {
    ASSERT_TRUE(writeSettingsFile(settings_));
    const std::string bytes = readBytes("appdata.dat");
    EXPECT_EQ(bytes, kDefaultFile);
    EXPECT_EQ(bytes.size(), std::strlen(kDefaultFile));
    EXPECT_NE(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"appdata.dat"});
    EXPECT_EQ(std::string(kSettingsFileName), "appdata.dat");
}

TEST_F(SettingsFile, StartUpWritesTheDefaultsOnlyWhereNoFileOpens) {
    readSettingsOrWriteDefaults(settings_);
    EXPECT_EQ(readBytes("appdata.dat"), kDefaultFile);
    // A file that is there is read and left alone.
    writeBytes("appdata.dat", "#LastOpen# Kept #levelSea# 4.5");
    readSettingsOrWriteDefaults(settings_);
    EXPECT_EQ(currentMapName, "Kept");
    EXPECT_EQ(p_.levelSea, 4.5f);
    EXPECT_EQ(readBytes("appdata.dat"), "#LastOpen# Kept #levelSea# 4.5");
    // A folder in its place opens as no file does, and is not written over.
    testing_files::fs::remove("appdata.dat");
    testing_files::fs::create_directory("appdata.dat");
    readSettingsOrWriteDefaults(settings_);
    EXPECT_TRUE(testing_files::fs::is_directory("appdata.dat"));
}

TEST_F(SettingsFile, MissingFileChangesNothing) {
    currentMapName = "Mine";
    p_.levelSea = 3.0f;
    EXPECT_FALSE(readSettingsFile(settings_));
    EXPECT_EQ(currentMapName, "Mine");
    EXPECT_EQ(p_.levelSea, 3.0f);
}

TEST_F(SettingsFile, OneEntryChangesOneField) {
    writeBytes("appdata.dat", "#levelSea# 4.5");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.levelSea, 4.5f);
    p_.levelSea = defaults_.levelSea;
    EXPECT_TRUE(sameParameters(p_, defaults_));
    EXPECT_EQ(currentMapName, "Untitled");
}

TEST_F(SettingsFile, OrderAndLinesDoNotMatter) {
    writeBytes("appdata.dat",
               "#levelHills# 7.5 #genSeaTiles# 42\n#LastOpen# Later\t#seedVerticalSea# 1\r\n\r\n"
               "   #roughnessFactor# 2.25");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.levelHills, 7.5f);
    EXPECT_EQ(p_.genSeaTiles, 42);
    EXPECT_EQ(currentMapName, "Later");
    EXPECT_EQ(p_.seedVerticalSea, 1);
    EXPECT_EQ(p_.roughnessFactor, 2.25f);
    EXPECT_EQ(p_.seedHorizontalSea, 0);
}

TEST_F(SettingsFile, UnknownWordsArePassedOver) {
    writeBytes("appdata.dat", "#genRiverTries# 7\r\nhello there\r\n#genSeaTiles# 9 trailing");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.genRiverTries, 7);
    EXPECT_EQ(p_.genSeaTiles, 9);
}

TEST_F(SettingsFile, KeysAreCaseSensitive) {
    // The value after an unknown key is itself an unknown token.
    writeBytes("appdata.dat", "#levelsea# 4.5 #LEVELSEA# 4 #lastopen# Other #levelPlains# 6");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.levelSea, defaults_.levelSea);
    EXPECT_EQ(p_.levelPlains, 6.0f);
    EXPECT_EQ(currentMapName, "Untitled");
}

TEST_F(SettingsFile, ABadFlagStopsTheReading) {
    writeBytes("appdata.dat", "#genSeaTiles# 11 #seedHorizontalSea# 2 #levelSea# 3 #LastOpen# After");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.genSeaTiles, 11);  // read before the bad value
    EXPECT_EQ(p_.seedHorizontalSea, 0);
    EXPECT_EQ(p_.levelSea, defaults_.levelSea);
    EXPECT_EQ(currentMapName, "Untitled");

    p_ = defaults_;
    writeBytes("appdata.dat", "#seedVerticalSea# -1 #levelSea# 3");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.seedVerticalSea, 0);
    EXPECT_EQ(p_.levelSea, defaults_.levelSea);

    writeBytes("appdata.dat", "#seedVerticalSea# 1 #seedHorizontalSea# 01");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.seedVerticalSea, 1);
    EXPECT_EQ(p_.seedHorizontalSea, 1);
}

TEST_F(SettingsFile, ValuesThatCannotBeReadStopTheReading) {
    const char* texts[] = {
        "#genSeaTiles# 2147483648 #levelSea# 3",  // beyond 32 bits
        "#genSeaTiles# many #levelSea# 3",
        "#roughnessFactor# 1e #levelSea# 3",       // bare exponent mark
        "#roughnessFactor# 1e39 #levelSea# 3",     // beyond single precision
        "#roughnessFactor# .e1 #levelSea# 3",
        "#LastOpen#",
    };
    for (const char* text : texts) {
        p_ = defaults_;
        writeBytes("appdata.dat", text);
        ASSERT_TRUE(readSettingsFile(settings_));
        EXPECT_TRUE(sameParameters(p_, defaults_)) << text;
        EXPECT_EQ(currentMapName, "Untitled") << text;
    }
}

TEST_F(SettingsFile, ValueRunsOnlyAsFarAsItsNumber) {
    // "12abc": 12 is taken, "abc" is then an unknown token.
    writeBytes("appdata.dat", "#genRiverTries# 12abc #levelSea# 2.5x #genSeaTiles# 1");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.genRiverTries, 12);
    EXPECT_EQ(p_.levelSea, 2.5f);
    EXPECT_EQ(p_.genSeaTiles, 1);
}

TEST_F(SettingsFile, LastValueWins) {
    writeBytes("appdata.dat", "#genSeaTiles# 1 #LastOpen# A #genSeaTiles# 2 #LastOpen# B #genSeaTiles# -3");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.genSeaTiles, -3);
    EXPECT_EQ(currentMapName, "B");
}

TEST_F(SettingsFile, AValueEndingTheFileIsTaken) {
    writeBytes("appdata.dat", "#genSeaTiles# 1234");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.genSeaTiles, 1234);

    writeBytes("appdata.dat", "#levelcorrectionGlacial# 0.25");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.levelcorrectionGlacial, 0.25f);

    writeBytes("appdata.dat", "#LastOpen# Last");
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(currentMapName, "Last");

    writeBytes("appdata.dat", "#levelSea#");  // a key with no value
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.levelSea, defaults_.levelSea);
}

TEST_F(SettingsFile, TwoWordNameRoundTrips) {
    currentMapName = "Old World";
    ASSERT_TRUE(writeSettingsFile(settings_));
    EXPECT_EQ(readBytes("appdata.dat").substr(0, 22), "#LastOpen# Old World\r\n");
    currentMapName = "Untitled";
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(currentMapName, "Old World");
    EXPECT_TRUE(sameParameters(p_, defaults_));
    // The name ends at its line's end, at a tab, or before the next key on its line.
    readSettingsText("#LastOpen# A  B #levelSea# 4.5 #LastOpen# Not #2\tThis #polarFactor# 7", settings_);
    EXPECT_EQ(currentMapName, "Not #2");
    EXPECT_EQ(p_.levelSea, 4.5f);
    EXPECT_EQ(p_.polarFactor, 7.0f);
    readSettingsText("#LastOpen# Line One\r\nwords #genRiverTries# 9", settings_);
    EXPECT_EQ(currentMapName, "Line One");
    EXPECT_EQ(p_.genRiverTries, 9);
}

TEST_F(SettingsFile, EveryFieldRoundTrips) {
    currentMapName = "Round";
    std::int32_t integer = -2147483647 - 1;
    const float reals[] = {1234570.0f, 0.00001f, -3.25f, 0.1f, 9.9f, 0.0f, 1e-40f, 3.4e38f, 123456.0f,
                           -0.000123f, 7.0f, 2.5e-7f, 8.75f, 6.66667f, 0.3f, 1.0f, 99999.9f, 4.2f};
    std::size_t realIndex = 0;
    for (const ParameterField& field : kParameterFields) {
        switch (field.kind) {
            case ParameterKind::Integer:
                p_.*field.integer = integer;
                integer = integer / 3 + 17;
                break;
            case ParameterKind::Real:
                p_.*field.real = reals[realIndex++ % (sizeof reals / sizeof reals[0])];
                break;
            case ParameterKind::Flag:
                p_.*field.flag = 1;
                break;
        }
    }
    const GeneratorParameters written = p_;
    ASSERT_TRUE(writeSettingsFile(settings_, "settings.dat"));
    p_ = defaults_;
    currentMapName = "Untitled";
    ASSERT_TRUE(readSettingsFile(settings_, "settings.dat"));
    EXPECT_TRUE(sameParameters(p_, written));
    EXPECT_EQ(currentMapName, "Round");
    EXPECT_EQ(p_.genStartLocTries, -2147483647 - 1);
}

TEST_F(SettingsFile, RealsComeBackAsTheirSixDigitRounding) {
    p_.levelSea = 1.0f / 3.0f;
    ASSERT_TRUE(writeSettingsFile(settings_));
    p_ = defaults_;
    ASSERT_TRUE(readSettingsFile(settings_));
    EXPECT_EQ(p_.levelSea, 0.333333f);
    EXPECT_NE(p_.levelSea, 1.0f / 3.0f);
}

TEST_F(SettingsFile, FlagsOtherThanOneAreWrittenAsOff) {
    p_.seedHorizontalSea = 7;  // the generator treats it as off
    ASSERT_TRUE(writeSettingsFile(settings_));
    EXPECT_NE(readBytes("appdata.dat").find("#seedHorizontalSea# 0\r\n"), std::string::npos);
}

TEST_F(SettingsFile, AnUnsafeLastOpenNameGivesUntitled) {
    const std::string unsafe[] = {"AUX", "aux.map", "../../victim", "C:x", "Z:\\data\\victim",
                                  std::string("a\0b", 3), "..", "x.", std::string(65, 'n'),
                                  std::string(3000000, 'n')};
    for (const std::string& name : unsafe) {
        currentMapName = "Before";
        p_ = GeneratorParameters{};
        readSettingsText("#LastOpen# " + name + "\r\n#levelSea# 4.5", settings_);
        EXPECT_EQ(currentMapName, "Untitled") << name.substr(0, 30);
        EXPECT_EQ(p_.levelSea, 4.5f) << "later entries are still read";
    }
    readSettingsText("#LastOpen# " + std::string(64, 'n'), settings_);
    EXPECT_EQ(currentMapName, std::string(64, 'n'));
    // The reader writes only what it was given: a caller's own name stays.
    const std::string mine = currentMapName;
    Settings other{"Other", {}};
    readSettingsText("#LastOpen# AUX", other);
    EXPECT_EQ(other.lastOpen, "Untitled");
    EXPECT_EQ(currentMapName, mine);
    // An unsafe name in memory is never written as the map to open next.
    currentMapName = "../x";
    EXPECT_EQ(settingsFileText(settings_).substr(0, 21), "#LastOpen# Untitled\r\n");
    currentMapName = "a b";
    EXPECT_EQ(settingsFileText(settings_).substr(0, 16), "#LastOpen# a b\r\n");
}

TEST_F(SettingsFile, AFileBeyondTheReadLimitIsRefusedWhole) {
    writeBytes("appdata.dat", "#levelSea# 4.5 #LastOpen# ");
    std::filesystem::resize_file("appdata.dat", kMaxReadBytes + 1);
    EXPECT_FALSE(readSettingsFile(settings_));
    EXPECT_EQ(p_.levelSea, 5.0f);
    EXPECT_EQ(currentMapName, "Untitled");
}

TEST_F(SettingsFile, LastOpenCanBeIgnored) {
    writeBytes("tool.dat", "#LastOpen# Elsewhere #genSeaTiles# 77 #levelSea# x #genRiverTries# 3");
    currentMapName = "Mine";
    p_.genRiverTries = 8;
    ASSERT_TRUE(readSettingsFile("tool.dat", p_));
    EXPECT_EQ(currentMapName, "Mine");
    EXPECT_EQ(p_.genSeaTiles, 77);
    EXPECT_EQ(p_.genRiverTries, 8);  // after a value that cannot be read, as always
    EXPECT_FALSE(readSettingsFile("missing.dat", p_));
    EXPECT_EQ(p_.genSeaTiles, 77);
    ASSERT_TRUE(readSettingsFile(settings_, "tool.dat"));
    EXPECT_EQ(currentMapName, "Elsewhere");
}

TEST_F(SettingsFile, InMemoryReaderMatchesTheFileReader) {
    readSettingsText("#polarFactor# 9 #LastOpen# Text #jungleFactor# -1.5e+000", settings_);
    EXPECT_EQ(p_.polarFactor, 9.0f);
    EXPECT_EQ(p_.jungleFactor, -1.5f);
    EXPECT_EQ(currentMapName, "Text");
    EXPECT_EQ(settingsFileText(settings_).substr(0, 17), "#LastOpen# Text\r\n");
}

TEST_F(SettingsFile, FailedWriteKeepsThePreviousFile) {
    writeBytes("appdata.dat", "#levelSea# 1");
    std::filesystem::create_directory("blocked.dat");
    writeBytes("blocked.dat/inside", "x");
    EXPECT_FALSE(writeSettingsFile(settings_, "blocked.dat"));
    EXPECT_FALSE(writeSettingsFile(settings_, "no-such-folder/appdata.dat"));
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"appdata.dat", "blocked.dat"}));
    EXPECT_EQ(readBytes("appdata.dat"), "#levelSea# 1");
}

}  // namespace
}  // namespace pelorn
