// CInputWave: one mono input of a merge, and the reader of its header.
#pragma once

#include <optional>
#include <vector>

#include "merge/waveheader.h"
#include "merge/wavereadoutcome.h"
#include "core/cfile.h"
#include "core/cstring.h"
#include "core/types.h"

class CInputWave {
public:
    CInputWave() = default;
    CInputWave(const CInputWave&) = delete;
    CInputWave& operator=(const CInputWave&) = delete;
    // m_file closes itself.
    ~CInputWave() = default;

    // Opens m_strPath with writing by others denied, walks its chunks,
    // takes one channel only and leaves m_file at the
    // first sample byte. False leaves the file closed and m_readOutcome
    // saying why.
    bool ReadInputHeader();

    CString m_strPath;
    CFile m_file;
    // The whole samples of the "data" chunk that the file holds: a part of a
    // sample at its end is none, and a chunk claims no more than its file
    // holds. 64-bit: an RF64 input's data can pass 4 GB.
    ULONGLONG m_nDataBytes = 0;
    DWORD m_nSampleRate = 0;
    WORD m_nBitsPerSample = 0;  // the bits each sample takes in the file
    SampleKind m_eSampleKind = SampleKind::Pcm;
    WORD m_nValidBitsPerSample = 0;  // of m_nBitsPerSample, those that carry the signal
    std::optional<WaveChunk> m_bextChunk;  // where its first "bext" chunk is, if it has one
    // The input's block during a merge: the engine fills and empties it.
    std::vector<BYTE> m_block;
    // What the reader made something of, for the host to tell.
    std::vector<WaveWarning> m_warnings;
    // What the last ReadInputHeader came to, for a host that can show more
    // than the engine's one message.
    WaveReadOutcome m_readOutcome;

private:
    WaveReadOutcome ReadMonoHeader();
};

// The line that names both sides when input, read, may not join a merge
// whose first input is first: "The file '...' is at 44100 Hz; the first
// file, '...', is at 48000 Hz." for another rate, else "The file '...' is
// 24-bit PCM; the first file, '...', is 16-bit PCM." for another sample
// format; empty when both agree.
CString DescribeDifference(const CInputWave& input, const CInputWave& first);
