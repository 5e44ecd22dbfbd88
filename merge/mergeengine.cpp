#include "merge/mergeengine.h"

#include <cstring>
#include <new>

#include "merge/interleave.h"
#include "merge/outputheader.h"
#include "merge/sampleformat.h"

namespace {

// Far beyond any description and coding history; a larger one is not carried.
constexpr ULONGLONG kMaxCarriedBextBytes = 1 << 20;

constexpr const char* kCannotWriteData = "Unable to process: can't write output data.";

bool HasSameSampleFormat(const CInputWave& input, const CInputWave& first)
{
    return input.m_nBitsPerSample == first.m_nBitsPerSample && input.m_eSampleKind == first.m_eSampleKind &&
           input.m_nValidBitsPerSample == first.m_nValidBitsPerSample;
}

}  // namespace

class CMergeEngine::MergeScope {
public:
    explicit MergeScope(CMergeEngine& engine) : m_engine(engine) {}
    MergeScope(const MergeScope&) = delete;
    MergeScope& operator=(const MergeScope&) = delete;
    ~MergeScope()
    {
        m_engine.CloseInputs();
        m_engine.m_pOutput->Discard();
        m_engine.FreeMergeBuffers();
    }

private:
    CMergeEngine& m_engine;
};

MergeResult CMergeEngine::Merge(const std::vector<CString>& inputPaths)
{
    m_result = {};
    m_inputs.clear();
    for (const CString& strPath : inputPaths) {
        m_inputs.push_back(std::make_unique<CInputWave>());
        m_inputs.back()->m_strPath = strPath;
    }
    MergeInputs();
    return m_result;
}

bool CMergeEngine::MergeInputs()
{
    // Without channels there is no format to write; refuse before asking
    // for a path.
    if (m_inputs.empty())
        return Fail(MergeOutcome::NoChannels, "Unable to process: the configuration has no channels.");
    if (!m_host.ChooseOutputPath(m_result.strOutputPath))
        return Fail(MergeOutcome::Declined, nullptr);

    const MergeScope scope(*this);
    if (!CheckInputs())
        return false;

    LayOutBlocks();

    // Known as soon as the inputs are: a check names the place of a
    // difference by it even when it ends the merge early.
    OutputFormat& format = m_result.format;
    if (!AllocateBuffers(format.bext))
        return Fail(MergeOutcome::NoMemory, "Unable to process: not enough memory.");
    if (!ReadCarriedBext(format.bext))
        return false;
    DescribeOutput(format);
    // No name of an input can be the output: it would be lost as it is read.
    std::vector<const CFile*> inputFiles;
    for (const auto& pInput : m_inputs)
        inputFiles.push_back(&pInput->m_file);
    if (!m_pOutput->Open(m_result.strOutputPath, inputFiles) || !WriteOutputHeader(*m_pOutput, format))
        return Fail(MergeOutcome::CannotWriteHeader, "Unable to process: can't write output header.");

    if (!CopyBlocks())
        return false;
    if (!WriteDataPad(*m_pOutput, format))
        return Fail(MergeOutcome::CannotWriteData, kCannotWriteData, FailureStage::InCopy);
    if (m_host.IsInterrupted())
        return Fail(MergeOutcome::Interrupted, nullptr, FailureStage::InCopy);
    CloseInputs();
    if (!m_pOutput->Commit())
        return Fail(MergeOutcome::CannotWriteData, kCannotWriteData, FailureStage::InCopy);
    m_host.SetProgressPos(0);
    ShowWarnings();
    return true;
}

CString CMergeEngine::DescribeInputFault() const
{
    if (!m_result.nInput)
        return {};
    const CInputWave& input = *m_inputs[*m_result.nInput];
    switch (m_result.eOutcome) {
    case MergeOutcome::CannotLoad:
        return DescribeWaveReadOutcome(input.m_strPath, m_result.read);
    case MergeOutcome::OtherRate:
    case MergeOutcome::OtherFormat:
        return DescribeDifference(input, *m_inputs.front());
    default:
        return {};
    }
}

bool CMergeEngine::HoldsResources() const
{
    for (const auto& pInput : m_inputs) {
        if (pInput->m_file.IsOpen() || pInput->m_block.capacity() > 0)
            return true;
    }
    return m_interleaved.capacity() > 0 || m_fileOutput.IsOpen();
}

