#include "cli/settingslist.h"

#include "layout/channeltags.h"

std::string FormatSettingsList(const CSettings& settings)
{
    std::string text = "Configurations:\n";
    CString strLine;
    for (size_t i = 0; i < settings.m_aConfigurations.size(); ++i) {
        const CConfiguration& configuration = *settings.m_aConfigurations[i];
        const bool bDefault = static_cast<int>(i) == settings.m_nDefaultConfiguration;
        strLine.Format("  %zu: '%s', mask 0x%X%s:", i, configuration.m_strName.GetString(),
                       static_cast<unsigned>(configuration.m_dwChannelMask), bDefault ? " (default)" : "");
        text += strLine.str();
        const std::vector<int> positions = GetChannelPositions(configuration.m_dwChannelMask);
        for (size_t r = 0; r < positions.size(); ++r)
            text += std::string(r == 0 ? " " : ", ") + kSpeakerPositions[positions[r]].pszName;
        text += positions.empty() ? " no channels\n" : "\n";
    }
    text += "Suffixes:\n";
    for (int i = 0; i < kSpeakerPositionCount; ++i) {
        strLine.Format("  %s: '%s'\n", kSpeakerPositions[i].pszName,
                       settings.m_strSuffixes[static_cast<size_t>(i)].GetString());
        text += strLine.str();
    }
    text += "Channel tags (after '.', '_', '-' or ' ', in any letter case):\n";
    for (int i = 0; i < kSpeakerPositionCount; ++i) {
        std::string tags;
        for (const ChannelTag& tag : kChannelTags) {
            if (tag.nSpeaker != i)
                continue;
            tags += (tags.empty() ? "" : ", ") + std::string(tag.pszTag);
            if (tag.eScope != TagScope::Always)
                tags += tag.eScope == TagScope::WithSides ? " (with Side positions)" : " (without Side positions)";
        }
        if (!tags.empty())
            text += "  " + std::string(kSpeakerPositions[i].pszName) + ": " + tags + "\n";
    }
    return text;
}

std::string FormatSettingsFileLine(const std::string& strFile)
{
    return strFile.empty() ? "Settings file: none, the built-in settings\n" : "Settings file: '" + strFile + "'\n";
}
