#include "cli/waveinfo.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/jsontext.h"
#include "cli/levelstext.h"
#include "layout/configuration.h"
#include "layout/speakerposition.h"

namespace {

const char* ContainerName(WaveContainer eContainer)
{
    switch (eContainer) {
    case WaveContainer::Riff: return "RIFF";
    case WaveContainer::Rf64: return "RF64";
    case WaveContainer::Bw64: return "BW64";
    }
    return "";
}

const char* FormatTagSymbol(WORD wFormatTag)
{
    switch (wFormatTag) {
    case kFormatPcm: return "WAVE_FORMAT_PCM";
    case kFormatIeeeFloat: return "WAVE_FORMAT_IEEE_FLOAT";
    default: return "WAVE_FORMAT_EXTENSIBLE";
    }
}

// The speakers of a mask in table order; bits past the table by number.
std::vector<std::string> SpeakerNames(DWORD dwMask)
{
    std::vector<std::string> names;
    for (const int nPosition : GetChannelPositions(dwMask))
        names.emplace_back(kSpeakerPositions[nPosition].pszName);
    for (int nBit = kSpeakerPositionCount; nBit < 32; ++nBit) {
        if (dwMask & (1u << nBit))
            names.push_back("bit " + std::to_string(nBit));
    }
    return names;
}

// A chunk id as text: printable ASCII as it is, any other byte (and the
// backslash) as \xNN.
std::string ChunkIdText(const std::array<char, 4>& id)
{
    std::string text;
    for (const char c : id) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            text += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}

ULONGLONG FrameBytes(const WaveFormat& format)
{
    return static_cast<ULONGLONG>(format.nChannels) * (format.nBitsPerSample / 8u);
}

std::string Format(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* pszFormat, ...)
{
    char text[256];
    va_list args;
    va_start(args, pszFormat);
    std::vsnprintf(text, sizeof text, pszFormat, args);
    va_end(args);
    return text;
}

std::string Line(const char* pszName, const std::string& value)
{
    return Format("  %-14s ", (std::string(pszName) + ":").c_str()) + value + "\n";
}

// Why a file's header or levels could not be read, or nothing.
std::string DescribeFailure(const WaveInfo& info)
{
    if (!info.outcome.Succeeded())
        return DescribeWaveReadOutcome(info.strPath, info.outcome).str();
    switch (info.eLevelError) {
    case LevelError::None:
    case LevelError::Interrupted:  // the program's own line says so
        return "";
    case LevelError::NoMemory: return "The file '" + info.strPath.str() + "' can't be measured: not enough memory.";
    case LevelError::CannotRead:
        return "The file '" + info.strPath.str() + "' can't be read: " + std::strerror(info.nLevelSystemError) + ".";
    }
    return "";
}

std::string JoinNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

WaveInfo ReadWaveInfo(const CString& strPath, const CSettings& settings)
{
    WaveInfo info;
    info.strPath = strPath;
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyNone)) {
        info.outcome = {WaveReadError::CannotOpen, 0, file.GetSystemError()};
        return info;
    }
    info.outcome = ReadWaveHeader(file, info.header);
    const std::optional<DWORD>& dwMask = info.header.format.dwChannelMask;
    for (const auto& pConfiguration : settings.m_aConfigurations) {
        if (dwMask && pConfiguration->m_dwChannelMask == *dwMask) {
            info.strConfiguration = pConfiguration->m_strName.str();
            break;
        }
    }
    return info;
}

bool MeasureWaveLevels(WaveInfo& info, IEngineHost& host)
{
    CFile file;
    CLevelAnalyzer analyzer(host);
    if (!file.Open(info.strPath, CFile::modeRead | CFile::shareDenyNone)) {
        info.eLevelError = LevelError::CannotRead;
        info.nLevelSystemError = file.GetSystemError();
        return false;
    }
    info.eLevelError = analyzer.Measure(file, info.header);
    info.nLevelSystemError = analyzer.m_nSystemError;
    if (info.eLevelError != LevelError::None)
        return false;
    info.levels = std::move(analyzer.m_report);
    return true;
}

