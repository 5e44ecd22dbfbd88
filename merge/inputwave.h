// CInputWave: one mono 16-bit input of a merge, and the reader of its header.
#pragma once

#include <vector>

#include "merge/wavereadoutcome.h"
#include "platform/core/cfile.h"
#include "platform/core/cstring.h"
#include "platform/core/types.h"

class CInputWave {
public:
    CInputWave() = default;
    CInputWave(const CInputWave&) = delete;
    CInputWave& operator=(const CInputWave&) = delete;
    // m_file closes itself.
    ~CInputWave() = default;

    // Opens m_strPath with writing by others denied, walks its RIFF chunks and
    // leaves m_file at the first sample byte. False leaves the file closed and
    // m_readOutcome saying why.
    bool ReadInputHeader();

    CString m_strPath;
    CFile m_file;
    BYTE m_nChannels = 0;
    DWORD m_dwDataBytes = 0;
    DWORD m_nSampleRate = 0;
    DWORD m_dwPadBytes = 0;
    DWORD m_dwSpeakerMask = 0;
    WORD m_nBitsPerSample = 0;
    // The input's block during a merge: the engine fills and empties it.
    std::vector<BYTE> m_block;
    // Of m_dwDataBytes, how many the file held when its header was read: the
    // merge pads past them, and treats a file that then holds fewer as unreadable.
    DWORD m_dwPresentBytes = 0;
    // What the last ReadInputHeader came to, for a host that can show more
    // than the engine's one message.
    WaveReadOutcome m_readOutcome;

private:
    WaveReadOutcome WalkChunks();
};
