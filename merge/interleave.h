// The inner loop of a merge: one block of every input, sample by sample,
// into frames. Samples are copied as whole units of their size, never
// looked into, so any format goes through bit for bit.
#pragma once

#include <vector>

#include "merge/inputwave.h"
#include "platform/core/types.h"

// One byte past the samples of every block and of the output that the
// interleave of 24-bit samples may read and write.
constexpr UINT kInterleaveSlackBytes = 1;

// Sample s of input k's block goes to sample s x count + k of pOut, for s
// below nSamples; nSampleBytes is 1, 2, 3, 4 or 8. Blocks and pOut hold
// kInterleaveSlackBytes more than their samples.
void InterleaveBlocks(BYTE* pOut, const std::vector<CInputWave*>& inputs, UINT nSampleBytes, UINT nSamples);
