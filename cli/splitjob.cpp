#include "cli/splitjob.h"

#include <cstdio>
#include <string>
#include <vector>

#include "cli/configurationchoice.h"
#include "cli/terminalhost.h"
#include "layout/stemset.h"
#include "merge/sampleformat.h"
#include "merge/splitengine.h"
#include "core/fileexists.h"

namespace {

std::vector<CString> StemPaths(const CStemSet& set)
{
    std::vector<CString> stems;
    for (int r = 0; r < set.GetRowCount(); ++r)
        stems.push_back(set.GetFile(r));
    return stems;
}

// Nothing may be written while two stems share a name or a stem would be
// the file itself; without -f, nor while a stem exists already. All of the
// stems that exist are named in one message.
bool CheckStemNames(const CSplitEngine& engine, const CStemSet& set, bool bForce)
{
    if (const auto rows = set.FindRowsWithSameFile()) {
        std::fprintf(stderr, "%s\n", set.FormatRowsWithSameFile(rows->first, rows->second).GetString());
        return false;
    }
    std::vector<CString> existing;
    for (const CString& strStem : StemPaths(set)) {
        if (engine.IsInput(strStem)) {
            std::fprintf(stderr, "The stem '%s' is the file being split.\n", strStem.GetString());
            return false;
        }
        if (FileExists(strStem))
            existing.push_back(strStem);
    }
    if (bForce || existing.empty())
        return true;
    std::fputs("These stems exist already (-f replaces them):\n", stderr);
    for (const CString& strStem : existing)
        std::fprintf(stderr, "%s\n", strStem.GetString());
    return false;
}

// The line after the engine's message: the reader's reason, what the
// system said about the file or the stem that failed.
void PrintReasons(const CSplitEngine& engine, const SplitResult& result, const std::vector<CString>& stems)
{
    if (!result.read.Succeeded())
        std::fprintf(stderr, "%s\n", DescribeWaveReadOutcome(engine.GetInputPath(), result.read).GetString());
    else if (result.nReadError)
        std::fprintf(stderr, "%s\n", DescribeSampleReadError(engine.GetInputPath(), *result.nReadError).GetString());
    if (result.nStem && result.output.eError != OutputError::None)
        std::fprintf(stderr, "%s\n", DescribeOutputOutcome(stems[*result.nStem], result.output).GetString());
}

// What was not split although the file's header speaks of it, or what the
// reader made something of: the reader's warnings, and a part of a frame at
// the end of the data.
void WarnOfBytesLeftOut(const CSplitEngine& engine)
{
    const WaveHeader& header = engine.GetHeader();
    const char* pszPath = engine.GetInputPath().GetString();
    for (const WaveWarning& warning : header.warnings)
        std::fprintf(stderr, "%s\n", DescribeWaveWarning(engine.GetInputPath(), warning).GetString());
    const ULONGLONG nSplitBytes =
        engine.GetFrameCount() * header.format.nChannels * (header.format.nBitsPerSample / 8u);
    if (nSplitBytes < header.nPresentBytes) {
        const auto nLeftOut = static_cast<unsigned long long>(header.nPresentBytes - nSplitBytes);
        std::fprintf(stderr, "plexora-split: the last %llu byte%s of '%s' %s a part of a frame; %s left out.\n",
                     nLeftOut, nLeftOut == 1 ? "" : "s", pszPath, nLeftOut == 1 ? "is" : "are",
                     nLeftOut == 1 ? "it was" : "they were");
    }
}

std::string DescribeSource(const SplitChannels& channels)
{
    char szSource[64];
    switch (channels.eSource) {
    case SplitChannelSource::FileMask:
        std::snprintf(szSource, sizeof szSource, "the speakers of its channel mask 0x%X",
                      static_cast<unsigned>(channels.dwChannelMask));
        return szSource;
    case SplitChannelSource::Configuration:
        return "the speakers of the configuration '" + channels.pConfiguration->m_strName.str() + "'";
    case SplitChannelSource::Mono:
        break;
    }
    return "Front Center for its one channel";
}

void PrintSummary(const CSplitEngine& engine, const SplitChannels& channels, const std::vector<CString>& stems)
{
    const WaveFormat& format = engine.GetHeader().format;
    const unsigned long long nFrames = engine.GetFrameCount();
    std::printf("Split '%s': %u channel%s, %lu Hz, %s, %llu frame%s (%.2f s), %s, into ",
                engine.GetInputPath().GetString(), static_cast<unsigned>(format.nChannels),
                format.nChannels == 1 ? "" : "s",
                static_cast<unsigned long>(format.nSampleRate),
                DescribeSampleFormat(format.eKind, format.nBitsPerSample, format.nValidBitsPerSample).GetString(),
                nFrames, nFrames == 1 ? "" : "s", static_cast<double>(nFrames) / format.nSampleRate,
                DescribeSource(channels).c_str());
    for (size_t k = 0; k < stems.size(); ++k)
        std::printf("%s'%s'", k > 0 ? ", " : "", stems[k].GetString());
    std::printf(".\n");
    std::fflush(stdout);
}

// The speaker of every channel and the name of its stem, checked. False,
// with the program's own line, when the channels cannot be named or the
// stems not written under those names.
bool NameStems(const CSplitEngine& engine, const SplitJob& job, const CSettings& settings, SplitChannels& channels,
               std::vector<CString>& stems)
{
    const WaveFormat& format = engine.GetHeader().format;
    std::string strError;
    if (!ChooseSplitChannels(format.dwChannelMask, format.nChannels, job.pConfiguration, settings, channels,
                             strError)) {
        std::fprintf(stderr, "plexora-split: '%s' %s.\n", job.strFile.GetString(), strError.c_str());
        return false;
    }
    // Tagged stems of an empty base name would be ".L.wav" ..., which no set
    // is read from.
    if (job.tagSeparator &&
        GetSplitBaseName(job.strFile, channels.dwChannelMask, settings.m_aConfigurations, job.tagSeparator).IsEmpty()) {
        std::fprintf(stderr, "plexora-split: '%s' leaves no base name to put before the channel tags; rename it, or "
                     "split it without -t.\n", job.strFile.GetString());
        return false;
    }
    CStemSet set(channels.dwChannelMask, settings.m_strSuffixes);
    set.NameSplitStems(job.strFile, job.strFolder, settings.m_aConfigurations, job.tagSeparator);
    if (!CheckStemNames(engine, set, job.bForce))
        return false;
    stems = StemPaths(set);
    return true;
}

}  // namespace

bool RunSplitJob(const SplitJob& job, const CSettings& settings)
{
    CSplitHost host(job.bQuiet);
    CSplitEngine engine(host);
    SplitChannels channels;
    std::vector<CString> stems;
    SplitResult result = engine.ReadInput(job.strFile);
    const bool bNamed = result.Succeeded() && NameStems(engine, job, settings, channels, stems);
    if (bNamed)
        result = engine.SplitInput(stems);
    if (bNamed && result.Succeeded()) {
        WarnOfBytesLeftOut(engine);
        if (!job.bQuiet)
            PrintSummary(engine, channels, stems);
        return true;
    }
    if (host.IsInterrupted())
        std::fprintf(stderr, "plexora-split: interrupted; '%s' was not split.\n", job.strFile.GetString());
    else
        PrintReasons(engine, result, stems);
    return false;
}