std::string FormatWaveInfo(const WaveInfo& info)
{
    if (const std::string failure = DescribeFailure(info); !failure.empty())
        return failure + "\n";
    const WaveHeader& header = info.header;
    const WaveFormat& format = header.format;
    // The whole frames the file holds, as every program reads it.
    const auto nFrames = static_cast<unsigned long long>(header.nPresentBytes / FrameBytes(format));
    std::string text = info.strPath.str() + "\n";
    text += Line("container", ContainerName(header.eContainer));
    text += Line("format", DescribeSampleFormat(format.eKind, format.nBitsPerSample, format.nValidBitsPerSample).str() +
                               ", " + FormatTagSymbol(format.wFormatTag));
    text += Line("channels", std::to_string(format.nChannels));
    text += Line("sample rate", std::to_string(format.nSampleRate) + " Hz");
    text += Line("frames", Format("%llu (%.3f s)", nFrames, static_cast<double>(nFrames) / format.nSampleRate));
    if (format.dwChannelMask) {
        const std::string names = JoinNames(SpeakerNames(*format.dwChannelMask));
        text += Line("channel mask",
                     Format("0x%X  ", static_cast<unsigned>(*format.dwChannelMask)) + (names.empty() ? "none" : names));
    } else {
        text += Line("channel mask", "none (a plain \"fmt \" chunk)");
    }
    text += Line("configuration", info.strConfiguration.value_or("none"));
    std::string chunks;
    for (const WaveChunk& chunk : header.chunks)
        chunks += (chunks.empty() ? "\"" : ", \"") + ChunkIdText(chunk.id) + "\" " + std::to_string(chunk.nSize);
    if (header.nUnlistedChunks > 0)
        chunks += Format(", and %llu more", static_cast<unsigned long long>(header.nUnlistedChunks));
    text += Line("chunks", chunks);
    if (info.levels)
        text += FormatLevels(*info.levels);
    return text;
}

std::string FormatWaveInfoJson(const WaveInfo& info)
{
    std::string json = "{\"file\": " + JsonString(info.strPath.str());
    if (const std::string failure = DescribeFailure(info); !failure.empty())
        return json + ", \"error\": " + JsonString(failure) + "}\n";
    const WaveHeader& header = info.header;
    const WaveFormat& format = header.format;
    const auto nFrames = static_cast<unsigned long long>(header.nPresentBytes / FrameBytes(format));
    json += ", \"container\": " + JsonString(ContainerName(header.eContainer));
    json += Format(", \"formatTag\": %u", static_cast<unsigned>(format.wFormatTag));
    json += Format(", \"sampleFormat\": \"%s\"", format.eKind == SampleKind::Float ? "float" : "PCM");
    json += Format(", \"bitsPerSample\": %u, \"validBitsPerSample\": %u", static_cast<unsigned>(format.nBitsPerSample),
                   static_cast<unsigned>(format.nValidBitsPerSample));
    json += Format(", \"channels\": %u, \"sampleRate\": %u", static_cast<unsigned>(format.nChannels),
                   static_cast<unsigned>(format.nSampleRate));
    json += Format(", \"frames\": %llu, \"seconds\": %.6f", nFrames, static_cast<double>(nFrames) / format.nSampleRate);
    json += Format(", \"dataBytes\": %llu, \"presentBytes\": %llu", static_cast<unsigned long long>(header.nDataBytes),
                   static_cast<unsigned long long>(header.nPresentBytes));
    std::string speakers;
    if (format.dwChannelMask) {
        json += Format(", \"channelMask\": %u", static_cast<unsigned>(*format.dwChannelMask));
        for (const std::string& name : SpeakerNames(*format.dwChannelMask))
            speakers += (speakers.empty() ? "" : ", ") + JsonString(name);
    } else {
        json += ", \"channelMask\": null";
    }
    json += ", \"speakers\": [" + speakers + "]";
    json += ", \"configuration\": " + (info.strConfiguration ? JsonString(*info.strConfiguration) : "null");
    std::string chunks;
    for (const WaveChunk& chunk : header.chunks) {
        chunks += (chunks.empty() ? "{\"id\": " : ", {\"id\": ") + JsonString(ChunkIdText(chunk.id)) +
                  Format(", \"offset\": %llu, \"size\": %llu}", static_cast<unsigned long long>(chunk.nOffset),
                         static_cast<unsigned long long>(chunk.nSize));
    }
    json += ", \"chunks\": [" + chunks + "]";
    json += Format(", \"moreChunks\": %llu", static_cast<unsigned long long>(header.nUnlistedChunks));
    if (info.levels)
        json += ", \"levels\": " + FormatLevelsJson(*info.levels);
    return json + "}\n";
}
