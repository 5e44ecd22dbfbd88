// The answer of plexora-merge --check: one line saying that the output is
// what its stems make, or where it first differs from it.
#pragma once

#include "cli/mergejob.h"
#include "merge/mergeresult.h"
#include "merge/outputcomparer.h"

// After the engine ran the job with the comparer as its sink, from its result: the line
// that the output is the same (on standard output, unless quiet), or the
// first difference (on standard error): a header field by name, a sample
// by frame, channel and speaker, or an output that is missing, shorter or
// longer. True when it is the same.
bool ReportCheck(const MergeResult& result, const COutputComparer& comparer, const MergeJob& job);
