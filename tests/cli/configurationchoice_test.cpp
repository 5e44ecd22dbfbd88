// Which configuration or mask a command line gets, without running the program.
#include "cli/configurationchoice.h"

#include <gtest/gtest.h>

namespace {

void Add(CSettings& settings, const char* pszName, DWORD dwMask)
{
    auto pConfiguration = std::make_unique<CConfiguration>();
    pConfiguration->m_strName = pszName;
    pConfiguration->m_dwChannelMask = dwMask;
    settings.m_aConfigurations.push_back(std::move(pConfiguration));
}

// Two names that differ only in letter case, as a settings file may hold.
CSettings TwoLives()
{
    CSettings settings;
    Add(settings, "Live", 0x3);
    Add(settings, "LIVE", 0x603);
    Add(settings, "Wide", 0x80000003);
    Add(settings, "quad", 0x33);
    settings.m_nDefaultConfiguration = 3;
    return settings;
}

TEST(FindConfigurationByNameTest, TheFirstOfTwoEqualNamesAndNoTrimming)
{
    CSettings settings;
    Add(settings, "same", 0x3);
    Add(settings, "same", 0x33);
    std::string strError;
    EXPECT_EQ(FindConfigurationByName(settings, "same", strError), settings.m_aConfigurations[0].get());
    EXPECT_EQ(FindConfigurationByName(settings, "SAME", strError), nullptr) << strError;
    EXPECT_EQ(FindConfigurationByName(settings, "same ", strError), nullptr);
    EXPECT_EQ(strError, "no configuration is named 'same '. The configurations are: 'same', 'same'");
}

TEST(ChooseChannelMaskTest, MaskOrNamedConfigurationOrTheFirstWithAsManyChannels)
{
    const CSettings settings = TwoLives();
    MergeOptions options;
    DWORD dwMask = 0;
    std::string strError;

    options.files = {"a", "b"};
    ASSERT_TRUE(ChooseChannelMask(options, settings, dwMask, strError)) << strError;
    EXPECT_EQ(dwMask, 0x3u) << "Live comes before Wide";
    options.files = {"a", "b", "c", "d"};
    ASSERT_TRUE(ChooseChannelMask(options, settings, dwMask, strError)) << strError;
    EXPECT_EQ(dwMask, 0x603u) << "LIVE comes before quad";

    options.strConfiguration = "quad";
    ASSERT_TRUE(ChooseChannelMask(options, settings, dwMask, strError)) << strError;
    EXPECT_EQ(dwMask, 0x33u);
    options.strConfiguration = "wide";
    EXPECT_FALSE(ChooseChannelMask(options, settings, dwMask, strError));
    EXPECT_EQ(strError, "the configuration 'Wide' has 2 channels; the number of inputs is 4");
    options.strConfiguration = "none";
    EXPECT_FALSE(ChooseChannelMask(options, settings, dwMask, strError));
    EXPECT_EQ(strError.rfind("no configuration is named 'none'.", 0), 0u);

    options.strConfiguration.reset();
    options.dwChannelMask = 0x80000007;  // bits past the 18 positions make no channel
    EXPECT_FALSE(ChooseChannelMask(options, settings, dwMask, strError));
    EXPECT_EQ(strError, "the channel mask has 3 speaker bits; the number of inputs is 4");
    options.dwChannelMask = 0x8000000F;
    ASSERT_TRUE(ChooseChannelMask(options, settings, dwMask, strError)) << strError;
    EXPECT_EQ(dwMask, 0x8000000Fu);

    options.dwChannelMask.reset();
    options.files = {"a", "b", "c"};
    EXPECT_FALSE(ChooseChannelMask(options, settings, dwMask, strError));
    EXPECT_EQ(strError, "no configuration has 3 channels; name one with -c or give the channel mask with -m");
}

TEST(ChooseAutoConfigurationTest, NamedOrTheDefault)
{
    const CSettings settings = TwoLives();
    MergeOptions options;
    std::string strError;
    EXPECT_EQ(ChooseAutoConfiguration(options, settings, strError), settings.m_aConfigurations[3].get());
    options.strConfiguration = "LIVE";
    EXPECT_EQ(ChooseAutoConfiguration(options, settings, strError), settings.m_aConfigurations[1].get());
    options.strConfiguration = "mono";
    EXPECT_EQ(ChooseAutoConfiguration(options, settings, strError), nullptr);
}

}  // namespace
