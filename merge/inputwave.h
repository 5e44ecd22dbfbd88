// CInputWave: one mono 16-bit input of a merge, and the reader of its header.
#pragma once

#include "platform/core/cfile.h"
#include "platform/core/cstring.h"
#include "platform/core/types.h"

class CInputWave {
public:
    CInputWave() = default;
    CInputWave(const CInputWave&) = delete;
    CInputWave& operator=(const CInputWave&) = delete;
    // m_file closes itself; m_pBlock belongs to the merge engine, which releases it.
    ~CInputWave() = default;

    // Opens m_strPath with writing by others denied, walks its RIFF chunks and
    // leaves m_file at the first sample byte. False leaves the file closed.
    bool ReadInputHeader();

    CString m_strPath;
    CFile m_file;
    BYTE m_nChannels = 0;
    DWORD m_dwDataBytes = 0;
    DWORD m_nSampleRate = 0;
    DWORD m_dwPadBytes = 0;
    DWORD m_dwSpeakerMask = 0;
    WORD m_nBitsPerSample = 0;
    BYTE* m_pBlock = nullptr;
    // Of m_dwDataBytes, how many the file held when its header was read: the
    // merge pads past them, and treats a file that then holds fewer as unreadable.
    DWORD m_dwPresentBytes = 0;
    // Why the format checks refused the file ("The file '...' is not mono !"),
    // for a host that can show more than the engine's one message; empty otherwise.
    CString m_strFormatError;

private:
    bool WalkChunks();
};
