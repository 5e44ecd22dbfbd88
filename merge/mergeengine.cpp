#include "merge/mergeengine.h"

#include <cstring>
#include <new>

#include "merge/outputheader.h"

namespace {

constexpr UINT kBlockSamples = kMergeBlockBytes / 2;

const short* Samples(const CInputWave* pInput)
{
    return reinterpret_cast<const short*>(pInput->m_block.data());
}

// Frame by frame with the channel count known to the compiler, for the
// common layouts: the inner loop unrolls and the output is written in order.
template <UINT C>
void InterleaveFrames(short* __restrict pOut, const std::vector<CInputWave*>& inputs)
{
    const short* in[C];
    for (UINT k = 0; k < C; ++k)
        in[k] = Samples(inputs[k]);
    for (UINT s = 0; s < kBlockSamples; ++s)
        for (UINT k = 0; k < C; ++k)
            pOut[s * C + k] = in[k][s];
}

// Channel by channel, for any count; the same result as above.
void InterleaveChannels(short* pOut, const std::vector<CInputWave*>& inputs)
{
    const size_t count = inputs.size();
    for (size_t k = 0; k < count; ++k) {
        const short* pIn = Samples(inputs[k]);
        for (size_t s = 0; s < kBlockSamples; ++s)
            pOut[s * count + k] = pIn[s];
    }
}

// Of nBytes in all, the part that falls into the block starting at done.
UINT BlockPart(ULONGLONG nBytes, ULONGLONG done)
{
    const ULONGLONG left = done < nBytes ? nBytes - done : 0;
    return left < kMergeBlockBytes ? static_cast<UINT>(left) : kMergeBlockBytes;
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
        m_engine.m_fileOutput.Discard();
        m_engine.FreeMergeBuffers();
    }

private:
    CMergeEngine& m_engine;
};

void CMergeEngine::ResetMergeState()
{
    m_nSampleRate = -1;
    m_nBitsPerSample = -1;
    m_interleaved = std::vector<short>();
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

    if (!AllocateBuffers())
        return Fail("Unable to process: not enough memory.");

    OutputFormat format;
    format.nChannels = static_cast<WORD>(m_aInputs.size());
    format.nSampleRate = static_cast<DWORD>(m_nSampleRate);
    format.nBitsPerSample = static_cast<WORD>(m_nBitsPerSample);
    format.dwDataBytes = m_dwMaxDataBytes;
    format.dwChannelMask = m_host.GetChannelMask();
    format.bNoExtensible = m_host.GetNoExtensible();
    // No name of an input can be the output: it would be lost as it is read.
    std::vector<const CFile*> inputFiles;
    for (const CInputWave* pInput : m_aInputs)
        inputFiles.push_back(&pInput->m_file);
    if (!m_fileOutput.Open(m_strOutputPath, inputFiles) || !WriteOutputHeader(m_fileOutput, format))
        return Fail("Unable to process: can't write output header.");

    if (!CopyBlocks())
        return false;
    if (m_host.IsInterrupted())
        return FailCopy(nullptr);
    CloseInputs();
    if (!m_fileOutput.Commit())
        return FailCopy("Unable to process: can't write output data.");
    m_host.SetProgressPos(0);
    return true;
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

// The first input sets the sample rate and bit depth that all others must
// have; the first failing check shows its message and ends the checking.
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
        else if (k > 0 && static_cast<DWORD>(m_nSampleRate) != input.m_nSampleRate)
            strMessage.Format("Unable to process:\nFile '%s' has not the same sample rate.", pszPath);
        else if (k > 0 && static_cast<WORD>(m_nBitsPerSample) != input.m_nBitsPerSample)
            strMessage.Format("Unable to process:\nFile '%s' has not the same bit depth.", pszPath);
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
// first allocation that fails ends it.
bool CMergeEngine::AllocateBuffers()
{
    try {
        for (CInputWave* pInput : m_aInputs)
            pInput->m_block.resize(kMergeBlockBytes);
        m_interleaved.resize(m_aInputs.size() * kBlockSamples);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CMergeEngine::CopyBlocks()
{
    const UINT nBlocks = m_dwMaxDataBytes / kMergeBlockBytes + 1;
    const ULONGLONG count = m_aInputs.size();
    m_host.SetProgressRange(nBlocks);
    // 64 bits: the last block of a 4 GB input would carry 32 bits past the end.
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
        Interleave();
        const ULONGLONG left = m_dwMaxDataBytes - done;
        const ULONGLONG bytesPerChannel = left < kMergeBlockBytes ? left : kMergeBlockBytes;
        if (!m_fileOutput.Write(m_interleaved.data(), static_cast<UINT>(bytesPerChannel * count)))
            return FailCopy("Unable to process: can't write output data.");
        done += kMergeBlockBytes;
        m_host.SetProgressPos(b + 1);
    }
    return true;
}

// Reads what is left of the input's data chunk, at most one block, and
// zeroes the rest of the block, a dangling half sample included. A data
// chunk that claims more than its file held just leaves silence; a read
// error, or a file that shrank since its header was read, gives false.
bool CMergeEngine::FillBlock(CInputWave& input, ULONGLONG done)
{
    const UINT nWanted = BlockPart(input.m_dwDataBytes, done);
    BYTE* pBlock = input.m_block.data();
    const UINT nRead = nWanted > 0 ? input.m_file.Read(pBlock, nWanted) : 0;
    const UINT nKept = nRead & ~1u;
    std::memset(pBlock + nKept, 0, kMergeBlockBytes - nKept);
    return !input.m_file.HasFailed() && nRead >= BlockPart(input.m_dwPresentBytes, done);
}

void CMergeEngine::Interleave()
{
    short* pOut = m_interleaved.data();
    switch (m_aInputs.size()) {
    case 2: InterleaveFrames<2>(pOut, m_aInputs); break;
    case 4: InterleaveFrames<4>(pOut, m_aInputs); break;
    case 6: InterleaveFrames<6>(pOut, m_aInputs); break;
    case 8: InterleaveFrames<8>(pOut, m_aInputs); break;
    default: InterleaveChannels(pOut, m_aInputs); break;
    }
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
    m_interleaved = std::vector<short>();
}
