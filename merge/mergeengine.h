// CMergeEngine: interleaves mono inputs of one sample format, one per
// channel, into one multichannel WAV file of that format, in fixed blocks and
// with bounded memory.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "merge/channelblock.h"
#include "merge/inputwave.h"
#include "merge/mergehost.h"
#include "merge/mergeresult.h"
#include "merge/outputfile.h"
#include "merge/outputsink.h"
#include "core/cstring.h"
#include "core/types.h"

class CMergeEngine {
public:
    // The merge's bytes go to the output file, or to pOutput instead when
    // there is one (a check compares them with a file).
    explicit CMergeEngine(IMergeHost& host, IOutputSink* pOutput = nullptr)
        : m_host(host), m_pOutput(pOutput != nullptr ? pOutput : &m_fileOutput)
    {
    }
    CMergeEngine(const CMergeEngine&) = delete;
    CMergeEngine& operator=(const CMergeEngine&) = delete;

    // Merges the files inputPaths names, one channel each in that order:
    // chooses the output, checks every input, writes the header and copies
    // the samples. Exactly one message is shown when it fails (none when the
    // user declines the output path or the program is asked to end), one per
    // reader's warning when it succeeds; on every exit the inputs are closed
    // and the buffers released, after the message, and a failed merge leaves
    // no output behind.
    MergeResult Merge(const std::vector<CString>& inputPaths);

    // The inputs of the last merge, in channel order: what the reader made
    // of each (closed once the merge is over).
    std::size_t GetInputCount() const { return m_inputs.size(); }
    const CInputWave& GetInput(std::size_t k) const { return *m_inputs[k]; }
    // The line a failed merge's message gains: why the input it ended at
    // can't be loaded, or its format or rate and the first input's; empty
    // for other failures. Asked for while the message is shown, or after.
    CString DescribeInputFault() const;
    // True while an input is open, a buffer held or the output file open:
    // between merges, never.
    bool HoldsResources() const;

private:
    // Whatever way a merge ends after its path was chosen: the inputs are
    // closed, an output not put in place discarded and the buffers released.
    class MergeScope;

    bool MergeInputs();
    bool CheckInputs();
    void LayOutBlocks();
    void DescribeOutput(OutputFormat& format);
    bool AllocateBuffers(std::vector<BYTE>& bext);
    bool ReadCarriedBext(std::vector<BYTE>& bext);
    bool CopyBlocks();
    bool FillBlock(CInputWave& input, ULONGLONG done);
    void ShowWarnings();
    void CloseInputs();
    void FreeMergeBuffers();
    // Records how the merge ended and shows its message; false.
    bool Fail(MergeOutcome eOutcome, const char* pszMessage, FailureStage eStage = FailureStage::BeforeCopy);
    // An input that could not be read: the system's error when there was one.
    bool FailRead(std::size_t nInput, FailureStage eStage);

    IMergeHost& m_host;
    COutputFile m_fileOutput;
    IOutputSink* m_pOutput;  // where the bytes go
    std::vector<std::unique_ptr<CInputWave>> m_inputs;  // in channel order
    MergeResult m_result;  // of the merge under way, or the last one
    ULONGLONG m_nMaxDataBytes = 0;    // the longest input's data length (64-bit, for RF64 inputs)
    std::vector<BYTE> m_interleaved;  // one block of every input, during a merge
    // The samples of this merge: their size, the bytes of each input's
    // block (whole samples only) and the byte silence is made of.
    UINT m_nSampleBytes = 2;
    UINT m_nBlockBytes = kMergeBlockBytes;
    BYTE m_nSilence = 0;
};
