#include "merge/splitengine.h"

#include <new>

#include "merge/channelblock.h"
#include "merge/interleave.h"
#include "merge/outputheader.h"

class CSplitEngine::SplitScope {
public:
    explicit SplitScope(CSplitEngine& engine) : m_engine(engine) {}
    SplitScope(const SplitScope&) = delete;
    SplitScope& operator=(const SplitScope&) = delete;
    ~SplitScope()
    {
        m_engine.m_fileInput.Close();
        for (const auto& pStem : m_engine.m_stems)
            pStem->Discard();
        m_engine.FreeSplitBuffers();
    }

private:
    CSplitEngine& m_engine;
};

SplitResult CSplitEngine::ReadInput(const CString& strPath)
{
    m_strInputPath = strPath;
    m_result = {};
    if (!m_fileInput.Open(strPath, CFile::modeRead | CFile::shareDenyWrite))
        m_result.read = {WaveReadError::CannotOpen, 0, m_fileInput.GetSystemError()};
    else
        m_result.read = ReadWaveHeader(m_fileInput, m_header);
    if (m_result.read.Succeeded())
        return m_result;
    m_fileInput.Close();
    CString strMessage;
    strMessage.Format("Unable to split:\nFile '%s' can't be loaded.", strPath.GetString());
    Fail(SplitOutcome::CannotLoad, strMessage);
    return m_result;
}

bool CSplitEngine::IsInput(const CString& strPath) const
{
    return m_fileInput.IsSameFileAs(strPath);
}

ULONGLONG CSplitEngine::GetFrameCount() const
{
    const WaveFormat& format = m_header.format;
    const ULONGLONG nFrameBytes = static_cast<ULONGLONG>(format.nChannels) * (format.nBitsPerSample / 8u);
    return nFrameBytes > 0 ? m_header.nPresentBytes / nFrameBytes : 0;
}

SplitResult CSplitEngine::SplitInput(const std::vector<CString>& stemPaths)
{
    m_result = {};
    WriteStems(stemPaths);
    return m_result;
}

bool CSplitEngine::WriteStems(const std::vector<CString>& stemPaths)
{
    const SplitScope scope(*this);
    m_stems.clear();
    m_nSampleBytes = m_header.format.nBitsPerSample / 8u;
    m_nBlockBytes = GetBlockBytes(m_nSampleBytes);
    if (!AllocateBuffers())
        return Fail(SplitOutcome::NoMemory, "Unable to split: not enough memory.");
    if (!OpenStems(stemPaths) || !CopyBlocks())
        return false;
    if (m_host.IsInterrupted())
        return Fail(SplitOutcome::Interrupted, nullptr, FailureStage::InCopy);
    m_fileInput.Close();
    if (!CommitStems())
        return false;
    m_host.SetProgressPos(0);
    return true;
}

