// What a stem's header says, read when a row of the main dialog is filled,
// so that the row tells what it holds before Process reads it again.
#pragma once

#include "core/cstring.h"
#include "core/types.h"
#include "merge/sampleformat.h"
#include "merge/wavereadoutcome.h"

struct StemHeader {
    WaveReadOutcome outcome;  // why the file can't be loaded, or none
    SampleKind eKind = SampleKind::Pcm;
    WORD nBitsPerSample = 0;
    WORD nValidBitsPerSample = 0;
    DWORD nSampleRate = 0;
    ULONGLONG nFrames = 0;  // of its data chunk, as stated: what a merge takes of it
};

// Reads strPath's header with the rule Process reads stems by.
StemHeader ReadStemHeader(const CString& strPath);

// "24-bit PCM, 48000 Hz", for a header that was read.
CString DescribeFormatAndRate(const StemHeader& header);
// "24-bit PCM, 48000 Hz, 3:12.500": the length in minutes, seconds and
// milliseconds (with hours before them from an hour on), cut, not rounded.
CString DescribeStem(const StemHeader& header);
// Whether a merge takes both: one sample format and one rate.
bool HasSameFormatAndRate(const StemHeader& header, const StemHeader& other);
