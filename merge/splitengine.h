// CSplitEngine: splits one multichannel WAV file of any format the reader
// takes into one mono file per channel, each of the input's sample
// format with a plain header, in one pass of fixed blocks and with bounded
// memory. The inverse of CMergeEngine.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "merge/enginehost.h"
#include "merge/outputfile.h"
#include "merge/outputheader.h"
#include "merge/waveheader.h"
#include "merge/wavereadoutcome.h"
#include "core/cfile.h"
#include "core/cstring.h"
#include "core/types.h"

// What reading a split's input, or the split, came to: how it ended, what
// it ended at and why.
enum class SplitOutcome {
    Succeeded,
    CannotLoad,         // the input's header was refused: read says why
    NoMemory,           // the split's buffers could not be had
    CannotWriteHeader,  // nStem could not be opened or its header written: output says why
    CannotRead,         // the input's samples could not be read
    CannotWriteData,    // a write to nStem, or putting it in place, failed: output says why
    Interrupted,        // the program was asked to end; no message
};

struct SplitResult {
    SplitOutcome eOutcome = SplitOutcome::Succeeded;
    WaveReadOutcome read;            // CannotLoad: what the reader made of the input
    std::optional<int> nReadError;   // CannotRead: the system's error; none when the file shrank
    std::optional<std::size_t> nStem;  // the stem whose output failed, in channel order
    OutputOutcome output;            // of that stem

    bool Succeeded() const { return eOutcome == SplitOutcome::Succeeded; }
};

class CSplitEngine {
public:
    explicit CSplitEngine(IEngineHost& host) : m_host(host) {}
    CSplitEngine(const CSplitEngine&) = delete;
    CSplitEngine& operator=(const CSplitEngine&) = delete;

    // Opens strPath with writing by others denied and reads its header, for
    // any channel count, leaving the file open at its first sample for
    // SplitInput. One message when it fails.
    SplitResult ReadInput(const CString& strPath);
    // True when strPath leads to the input read: its path, a link or a hard
    // link to it.
    bool IsInput(const CString& strPath) const;
    const CString& GetInputPath() const { return m_strInputPath; }
    const WaveHeader& GetHeader() const { return m_header; }
    // The whole frames the input holds, which every stem gets: a data chunk
    // that claims more than its file holds ends where the file does, and a
    // part of a frame at its end is left out.
    ULONGLONG GetFrameCount() const;

    // Writes channel k of the input read into stemPaths[k], exactly one path
    // per channel, in one pass. The stems are written aside and put in place
    // together after the last block; whatever stops the split before (an
    // error, a signal) discards them all, and a stem that cannot be put in
    // place leaves every old stem as it was. Exactly one message when it
    // fails, none when it is interrupted. The input is closed and the
    // buffers released on every exit.
    SplitResult SplitInput(const std::vector<CString>& stemPaths);

private:
    // Whatever way a split ends: the input is closed, every stem not put in
    // place discarded and the buffers released.
    class SplitScope;

    bool WriteStems(const std::vector<CString>& stemPaths);
    bool AllocateBuffers();
    bool OpenStems(const std::vector<CString>& stemPaths);
    OutputFormat GetStemFormat() const;
    bool CopyBlocks();
    bool CommitStems();
    void FreeSplitBuffers();
    // Records how the split ended and shows its message; false.
    bool Fail(SplitOutcome eOutcome, const char* pszMessage, FailureStage eStage = FailureStage::BeforeCopy);
    // A stem's output failed: its outcome goes with the split's.
    bool FailStem(SplitOutcome eOutcome, std::size_t nStem, const char* pszMessage, FailureStage eStage);

    IEngineHost& m_host;
    CString m_strInputPath;
    CFile m_fileInput;
    WaveHeader m_header;
    SplitResult m_result;  // of the split under way
    std::vector<std::unique_ptr<COutputFile>> m_stems;  // of the split under way, in channel order
    UINT m_nSampleBytes = 2;
    UINT m_nBlockBytes = 0;          // of each stem: whole samples only
    std::vector<BYTE> m_frames;      // one block of the input's frames
    std::vector<std::vector<BYTE>> m_blocks;  // one block of every stem
};