// All memory of the split, obtained before any stem is touched.
bool CSplitEngine::AllocateBuffers()
{
    const size_t nChannels = m_header.format.nChannels;
    try {
        m_frames.resize(nChannels * m_nBlockBytes + kInterleaveSlackBytes);
        m_blocks.resize(nChannels);
        for (std::vector<BYTE>& block : m_blocks)
            block.resize(m_nBlockBytes + kInterleaveSlackBytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Every stem is opened and given its header before the first sample is
// copied, so that a name that cannot be written stops the split early. No
// stem can be the input: it would be lost as it is read.
bool CSplitEngine::OpenStems(const std::vector<CString>& stemPaths)
{
    const OutputFormat format = GetStemFormat();
    const CFile* const input[] = {&m_fileInput};
    for (size_t k = 0; k < stemPaths.size(); ++k) {
        m_stems.push_back(std::make_unique<COutputFile>());
        if (!m_stems[k]->Open(stemPaths[k], input) || !WriteOutputHeader(*m_stems[k], format))
            return FailStem(SplitOutcome::CannotWriteHeader, k, "Unable to split: can't write output header.",
                            FailureStage::BeforeCopy);
    }
    return true;
}

// Every stem has the input's format, one channel and a plain header.
OutputFormat CSplitEngine::GetStemFormat() const
{
    OutputFormat format;
    format.nChannels = 1;
    format.nSampleRate = m_header.format.nSampleRate;
    format.nBitsPerSample = m_header.format.nBitsPerSample;
    format.eKind = m_header.format.eKind;
    format.nDataBytes = GetFrameCount() * m_nSampleBytes;
    format.bNoExtensible = true;
    return format;
}

bool CSplitEngine::CopyBlocks()
{
    const ULONGLONG nStemBytes = GetFrameCount() * m_nSampleBytes;
    const auto nBlocks = static_cast<UINT>(nStemBytes / m_nBlockBytes + 1);
    std::vector<BYTE*> blocks;
    for (std::vector<BYTE>& block : m_blocks)
        blocks.push_back(block.data());
    m_host.SetProgressRange(nBlocks);
    ULONGLONG done = 0;
    for (UINT b = 0; b < nBlocks; ++b) {
        if (m_host.IsInterrupted())
            return Fail(SplitOutcome::Interrupted, nullptr, FailureStage::InCopy);
        const UINT nPart = BlockPart(nStemBytes, done, m_nBlockBytes);
        const UINT nFrameBytes = nPart * m_header.format.nChannels;
        // The file held these bytes when its header was read; fewer now is
        // a file that shrank or failed.
        if (m_fileInput.Read(m_frames.data(), nFrameBytes) != nFrameBytes) {
            if (m_fileInput.HasFailed())
                m_result.nReadError = m_fileInput.GetSystemError();
            CString strMessage;
            strMessage.Format("Unable to split:\nFile '%s' can't be read.", m_strInputPath.GetString());
            return Fail(SplitOutcome::CannotRead, strMessage, FailureStage::InCopy);
        }
        DeinterleaveFrames(m_frames.data(), blocks, m_nSampleBytes, nPart / m_nSampleBytes);
        for (size_t k = 0; k < m_stems.size(); ++k) {
            if (!m_stems[k]->Write(m_blocks[k].data(), nPart))
                return FailStem(SplitOutcome::CannotWriteData, k, "Unable to split: can't write output data.",
                                FailureStage::InCopy);
        }
        done += m_nBlockBytes;
        m_host.SetProgressPos(b + 1);
    }
    for (size_t k = 0; k < m_stems.size(); ++k) {
        if (!WriteDataPad(*m_stems[k], GetStemFormat()))
            return FailStem(SplitOutcome::CannotWriteData, k, "Unable to split: can't write output data.",
                                FailureStage::InCopy);
    }
    return true;
}

// One after the other, in channel order, once every sample is written, as
// one set: a stem that cannot be put in place (a close or a rename that
// fails) puts back the old stems of those before it, or removes them where
// there were none, and the scope discards the rest.
bool CSplitEngine::CommitStems()
{
    for (size_t k = 0; k < m_stems.size(); ++k) {
        if (!m_stems[k]->CommitKeepingOld()) {
            for (size_t j = k; j-- > 0;)
                m_stems[j]->Revert();
            return FailStem(SplitOutcome::CannotWriteData, k, "Unable to split: can't write output data.",
                                FailureStage::InCopy);
        }
    }
    for (const auto& pStem : m_stems)
        pStem->DropOld();
    return true;
}

void CSplitEngine::FreeSplitBuffers()
{
    m_frames = std::vector<BYTE>();
    m_blocks = std::vector<std::vector<BYTE>>();
}

// Records how the split ended and shows its one message, unless the
// program was asked to end; the scope then closes and releases what the
// split holds.
bool CSplitEngine::Fail(SplitOutcome eOutcome, const char* pszMessage, FailureStage eStage)
{
    m_result.eOutcome = eOutcome;
    ReportFailure(m_host, pszMessage, eStage);
    return false;
}

bool CSplitEngine::FailStem(SplitOutcome eOutcome, std::size_t nStem, const char* pszMessage, FailureStage eStage)
{
    m_result.nStem = nStem;
    m_result.output = m_stems[nStem]->Outcome();
    return Fail(eOutcome, pszMessage, eStage);
}
