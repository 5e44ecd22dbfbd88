// CSplitEngine: splits one multichannel WAV file of any format the Delivered
// rule takes into one mono file per channel, each of the input's sample
// format with a plain header, in one pass of fixed blocks and with bounded
// memory. The inverse of CMergeEngine.
#pragma once

#include <memory>
#include <vector>

#include "merge/enginehost.h"
#include "merge/outputfile.h"
#include "merge/outputheader.h"
#include "merge/waveheader.h"
#include "merge/wavereadoutcome.h"
#include "core/cfile.h"
#include "core/cstring.h"
#include "core/types.h"

class CSplitEngine {
public:
    explicit CSplitEngine(IEngineHost& host) : m_host(host) {}
    CSplitEngine(const CSplitEngine&) = delete;
    CSplitEngine& operator=(const CSplitEngine&) = delete;

    // Opens strPath with writing by others denied and reads its header, for
    // any channel count, leaving the file open at its first sample for
    // SplitInput. One message when it fails, and m_readOutcome says why.
    bool ReadInput(const CString& strPath);
    // True when strPath leads to the input read: its path, a link or a hard
    // link to it.
    bool IsInput(const CString& strPath) const;
    // The whole frames the input holds, which every stem gets: a data chunk
    // that claims more than its file holds ends where the file does, and a
    // part of a frame at its end is left out.
    ULONGLONG GetFrameCount() const;

    // Writes channel k of the input read into stemPaths[k], exactly one path
    // per channel, in one pass. The stems are written aside and put in place
    // together after the last block; whatever stops the split before (an
    // error, a signal) discards them all, and a stem that cannot be put in
    // place leaves every old stem as it was. Exactly one message when it fails, none
    // when it is interrupted. The input is closed and the buffers released
    // on every exit.
    bool SplitInput(const std::vector<CString>& stemPaths);

    CString m_strInputPath;
    CFile m_fileInput;
    WaveHeader m_header;
    WaveReadOutcome m_readOutcome;
    // The outputs of the last split in channel order, and after a failed one
    // the index of the stem whose output failed, for a host that names the
    // system's reason; -1 otherwise.
    std::vector<std::unique_ptr<COutputFile>> m_stems;
    int m_nFailedStem = -1;

private:
    // Whatever way a split ends: the input is closed, every stem not put in
    // place discarded and the buffers released.
    class SplitScope;

    bool AllocateBuffers();
    bool OpenStems(const std::vector<CString>& stemPaths);
    OutputFormat GetStemFormat() const;
    bool CopyBlocks();
    bool CommitStems();
    void FreeSplitBuffers();
    // Ends a split that failed or was interrupted (no message); false.
    bool Fail(const char* pszMessage);
    bool FailCopy(const char* pszMessage);
    bool FailStem(size_t nStem, const char* pszMessage);

    IEngineHost& m_host;
    UINT m_nSampleBytes = 2;
    UINT m_nBlockBytes = 0;          // of each stem: whole samples only
    std::vector<BYTE> m_frames;      // one block of the input's frames
    std::vector<std::vector<BYTE>> m_blocks;  // one block of every stem
};