// What the reader made of an input that was merged all the same: a line each,
// once the merge is done, so that a failed merge still shows one message.
void CMergeEngine::ShowWarnings()
{
    for (const auto& pInput : m_inputs) {
        for (const WaveWarning& warning : pInput->m_warnings)
            m_host.ShowMessage(DescribeWaveWarning(pInput->m_strPath, warning));
    }
}

// Blocks of whole samples of the inputs' format: 102400 bytes, 102399 of
// 24-bit samples; and what their silence is.
void CMergeEngine::LayOutBlocks()
{
    const CInputWave& first = *m_inputs[0];
    m_nSampleBytes = first.m_nBitsPerSample / 8u;
    m_nBlockBytes = GetBlockBytes(m_nSampleBytes);
    m_nSilence = GetSilenceByte(first.m_eSampleKind, first.m_nBitsPerSample);
}

// The output has the inputs' format, the host's mask and header style.
void CMergeEngine::DescribeOutput(OutputFormat& format)
{
    const CInputWave& first = *m_inputs[0];
    format.nChannels = static_cast<WORD>(m_inputs.size());
    format.nSampleRate = first.m_nSampleRate;
    format.nBitsPerSample = first.m_nBitsPerSample;
    format.eKind = first.m_eSampleKind;
    format.nValidBitsPerSample = first.m_nValidBitsPerSample;
    format.nDataBytes = m_nMaxDataBytes;
    format.dwChannelMask = m_host.GetChannelMask();
    format.bNoExtensible = m_host.GetNoExtensible();
}

// Records how the merge ended and shows its one message, unless the program
// was asked to end; the scope then closes and releases what the merge holds.
bool CMergeEngine::Fail(MergeOutcome eOutcome, const char* pszMessage, FailureStage eStage)
{
    m_result.eOutcome = eOutcome;
    if (eOutcome == MergeOutcome::CannotWriteHeader || eOutcome == MergeOutcome::CannotWriteData)
        m_result.output = m_fileOutput.Outcome();
    ReportFailure(m_host, pszMessage, eStage);
    return false;
}

bool CMergeEngine::FailRead(std::size_t nInput, FailureStage eStage)
{
    const CInputWave& input = *m_inputs[nInput];
    m_result.nInput = nInput;
    if (input.m_file.HasFailed())
        m_result.nReadError = input.m_file.GetSystemError();
    CString strMessage;
    strMessage.Format("Unable to process:\nFile '%s' can't be read.", input.m_strPath.GetString());
    return Fail(MergeOutcome::CannotRead, strMessage, eStage);
}

// The first input sets the sample rate and sample format (bits, valid bits,
// PCM or float) that all others must have; the first failing check shows
// its message and ends the checking.
bool CMergeEngine::CheckInputs()
{
    m_nMaxDataBytes = 0;
    const CInputWave& first = *m_inputs[0];
    for (std::size_t k = 0; k < m_inputs.size(); ++k) {
        CInputWave& input = *m_inputs[k];
        const char* pszPath = input.m_strPath.GetString();
        CString strMessage;
        MergeOutcome eOutcome = MergeOutcome::Merged;
        if (!input.ReadInputHeader()) {
            // "Enable", not "Unable": the program's own words since its first
            // version, which users and their scripts know.
            strMessage.Format("Enable to process:\nFile '%s' can't be loaded.", pszPath);
            eOutcome = MergeOutcome::CannotLoad;
            m_result.read = input.m_readOutcome;
        } else if (k > 0 && first.m_nSampleRate != input.m_nSampleRate) {
            strMessage.Format("Unable to process:\nFile '%s' has not the same sample rate.", pszPath);
            eOutcome = MergeOutcome::OtherRate;
        } else if (k > 0 && !HasSameSampleFormat(input, first)) {
            strMessage.Format("Unable to process:\nFile '%s' has not the same bit depth.", pszPath);
            eOutcome = MergeOutcome::OtherFormat;
        }
        if (eOutcome != MergeOutcome::Merged) {
            m_result.nInput = k;
            return Fail(eOutcome, strMessage);
        }
        if (input.m_nDataBytes > m_nMaxDataBytes)
            m_nMaxDataBytes = input.m_nDataBytes;
    }
    return true;
}

