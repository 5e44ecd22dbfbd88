#include "merge/mergeengine.h"

#include <cstring>
#include <new>

#include "merge/interleave.h"
#include "merge/outputheader.h"
#include "merge/sampleformat.h"

namespace {

// Far beyond any description and coding history; a larger one is not carried.
constexpr ULONGLONG kMaxCarriedBextBytes = 1 << 20;

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

void CMergeEngine::ResetMergeState()
{
    m_nSampleRate = -1;
    m_nBitsPerSample = -1;
    m_nOtherFormatInput = -1;
    m_interleaved = std::vector<BYTE>();
}

bool CMergeEngine::MergeInputs()
{
    // Without channels there is no format to write; refuse before asking
    // for a path.
    if (m_aInputs.empty())
        return Fail("Unable to process: the configuration has no channels.");
    if (!m_host.ChooseOutputPath(m_strOutputPath))
        return false;

    const MergeScope scope(*this);
    ResetMergeState();
    m_dwMaxDataBytes = 0;
    if (!CheckInputs())
        return false;
    for (CInputWave* pInput : m_aInputs) {
        if (pInput->m_dwDataBytes < m_dwMaxDataBytes)
            pInput->m_dwPadBytes = m_dwMaxDataBytes - pInput->m_dwDataBytes;
    }

    LayOutBlocks();

    OutputFormat format;
    if (!AllocateBuffers(format.bext))
        return Fail("Unable to process: not enough memory.");
    if (!ReadCarriedBext(format.bext))
        return false;
    DescribeOutput(format);
    // No name of an input can be the output: it would be lost as it is read.
    std::vector<const CFile*> inputFiles;
    for (const CInputWave* pInput : m_aInputs)
        inputFiles.push_back(&pInput->m_file);
    if (!m_pOutput->Open(m_strOutputPath, inputFiles) || !WriteOutputHeader(*m_pOutput, format))
        return Fail("Unable to process: can't write output header.");

    if (!CopyBlocks())
        return false;
    if (!WriteDataPad(*m_pOutput, format))
        return FailCopy("Unable to process: can't write output data.");
    if (m_host.IsInterrupted())
        return FailCopy(nullptr);
    CloseInputs();
    if (!m_pOutput->Commit())
        return FailCopy("Unable to process: can't write output data.");
    m_host.SetProgressPos(0);
    ShowWarnings();
    return true;
}

// What the reader made of an input that was merged all the same: a line each,
// once the merge is done, so that a failed merge still shows one message.
void CMergeEngine::ShowWarnings()
{
    for (const CInputWave* pInput : m_aInputs) {
        for (const WaveWarning& warning : pInput->m_warnings)
            m_host.ShowMessage(DescribeWaveWarning(pInput->m_strPath, warning));
    }
}

// Blocks of whole samples of the inputs' format: 102400 bytes, 102399 of
// 24-bit samples; and what their silence is.
void CMergeEngine::LayOutBlocks()
{
    const CInputWave& first = *m_aInputs[0];
    m_nSampleBytes = first.m_nBitsPerSample / 8u;
    m_nBlockBytes = GetBlockBytes(m_nSampleBytes);
    m_nSilence = GetSilenceByte(first.m_eSampleKind, first.m_nBitsPerSample);
}

// The output has the inputs' format, the host's mask and header style.
void CMergeEngine::DescribeOutput(OutputFormat& format)
{
    const CInputWave& first = *m_aInputs[0];
    format.nChannels = static_cast<WORD>(m_aInputs.size());
    format.nSampleRate = static_cast<DWORD>(m_nSampleRate);
    format.nBitsPerSample = static_cast<WORD>(m_nBitsPerSample);
    format.eKind = first.m_eSampleKind;
    format.nValidBitsPerSample = first.m_nValidBitsPerSample;
    format.dwDataBytes = m_dwMaxDataBytes;
    format.dwChannelMask = m_host.GetChannelMask();
    format.bNoExtensible = m_host.GetNoExtensible();
}

// Shows the one message of a failed merge, unless the program was asked to
// end; the scope then closes and releases what the merge holds.
bool CMergeEngine::Fail(const char* pszMessage)
{
    if (pszMessage != nullptr && !m_host.IsInterrupted())
        m_host.ShowMessage(pszMessage);
    return false;
}

// A failure once the blocks are being copied also takes the progress back.
bool CMergeEngine::FailCopy(const char* pszMessage)
{
    m_host.SetProgressPos(0);
    return Fail(pszMessage);
}

// The first input sets the sample rate and sample format (bits, valid bits,
// PCM or float) that all others must have; the first failing check shows
// its message and ends the checking.
bool CMergeEngine::CheckInputs()
{
    for (size_t k = 0; k < m_aInputs.size(); ++k) {
        CInputWave& input = *m_aInputs[k];
        const char* pszPath = input.m_strPath.GetString();
        CString strMessage;
        if (!input.ReadInputHeader())
            strMessage.Format("Enable to process:\nFile '%s' can't be loaded.", pszPath);
        else if (input.m_nChannels != 1)
            strMessage.Format("Unable to process:\nFile '%s' has more than one channel.", pszPath);
        else if (k > 0 && static_cast<DWORD>(m_nSampleRate) != input.m_nSampleRate) {
            strMessage.Format("Unable to process:\nFile '%s' has not the same sample rate.", pszPath);
            m_nOtherFormatInput = static_cast<int>(k);
        } else if (k > 0 && !HasSameSampleFormat(input, *m_aInputs[0])) {
            strMessage.Format("Unable to process:\nFile '%s' has not the same bit depth.", pszPath);
            m_nOtherFormatInput = static_cast<int>(k);
        }
        if (!strMessage.IsEmpty())
            return Fail(strMessage);
        if (k == 0) {
            m_nSampleRate = static_cast<LONG>(input.m_nSampleRate);
            m_nBitsPerSample = static_cast<short>(input.m_nBitsPerSample);
        }
        if (input.m_dwDataBytes > m_dwMaxDataBytes)
            m_dwMaxDataBytes = input.m_dwDataBytes;
    }
    return true;
}

// All memory of the merge, obtained before the output is touched; the
// first allocation that fails ends it. Room for a carried "bext" chunk too.
bool CMergeEngine::AllocateBuffers(std::vector<BYTE>& bext)
{
    const CInputWave& first = *m_aInputs[0];
    try {
        for (CInputWave* pInput : m_aInputs)
            pInput->m_block.resize(kMergeBlockBytes + kInterleaveSlackBytes);
        m_interleaved.resize(m_aInputs.size() * kMergeBlockBytes + kInterleaveSlackBytes);
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
    CInputWave& first = *m_aInputs[0];
    if (!m_host.GetCarryBext() || !first.m_bextChunk)
        return true;
    const char* pszPath = first.m_strPath.GetString();
    CString strMessage;
    if (first.m_bextChunk->nSize > kMaxCarriedBextBytes) {
        strMessage.Format("Unable to process:\nFile '%s' has a \"bext\" chunk too large to carry.", pszPath);
        return Fail(strMessage);
    }
    const auto lContents = static_cast<LONGLONG>(first.m_bextChunk->nOffset + 8);
    const LONGLONG lDataStart = first.m_file.Seek(0, CFile::current);
    const auto nBytes = static_cast<UINT>(bext.size());
    if (lDataStart < 0 || first.m_file.Seek(lContents, CFile::begin) != lContents ||
        first.m_file.Read(bext.data(), nBytes) != nBytes || first.m_file.Seek(lDataStart, CFile::begin) != lDataStart) {
        strMessage.Format("Unable to process:\nFile '%s' can't be read.", pszPath);
        return Fail(strMessage);
    }
    return true;
}

bool CMergeEngine::CopyBlocks()
{
    const auto nBlocks = static_cast<UINT>(m_dwMaxDataBytes / m_nBlockBytes + 1);
    const ULONGLONG count = m_aInputs.size();
    std::vector<const BYTE*> blocks;
    for (const CInputWave* pInput : m_aInputs)
        blocks.push_back(pInput->m_block.data());
    m_host.SetProgressRange(nBlocks);
    ULONGLONG done = 0;
    for (UINT b = 0; b < nBlocks; ++b) {
        if (m_host.IsInterrupted())
            return FailCopy(nullptr);
        for (CInputWave* pInput : m_aInputs) {
            if (!FillBlock(*pInput, done)) {
                CString strMessage;
                strMessage.Format("Unable to process:\nFile '%s' can't be read.",
                                  pInput->m_strPath.GetString());
                return FailCopy(strMessage);
            }
        }
        InterleaveBlocks(m_interleaved.data(), blocks, m_nSampleBytes, m_nBlockBytes / m_nSampleBytes);
        const UINT nBytesPerChannel = BlockPart(m_dwMaxDataBytes, done, m_nBlockBytes);
        if (!m_pOutput->Write(m_interleaved.data(), static_cast<UINT>(nBytesPerChannel * count)))
            return FailCopy("Unable to process: can't write output data.");
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
    const UINT nWanted = BlockPart(input.m_dwDataBytes, done, m_nBlockBytes);
    BYTE* pBlock = input.m_block.data();
    const UINT nRead = nWanted > 0 ? input.m_file.Read(pBlock, nWanted) : 0;
    std::memset(pBlock + nRead, m_nSilence, m_nBlockBytes - nRead);
    return !input.m_file.HasFailed() && nRead == nWanted;
}

void CMergeEngine::CloseInputs()
{
    for (CInputWave* pInput : m_aInputs)
        pInput->m_file.Close();
}

void CMergeEngine::FreeMergeBuffers()
{
    for (CInputWave* pInput : m_aInputs)
        pInput->m_block = std::vector<BYTE>();
    m_interleaved = std::vector<BYTE>();
}
