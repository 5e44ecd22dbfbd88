#include "analysis/levelanalyzer.h"

#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

#include "analysis/channelpairs.h"
#include "analysis/channelspeakers.h"
#include "analysis/levelwarning.h"
#include "analysis/sampledecoder.h"
#include "layout/speakerposition.h"

namespace {

// Frames read and measured at a time: at most 1.5 MB a channel (the file's
// bytes, then doubles twice). Every block ends with all its tasks done, so
// fewer and larger blocks keep a core that is busy elsewhere from holding up
// the others as often.
constexpr size_t kBlockFrames = 65536;

// Runs task(0) ... task(nTasks - 1) on every core, each task once, the
// largest first as numbered; returns when all are done. Without threads the
// calling one does them all.
void RunTasks(size_t nTasks, const std::function<void(size_t)>& task)
{
    std::atomic<size_t> next = 0;
    const auto work = [&] {
        for (size_t i = next++; i < nTasks; i = next++)
            task(i);
    };
    std::vector<std::jthread> others;
    const size_t nThreads = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), nTasks);
    try {
        while (others.size() + 1 < nThreads)
            others.emplace_back(work);
    } catch (const std::system_error&) {
    }
    work();
}

}  // namespace

LevelError CLevelAnalyzer::Measure(CFile& file, const WaveHeader& header)
{
    const WaveFormat& format = header.format;
    const CSampleDecoder decoder(format);
    const size_t nChannels = format.nChannels;
    const std::vector<int> speakers = GetChannelSpeakers(format);
    const ULONGLONG nFrames = header.nPresentBytes / decoder.GetFrameBytes();

    std::vector<std::unique_ptr<CChannelMeter>> meters;
    std::vector<int> kinds;
    std::vector<std::vector<double>> planar;
    std::vector<double> interleaved;
    std::vector<BYTE> raw;
    try {
        for (size_t k = 0; k < nChannels; ++k) {
            const HighBand eHighBand = speakers[k] == kLowFrequency ? HighBand::Measured : HighBand::Ignored;
            meters.push_back(std::make_unique<CChannelMeter>(format.nSampleRate, decoder.GetLargest(),
                                                             decoder.GetSmallest(), eHighBand));
            kinds.push_back(GetLoudnessChannelKind(speakers, k));
            planar.emplace_back(kBlockFrames);
        }
        interleaved.resize(nChannels * kBlockFrames);
        raw.resize(decoder.GetFrameBytes() * kBlockFrames);
    } catch (const std::bad_alloc&) {
        return LevelError::NoMemory;
    }
    CLoudnessMeter loudness(format.nSampleRate, kinds);
    if (!loudness.IsReady())
        return LevelError::NoMemory;
    CChannelPairs pairs(nChannels);
    std::vector<double*> planarData;
    for (std::vector<double>& samples : planar)
        planarData.push_back(samples.data());
    const std::vector<const double*> planarInput(planarData.begin(), planarData.end());

    if (file.Seek(static_cast<LONGLONG>(header.nDataStart), CFile::begin) != static_cast<LONGLONG>(header.nDataStart)) {
        m_nSystemError = file.GetSystemError();
        return LevelError::CannotRead;
    }
    const auto nBlocks = static_cast<UINT>((nFrames + kBlockFrames - 1) / kBlockFrames);
    m_host.SetProgressRange(nBlocks);
    ULONGLONG done = 0;
    for (UINT b = 0; b < nBlocks; ++b) {
        if (m_host.IsInterrupted()) {
            m_host.SetProgressPos(0);
            return LevelError::Interrupted;
        }
        const size_t nBlock = static_cast<size_t>(std::min<ULONGLONG>(kBlockFrames, nFrames - done));
        const auto nBytes = static_cast<UINT>(nBlock * decoder.GetFrameBytes());
        // The file held these bytes when its header was read; fewer now is
        // a file that shrank or failed.
        if (file.Read(raw.data(), nBytes) != nBytes) {
            m_nSystemError = file.GetSystemError();
            m_host.SetProgressPos(0);
            return LevelError::CannotRead;
        }
        decoder.Decode(raw.data(), nBlock, planarData);
        // Task 0 is the loudness of the sum and the comparison of pairs; the
        // others are a channel each.
        RunTasks(nChannels + 1, [&](size_t nTask) {
            if (nTask > 0) {
                meters[nTask - 1]->Add(planarData[nTask - 1], nBlock);
                return;
            }
            for (size_t f = 0; f < nBlock; ++f) {
                for (size_t k = 0; k < nChannels; ++k)
                    interleaved[f * nChannels + k] = planarData[k][f];
            }
            loudness.Add(interleaved.data(), nBlock);
            pairs.Add(planarInput, nBlock);
        });
        done += nBlock;
        m_host.SetProgressPos(b + 1);
    }
    m_host.SetProgressPos(0);

    m_report = {};
    for (size_t k = 0; k < nChannels; ++k) {
        m_report.names.push_back(GetChannelName(speakers, k));
        m_report.channels.push_back(meters[k]->GetLevels());
    }
    m_report.loudness = loudness.GetLevels();
    for (const LevelWarning& warning : FindLevelWarnings(m_report.channels, pairs.GetPairs()))
        m_report.warnings.push_back(DescribeLevelWarning(warning, m_report.names, m_report.channels));
    return LevelError::None;
}