// All memory of the merge, obtained before the output is touched; the
// first allocation that fails ends it. Room for a carried "bext" chunk too.
bool CMergeEngine::AllocateBuffers(std::vector<BYTE>& bext)
{
    const CInputWave& first = *m_inputs[0];
    try {
        for (const auto& pInput : m_inputs)
            pInput->m_block.resize(kMergeBlockBytes + kInterleaveSlackBytes);
        m_interleaved.resize(m_inputs.size() * kMergeBlockBytes + kInterleaveSlackBytes);
        if (m_host.GetCarryBext() && first.m_bextChunk && first.m_bextChunk->nSize <= kMaxCarriedBextBytes)
            bext.resize(first.m_bextChunk->nSize);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// The first input's "bext" chunk, read into bext (sized already) when the
// host carries it. An input without one gives an output without one.
bool CMergeEngine::ReadCarriedBext(std::vector<BYTE>& bext)
{
    CInputWave& first = *m_inputs[0];
    if (!m_host.GetCarryBext() || !first.m_bextChunk)
        return true;
    if (first.m_bextChunk->nSize > kMaxCarriedBextBytes) {
        CString strMessage;
        strMessage.Format("Unable to process:\nFile '%s' has a \"bext\" chunk too large to carry.",
                          first.m_strPath.GetString());
        m_result.nInput = 0;
        return Fail(MergeOutcome::BextTooLarge, strMessage);
    }
    const auto lContents = static_cast<LONGLONG>(first.m_bextChunk->nOffset + 8);
    const LONGLONG lDataStart = first.m_file.Seek(0, CFile::current);
    const auto nBytes = static_cast<UINT>(bext.size());
    if (lDataStart < 0 || first.m_file.Seek(lContents, CFile::begin) != lContents ||
        first.m_file.Read(bext.data(), nBytes) != nBytes || first.m_file.Seek(lDataStart, CFile::begin) != lDataStart)
        return FailRead(0, FailureStage::BeforeCopy);
    return true;
}

bool CMergeEngine::CopyBlocks()
{
    const auto nBlocks = static_cast<UINT>(m_nMaxDataBytes / m_nBlockBytes + 1);
    const ULONGLONG count = m_inputs.size();
    std::vector<const BYTE*> blocks;
    for (const auto& pInput : m_inputs)
        blocks.push_back(pInput->m_block.data());
    m_host.SetProgressRange(nBlocks);
    ULONGLONG done = 0;
    for (UINT b = 0; b < nBlocks; ++b) {
        if (m_host.IsInterrupted())
            return Fail(MergeOutcome::Interrupted, nullptr, FailureStage::InCopy);
        for (std::size_t k = 0; k < m_inputs.size(); ++k) {
            if (!FillBlock(*m_inputs[k], done))
                return FailRead(k, FailureStage::InCopy);
        }
        InterleaveBlocks(m_interleaved.data(), blocks, m_nSampleBytes, m_nBlockBytes / m_nSampleBytes);
        const UINT nBytesPerChannel = BlockPart(m_nMaxDataBytes, done, m_nBlockBytes);
        if (!m_pOutput->Write(m_interleaved.data(), static_cast<UINT>(nBytesPerChannel * count)))
            return Fail(MergeOutcome::CannotWriteData, kCannotWriteData, FailureStage::InCopy);
        done += m_nBlockBytes;
        m_host.SetProgressPos(b + 1);
    }
    return true;
}

// Reads what is left of the input's data, at most one block, and fills the
// rest of the block with silence. The file held all of it when its header
// was read: a read error, or a file that shrank since, gives false.
bool CMergeEngine::FillBlock(CInputWave& input, ULONGLONG done)
{
    const UINT nWanted = BlockPart(input.m_nDataBytes, done, m_nBlockBytes);
    BYTE* pBlock = input.m_block.data();
    const UINT nRead = nWanted > 0 ? input.m_file.Read(pBlock, nWanted) : 0;
    std::memset(pBlock + nRead, m_nSilence, m_nBlockBytes - nRead);
    return !input.m_file.HasFailed() && nRead == nWanted;
}

void CMergeEngine::CloseInputs()
{
    for (const auto& pInput : m_inputs)
        pInput->m_file.Close();
}

void CMergeEngine::FreeMergeBuffers()
{
    for (const auto& pInput : m_inputs)
        pInput->m_block = std::vector<BYTE>();
    m_interleaved = std::vector<BYTE>();
}
