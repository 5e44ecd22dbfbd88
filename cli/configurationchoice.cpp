#include "cli/configurationchoice.h"

#include <cstdio>

#include "layout/speakerposition.h"

namespace {

// "1 channel", "6 channels".
std::string Counted(int nCount, const char* pszThing)
{
    return std::to_string(nCount) + " " + pszThing + (nCount == 1 ? "" : "s");
}

// "0x3F".
std::string FormatMask(DWORD dwMask)
{
    char szMask[16];
    std::snprintf(szMask, sizeof szMask, "0x%X", static_cast<unsigned>(dwMask));
    return szMask;
}

std::string ListOfNames(const CSettings& settings)
{
    std::string strList;
    for (const auto& pConfiguration : settings.m_aConfigurations)
        strList += (strList.empty() ? "'" : ", '") + pConfiguration->m_strName.str() + "'";
    return strList;
}

}  // namespace

const CConfiguration* FindConfigurationByName(const CSettings& settings, const CString& strName,
                                              std::string& strError)
{
    for (const auto& pConfiguration : settings.m_aConfigurations) {
        if (pConfiguration->m_strName == strName)
            return pConfiguration.get();
    }
    const CConfiguration* pFound = nullptr;
    int nFound = 0;
    for (const auto& pConfiguration : settings.m_aConfigurations) {
        if (pConfiguration->m_strName.CompareNoCase(strName) == 0) {
            pFound = pConfiguration.get();
            ++nFound;
        }
    }
    if (nFound == 1)
        return pFound;
    if (nFound == 0)
        strError = "no configuration is named '" + strName.str() + "'";
    else
        strError = "'" + strName.str() + "' matches " + std::to_string(nFound) +
                   " configurations when letter case is ignored; give the name exactly";
    strError += ". The configurations are: " + ListOfNames(settings);
    return nullptr;
}

const CConfiguration* FindConfigurationByChannelCount(const CSettings& settings, int nChannels)
{
    for (const auto& pConfiguration : settings.m_aConfigurations) {
        if (GetChannelCount(pConfiguration->m_dwChannelMask) == nChannels)
            return pConfiguration.get();
    }
    return nullptr;
}

const CConfiguration* ChooseAutoConfiguration(const MergeOptions& options, const CSettings& settings,
                                              std::string& strError)
{
    if (options.strConfiguration)
        return FindConfigurationByName(settings, CString(*options.strConfiguration), strError);
    return settings.m_aConfigurations[static_cast<size_t>(settings.m_nDefaultConfiguration)].get();
}

bool ChooseChannelMask(const MergeOptions& options, const CSettings& settings, DWORD& dwChannelMask,
                       std::string& strError)
{
    const int nFiles = static_cast<int>(options.files.size());
    const std::string strFiles = "the number of inputs is " + std::to_string(nFiles);
    if (options.dwChannelMask) {
        dwChannelMask = *options.dwChannelMask;
        const int nChannels = GetChannelCount(dwChannelMask);
        if (nChannels != nFiles) {
            strError = "the channel mask has " + std::to_string(nChannels) + " speaker bits; " + strFiles;
            return false;
        }
        return true;
    }
    if (options.strConfiguration) {
        const CConfiguration* pConfiguration =
            FindConfigurationByName(settings, CString(*options.strConfiguration), strError);
        if (pConfiguration == nullptr)
            return false;
        dwChannelMask = pConfiguration->m_dwChannelMask;
        const int nChannels = GetChannelCount(dwChannelMask);
        if (nChannels != nFiles) {
            strError = "the configuration '" + pConfiguration->m_strName.str() + "' has " +
                       std::to_string(nChannels) + " channels; " + strFiles;
            return false;
        }
        return true;
    }
    if (const CConfiguration* pConfiguration = FindConfigurationByChannelCount(settings, nFiles)) {
        dwChannelMask = pConfiguration->m_dwChannelMask;
        return true;
    }
    strError = "no configuration has " + std::to_string(nFiles) +
               " channels; name one with -c or give the channel mask with -m";
    return false;
}

bool ChooseSplitChannels(std::optional<DWORD> dwFileMask, int nChannels, const CConfiguration* pNamed,
                         const CSettings& settings, SplitChannels& channels, std::string& strError)
{
    if (dwFileMask && GetChannelCount(*dwFileMask) == nChannels) {
        channels = {*dwFileMask, SplitChannelSource::FileMask, nullptr};
        return true;
    }
    const CConfiguration* pConfiguration = pNamed ? pNamed : FindConfigurationByChannelCount(settings, nChannels);
    if (pConfiguration != nullptr && GetChannelCount(pConfiguration->m_dwChannelMask) == nChannels) {
        channels = {pConfiguration->m_dwChannelMask, SplitChannelSource::Configuration, pConfiguration};
        return true;
    }
    if (pNamed == nullptr && nChannels == 1) {
        channels = {kSpeakerPositions[kFrontCenter].dwMask, SplitChannelSource::Mono, nullptr};
        return true;
    }
    const std::string strMask = dwFileMask ? "a channel mask (" + FormatMask(*dwFileMask) + ") of " +
                                                 Counted(GetChannelCount(*dwFileMask), "speaker")
                                           : "no channel mask";
    strError = "has " + Counted(nChannels, "channel") + " and " + strMask;
    if (pNamed != nullptr)
        strError += ", but the configuration '" + pNamed->m_strName.str() + "' has " +
                    Counted(GetChannelCount(pNamed->m_dwChannelMask), "channel");
    else
        strError += ", and no configuration has " + Counted(nChannels, "channel") + ": name one with -c";
    return false;
}
