#include <gtest/gtest.h>

#include "layout/settings.h"
#include "tests/layout/settingsfixtures.h"

namespace {

TEST(ParseValueTest, KeyIsAnExactPrefixAndTheValueStartsThreeBytesAfterIt)
{
    CString value = "untouched";
    EXPECT_FALSE(CSettings::ParseStringValue("Back Lef", "Back Left", value));
    EXPECT_FALSE(CSettings::ParseStringValue("back Left = x", "Back Left", value));
    EXPECT_FALSE(CSettings::ParseStringValue(" Back Left = x", "Back Left", value));
    EXPECT_EQ(value, "untouched");

    const std::pair<const char*, const char*> cases[] = {
        {"Back Left", ""},
        {"Back Left =", ""},
        {"Back Left = ", ""},
        {"Back Left = x", "x"},
        {"Back Left =  two  ", " two  "},
        {"Back Leftxyzvalue", "value"},
        {"Back Left = a = b", "a = b"},
        {"Back Left of Center = BLC", " Center = BLC"},
    };
    for (const auto& [pszLine, pszValue] : cases) {
        value = "before";
        EXPECT_TRUE(CSettings::ParseStringValue(pszLine, "Back Left", value)) << pszLine;
        EXPECT_EQ(value, pszValue) << pszLine;
    }
}

TEST(ParseValueTest, IntegersReadLikeAtoiAndWrapModulo2To32)
{
    const std::pair<const char*, int> cases[] = {
        {"n = 42", 42},
        {"n =   -17x", -17},
        {"n = +8", 8},
        {"n = \t\v7", 7},
        {"n = 12 34", 12},
        {"n = - 5", 0},
        {"n = abc", 0},
        {"n = ", 0},
        {"n=5", 0},
        {"n = 2147483647", 2147483647},
        {"n = 2147483648", -2147483647 - 1},
        {"n = 4294967295", -1},
        {"n = 4294967296", 0},
        {"n = 99999999999", 1215752191},
        {"n = -2147483648", -2147483647 - 1},
    };
    for (const auto& [pszLine, nExpected] : cases) {
        int n = 555;
        EXPECT_TRUE(CSettings::ParseIntValue(pszLine, "n", n)) << pszLine;
        EXPECT_EQ(n, nExpected) << pszLine;
    }
    int n = 555;
    EXPECT_FALSE(CSettings::ParseIntValue("m = 1", "n", n));
    EXPECT_EQ(n, 555);
}

TEST(ParseValueTest, FlagIsTrueOnlyForTheIntegerOne)
{
    const std::pair<const char*, bool> cases[] = {
        {"f = 1", true}, {"f = 1 ;", true}, {"f = 01", true}, {"f =  1", true},
        {"f = 2", false}, {"f = yes", false}, {"f = ", false}, {"f=1", false}, {"f = -1", false},
    };
    for (const auto& [pszLine, bExpected] : cases) {
        bool b = !bExpected;
        EXPECT_TRUE(CSettings::ParseBoolValue(pszLine, "f", b)) << pszLine;
        EXPECT_EQ(b, bExpected) << pszLine;
    }
    bool b = true;
    EXPECT_FALSE(CSettings::ParseBoolValue("F = 0", "f", b));
    EXPECT_TRUE(b);
}

TEST(LoadSettingsTest, MissingFileFailsAfterResettingOnlyTheDefaultIndex)
{
    TempDir dir;
    CSettings settings;
    settings.LoadDefaultSettings();
    EXPECT_FALSE(settings.LoadSettings((dir / "settings.pxr").c_str()));
    EXPECT_EQ(settings.m_nDefaultConfiguration, -1);
    EXPECT_EQ(ConfigurationsOf(settings), kBuiltInConfigurations);
    EXPECT_TRUE(settings.m_bAutoExport);
    EXPECT_EQ(settings.m_strSuffixes[17], "TBR");
}

TEST(LoadSettingsTest, EmptyFileChangesNothingButTheDefaultIndex)
{
    CSettings settings = Load("");
    EXPECT_TRUE(settings.m_aConfigurations.empty());
    EXPECT_EQ(settings.m_nDefaultConfiguration, -1);
    EXPECT_FALSE(settings.m_bAutoPadding || settings.m_bAutoLoading || settings.m_bAutoExport ||
                 settings.m_bNoExtensible);
    for (const CString& suffix : settings.m_strSuffixes)
        EXPECT_TRUE(suffix.IsEmpty());
}

TEST(LoadSettingsTest, OptionValuesOtherThanOneClearTheFlag)
{
    CSettings settings;
    settings.LoadDefaultSettings();
    LoadInto(settings, Lines({"[Options]", "auto padding = 2", "auto loading = yes", "auto export=1",
                              "no WAVE_FORMAT_EXTENSIBLE = 1 ;", "Auto Padding = 1"}));
    EXPECT_FALSE(settings.m_bAutoPadding);
    EXPECT_FALSE(settings.m_bAutoLoading);
    EXPECT_FALSE(settings.m_bAutoExport);
    EXPECT_TRUE(settings.m_bNoExtensible);
}

TEST(LoadSettingsTest, OnlyExactHeadersChangeTheSection)
{
    CSettings settings = Load(Lines({
        "auto padding = 1",  // before any header: ignored
        "Front Center = X",
        "[Options]",
        "[Suffixes] ",
        "auto loading = 1",
        "[suffixes]",
        "auto export = 1",
        "Front Center = Y",
        "[Suffixes]",
        "[Options]",
        "no WAVE_FORMAT_EXTENSIBLE = 1",
    }));
    EXPECT_FALSE(settings.m_bAutoPadding);
    EXPECT_TRUE(settings.m_bAutoLoading);
    EXPECT_TRUE(settings.m_bAutoExport);
    EXPECT_TRUE(settings.m_bNoExtensible);
    EXPECT_EQ(settings.m_strSuffixes[2], "");
}

TEST(LoadSettingsTest, FrontLeftAndFrontRightAreTriedOnlyOnTheirLines)
{
    CSettings settings = Load(Lines({
        "[Suffixes]",
        "Front Right = R1",  // line 0: only Front Left and the others are tried
        "Front Left = L1",   // line 1: only Front Right and the others
        "Back Center = B",
        "[Suffixes]",        // the line counter goes on
        "Front Left = L2",
        "Back Center = C",   // the last matching line wins
    }));
    EXPECT_EQ(settings.m_strSuffixes[0], "");
    EXPECT_EQ(settings.m_strSuffixes[1], "");
    EXPECT_EQ(settings.m_strSuffixes[8], "C");
}

TEST(LoadSettingsTest, OfCenterLinesFirstAlsoSetFrontLeftAndRight)
{
    CSettings settings = Load(Lines({"[Suffixes]", "Front Left of Center = FLC",
                                     "Front Right of Center = FRC", "Front Left = late"}));
    EXPECT_EQ(settings.m_strSuffixes[0], " Center = FLC");
    EXPECT_EQ(settings.m_strSuffixes[1], " Center = FRC");
    EXPECT_EQ(settings.m_strSuffixes[6], "FLC");
    EXPECT_EQ(settings.m_strSuffixes[7], "FRC");
}

TEST(LoadSettingsTest, ReadsThePairsThatArePresent)
{
    const std::string header = Lines({"[Configurations]", "number of configurations = 2"});
    const std::string pairs = Lines({"configuration #0 = a", "channel mask #0 = 3",
                                     "configuration #1 = b", "channel mask #1 = 4294967295"});
    CSettings two = Load(header + Lines({"default configuration = 1"}) + pairs);
    EXPECT_EQ(ConfigurationsOf(two), (Configurations{{"a", 3}, {"b", 0xFFFFFFFF}}));
    EXPECT_EQ(two.m_nDefaultConfiguration, 1);

    CSettings none = Load(header + Lines({"default configuration = -1"}) + pairs);
    EXPECT_TRUE(none.m_aConfigurations.empty());
    EXPECT_EQ(none.m_nDefaultConfiguration, -1);

    for (const char* pszCount : {"0", "-3"}) {
        CSettings empty = Load(Lines({"[Configurations]", std::string("number of configurations = ") + pszCount,
                                      "default configuration = 0"}) + pairs);
        EXPECT_TRUE(empty.m_aConfigurations.empty()) << pszCount;
        EXPECT_EQ(empty.m_nDefaultConfiguration, 0);
    }

    // Pairs missing at the end add nothing, however many were announced.
    for (const char* pszCount : {"5", "2147483647"}) {
        CSettings partial = Load(Lines({"[Configurations]", std::string("number of configurations = ") + pszCount,
                                        "default configuration = 0"}) + pairs);
        EXPECT_EQ(ConfigurationsOf(partial), (Configurations{{"a", 3}, {"b", 0xFFFFFFFF}})) << pszCount;
    }

    CSettings defaultFirst = Load(Lines({"[Configurations]", "default configuration = 0",
                                         "number of configurations = 1", "configuration #0 = x",
                                         "channel mask #0 = 7"}));
    EXPECT_EQ(ConfigurationsOf(defaultFirst), (Configurations{{"x", 7}}));
}

TEST(LoadSettingsTest, BlocksTakeTheirLinesStraightFromTheFile)
{
    CSettings settings = Load(Lines({
        "[Configurations]",
        "number of configurations = 2",
        "default configuration = 0",  // starts a block of two pairs
        "configuration #0 = a",
        "channel mask #0 = 1",
        "[Options]",                  // a name line here, not a header
        "channel mask #1 = 2",        // adds a configuration with an empty name
        "auto padding = 1",           // still the configurations section: another block
        "configuration #0 = b",
        "channel mask #0 = 4",
        "configuration #1 = c",
        "channel mask #9 = 8",        // wrong key: c is dropped
    }));
    EXPECT_EQ(ConfigurationsOf(settings), (Configurations{{"a", 1}, {"", 2}, {"b", 4}}));
    EXPECT_FALSE(settings.m_bAutoPadding);
}

TEST(RepairConfigurationsTest, EmptyListGetsTheBuiltInConfigurations)
{
    CSettings settings = Load(Lines({"[Options]", "auto export = 1", "[Suffixes]", "Front Left = L"}));
    settings.RepairConfigurations();
    EXPECT_EQ(ConfigurationsOf(settings), kBuiltInConfigurations);
    EXPECT_EQ(settings.m_nDefaultConfiguration, 0);
    EXPECT_TRUE(settings.m_bAutoExport);
    EXPECT_FALSE(settings.m_bAutoLoading);
    EXPECT_EQ(settings.m_strSuffixes[0], "L");
    EXPECT_EQ(settings.m_strSuffixes[1], "");

    CSettings countZero = Load(Lines({"[Configurations]", "number of configurations = 0",
                                      "default configuration = 3"}));
    countZero.RepairConfigurations();
    EXPECT_EQ(ConfigurationsOf(countZero), kBuiltInConfigurations);
    EXPECT_EQ(countZero.m_nDefaultConfiguration, 3);
}

TEST(RepairConfigurationsTest, DefaultIndexOutsideTheListBecomesZero)
{
    const std::string pairs = Lines({"configuration #0 = a", "channel mask #0 = 3",
                                     "configuration #1 = b", "channel mask #1 = 4"});
    for (const auto& [nDefault, nRepaired] : {std::pair{2, 0}, {7, 0}, {-5, 0}, {1, 1}, {0, 0}}) {
        CSettings settings = Load(Lines({"[Configurations]", "number of configurations = 2",
                                         "default configuration = " + std::to_string(nDefault)}) + pairs);
        settings.RepairConfigurations();
        EXPECT_EQ(ConfigurationsOf(settings), (Configurations{{"a", 3}, {"b", 4}})) << nDefault;
        EXPECT_EQ(settings.m_nDefaultConfiguration, nRepaired) << nDefault;
    }
}

}  // namespace
