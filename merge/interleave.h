// The inner loops of both engines: one block of every channel, sample by
// sample, into frames for a merge, and frames back into one block per
// channel for a split. Samples are copied as whole units of their size,
// never looked into, so any format goes through bit for bit.
#pragma once

#include <span>

#include "core/types.h"

// One byte past the samples of every block and of the frames that the
// moves of 24-bit samples may read and write.
constexpr UINT kInterleaveSlackBytes = 1;

// Sample s of blocks[k] goes to sample s x count + k of pFrames, for s
// below nSamples; nSampleBytes is 1, 2, 3, 4 or 8. The blocks and pFrames
// hold kInterleaveSlackBytes more than their samples.
void InterleaveBlocks(BYTE* pFrames, std::span<const BYTE* const> blocks, UINT nSampleBytes, UINT nSamples);

// The reverse: sample s x count + k of pFrames goes to sample s of
// blocks[k], with the same slack.
void DeinterleaveFrames(const BYTE* pFrames, std::span<BYTE* const> blocks, UINT nSampleBytes, UINT nSamples);
