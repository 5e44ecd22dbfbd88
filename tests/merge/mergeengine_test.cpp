#include "merge/mergeengine.h"

#include <gtest/gtest.h>

#include "tests/support/mergecheck.h"
#include "tests/support/mergerun.h"

namespace {

// Without channels there is no format to write: refused before the output
// path is asked for.
TEST(MergeEngineTest, NoChannelsIsRefusedBeforeThePathIsChosen)
{
    TempDir dir;
    Merge merge;
    merge.host.outputPath = dir / "out.wav";
    EXPECT_FALSE(merge.Run({}));
    EXPECT_EQ(merge.result.eOutcome, MergeOutcome::NoChannels);
    EXPECT_EQ(merge.host.nChooserCalls, 0);
    EXPECT_EQ(merge.host.messages, std::vector<std::string>{"Unable to process: the configuration has no channels."});
    EXPECT_TRUE(FilesIn(dir).empty());
}

}  // namespace
