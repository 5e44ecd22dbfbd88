// CMergeEngine: interleaves mono inputs of one sample format, one per
// channel, into one multichannel WAV file of that format, in fixed blocks and
// with bounded memory.
#pragma once

#include <vector>

#include "merge/channelblock.h"
#include "merge/inputwave.h"
#include "merge/mergehost.h"
#include "merge/outputfile.h"
#include "merge/outputheader.h"
#include "core/cfile.h"
#include "core/cstring.h"
#include "core/types.h"

class CMergeEngine {
public:
    explicit CMergeEngine(IMergeHost& host) : m_host(host) {}
    CMergeEngine(const CMergeEngine&) = delete;
    CMergeEngine& operator=(const CMergeEngine&) = delete;

    // The state before a merge: no sample rate or bit depth known yet, no
    // interleave buffer.
    void ResetMergeState();
    // Chooses the output, checks every input, writes the header and copies
    // the samples. Exactly one message is shown when it fails (none when the
    // user declines the output path), one per reader's warning when it
    // succeeds; on every exit the inputs are closed and the buffers
    // released, after the message, and a failed merge leaves no output behind.
    bool MergeInputs();
    // Closes every input's file; an input that is not open is left alone.
    void CloseInputs();
    // Releases every block buffer, then the interleave buffer.
    void FreeMergeBuffers();

    // The inputs in channel order. The caller creates the records, lists
    // them here, and deletes them after the merge; the engine never does.
    std::vector<CInputWave*> m_aInputs;
    COutputFile m_fileOutput;
    // Where the merge's bytes go: the output file, unless the host sets
    // another sink (a check compares them with a file instead).
    IOutputSink* m_pOutput = &m_fileOutput;
    CString m_strOutputPath;
    LONG m_nSampleRate = -1;      // the first input's; -1 until known
    short m_nBitsPerSample = -1;  // the first input's; -1 until known
    ULONGLONG m_dwMaxDataBytes = 0;   // the longest input's data length (64-bit, for RF64 inputs)
    std::vector<BYTE> m_interleaved;  // one block of every input, during a merge
    // After a merge refused because an input's sample rate or sample format
    // differs from the first input's: that input's index, for a host that
    // names both; -1 otherwise.
    int m_nOtherFormatInput = -1;

private:
    // Whatever way a merge ends after its path was chosen: the inputs are
    // closed, an output not put in place discarded and the buffers released.
    class MergeScope;

    bool CheckInputs();
    void LayOutBlocks();
    void DescribeOutput(OutputFormat& format);
    bool AllocateBuffers(std::vector<BYTE>& bext);
    bool ReadCarriedBext(std::vector<BYTE>& bext);
    bool CopyBlocks();
    bool FillBlock(CInputWave& input, ULONGLONG done);
    void ShowWarnings();
    // Ends a merge that failed or was interrupted (no message); false.
    bool Fail(const char* pszMessage);
    bool FailCopy(const char* pszMessage);

    IMergeHost& m_host;
    // The samples of this merge: their size, the bytes of each input's
    // block (whole samples only) and the byte silence is made of.
    UINT m_nSampleBytes = 2;
    UINT m_nBlockBytes = kMergeBlockBytes;
    BYTE m_nSilence = 0;
};
