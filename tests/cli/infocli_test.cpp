// plexora-info end to end: what it says of files of every kind, as text and
// as JSON, and of files it cannot read.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/cli/runprogram.h"

namespace {

struct InfoCase {
    const char* name;
    std::string bytes;  // none: no such file
    std::vector<std::string> options;
    std::string lines;  // after the path line; none: the file is refused, exit status 1
    std::vector<std::string> warnings = {};  // or the reason: on standard error, each after "The file '...' "
};

// The lines after the path line: each value behind its label, aligned.
std::string InfoLines(const std::vector<std::string>& values)
{
    const char* labels[] = {"container:", "format:", "channels:", "sample rate:", "frames:", "channel mask:",
                            "configuration:", "chunks:"};
    std::string lines;
    for (size_t i = 0; i < values.size(); ++i)
        lines += "  " + std::string(labels[i]) + std::string(15 - std::strlen(labels[i]), ' ') + values[i] + "\n";
    return lines;
}

// Every line laid out by hand, chunk sizes as stated (the "ds64" one's for
// RF64 data); a warning for what the reader made something of; the reader's
// reason for a file it cannot read.
TEST(InfoCliTest, WhatAFileOfEachKindHoldsOrWhyItCannotBeRead)
{
    TempDir dir;
    WriteWholeFile(dir / "live.pxr", LiveSettings());
    const std::string kOddId = std::string("\x01x\\y", 4);
    const std::string kNoMask = "none (a plain \"fmt \" chunk)";
    // 257 empty chunks before "fmt ": the first 256 are listed, the rest counted.
    WavBuilder manyChunks;
    std::string listed;
    for (int i = 0; i < 257; ++i) {
        manyChunks.Chunk("junk", "");
        listed += i < 256 ? "\"junk\" 0, " : "and 3 more";
    }
    const InfoCase cases[] = {
        {"16-bit mono", WavBuilder().Fmt(1, 44100, 16).Data(PatternBytes(882, 1)).Bytes(), {},
         InfoLines({"RIFF", "16-bit PCM, WAVE_FORMAT_PCM", "1", "44100 Hz", "441 (0.010 s)", kNoMask, "none",
                    "\"fmt \" 16, \"data\" 882"})},
        {"24-bit 5.1",
         WavBuilder().FmtExtensible(6, 48000, 24, 24, 0x3F, kSubtypePcm).Chunk("LIST", "abc")
             .Data(PatternBytes(8640, 2)).Bytes(), {},
         InfoLines({"RIFF", "24-bit PCM, WAVE_FORMAT_EXTENSIBLE", "6", "48000 Hz", "480 (0.010 s)",
                    "0x3F  Front Left, Front Right, Front Center, Low Frequency, Back Left, Back Right",
                    "surround 5.1", "\"fmt \" 40, \"LIST\" 3, \"data\" 8640"})},
        {"20 bits in 24, a mask bit past the table, a settings file",
         WavBuilder().FmtExtensible(2, 48000, 24, 20, 0x80000003, kSubtypePcm).Data(PatternBytes(600, 3)).Bytes(),
         {"--settings", dir / "live.pxr"},
         InfoLines({"RIFF", "20-bit PCM in 24-bit samples, WAVE_FORMAT_EXTENSIBLE", "2", "48000 Hz", "100 (0.002 s)",
                    "0x80000003  Front Left, Front Right, bit 31", "Wide", "\"fmt \" 40, \"data\" 600"})},
        {"plain float with its fact chunk",
         WavBuilder().FmtTag(3, 2, 96000, 32, 18).Chunk("fact", Le32(96)).Data(PatternBytes(768, 4)).Bytes(), {},
         InfoLines({"RIFF", "32-bit float, WAVE_FORMAT_IEEE_FLOAT", "2", "96000 Hz", "96 (0.001 s)", kNoMask, "none",
                    "\"fmt \" 18, \"fact\" 4, \"data\" 768"})},
        {"RF64 declaring 5 GB",
         WavBuilder().RiffTag("RF64").RiffSize(0xFFFFFFFF).Ds64(5000000100, 5000000010, 1666666670)
             .FmtTag(1, 1, 48000, 24).Data(PatternBytes(6, 5), 0xFFFFFFFF).Bytes(), {},
         InfoLines({"RF64", "24-bit PCM, WAVE_FORMAT_PCM", "1", "48000 Hz", "2 (0.000 s)", kNoMask, "none",
                    "\"ds64\" 28, \"fmt \" 16, \"data\" 5000000010"}),
         {"holds 5000000004 bytes fewer than its data chunk states; its data ends where the file does."}},
        {"a part of a sample at the end", WavBuilder().Fmt(1, 44100, 16).Data(PatternBytes(1001, 7)).Bytes(), {},
         InfoLines({"RIFF", "16-bit PCM, WAVE_FORMAT_PCM", "1", "44100 Hz", "500 (0.011 s)", kNoMask, "none",
                    "\"fmt \" 16, \"data\" 1001"})},
        {"a second fmt and data chunk after the data",
         WavBuilder().Fmt(1, 48000, 16).Data(PatternBytes(400, 8)).FmtTag(1, 2, 44100, 24).Data("ab").Bytes(), {},
         InfoLines({"RIFF", "16-bit PCM, WAVE_FORMAT_PCM", "1", "48000 Hz", "200 (0.004 s)", kNoMask, "none",
                    "\"fmt \" 16, \"data\" 400, \"fmt \" 16, \"data\" 2"}),
         {"has another \"fmt \" chunk at byte 444; it was ignored, the first one describes the data.",
          "has a second \"data\" chunk at byte 468; it was ignored."}},
        {"a crashed recorder's", WavBuilder().RiffSize(0).Fmt(1, 44100, 16).Data(PatternBytes(1000, 9), 0).Bytes(), {},
         InfoLines({"RIFF", "16-bit PCM, WAVE_FORMAT_PCM", "1", "44100 Hz", "500 (0.011 s)", kNoMask, "none",
                    "\"fmt \" 16, \"data\" 0"}),
         {"states a RIFF size of 0 bytes, too small to reach its chunks; it was read to its end."}},
        {"not a wave file", "not a wave file at all", {}, "", {"is not a RIFF file (no \"RIFF\" at byte 0)."}},
        {"RF64 without ds64", WavBuilder().RiffTag("RF64").Fmt(1, 44100, 16).Data("ab").Bytes(), {}, "",
         {"is RF64 or BW64 but has no \"ds64\" chunk at byte 12."}},
        {"a short ds64",
         WavBuilder().RiffTag("RF64").Chunk("ds64", std::string(20, '\0')).Fmt(1, 44100, 16).Data("ab").Bytes(), {},
         "", {"has a \"ds64\" chunk of 20 bytes, short of 24."}},
        {"a short fmt",
         WavBuilder().Chunk("fmt ", WavBuilder().Fmt(1, 44100, 16).Bytes().substr(20, 14)).Data("ab").Bytes(), {},
         "", {"has a \"fmt \" chunk of 14 bytes, short of 16."}},
        {"no such file", "", {}, "", {"can't be opened: No such file or directory."}},
        {"more chunks than are listed", manyChunks.Fmt(1, 8000, 8).Data("ab").Bytes(), {},
         InfoLines({"RIFF", "8-bit PCM, WAVE_FORMAT_PCM", "1", "8000 Hz", "2 (0.000 s)", kNoMask, "none", listed})},
        {"BW64, 64-bit float, an odd chunk id",
         WavBuilder().RiffTag("BW64").Ds64(0, 0, 0).Chunk(kOddId, "").FmtExtensible(1, 48000, 64, 64, 0x4, kSubtypeFloat)
             .Data(PatternBytes(16, 6)).Bytes(), {},
         InfoLines({"BW64", "64-bit float, WAVE_FORMAT_EXTENSIBLE", "1", "48000 Hz", "2 (0.000 s)", "0x4  Front Center",
                    "none", "\"ds64\" 28, \"\\x01x\\x5Cy\" 0, \"fmt \" 40, \"data\" 16"})},
    };
    std::vector<std::string> files;  // of the rows without options, run together at the end
    Outcome all{1, "", ""};
    for (const InfoCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / (std::string(c.name) + ".wav");
        if (!c.bytes.empty())
            WriteWholeFile(path, c.bytes);
        std::vector<std::string> args = c.options;
        args.push_back(path);
        std::string err;
        for (const std::string& warning : c.warnings)
            err += "The file '" + path + "' " + warning + "\n";
        const Outcome outcome = RunMerge(dir, args, PLEXORA_INFO_EXE);
        EXPECT_EQ(outcome, (Outcome{c.lines.empty() ? 1 : 0, c.lines.empty() ? "" : path + "\n" + c.lines, err}));
        if (c.options.empty()) {
            files.push_back(path);
            all.out += (all.out.empty() || outcome.out.empty() ? "" : "\n") + outcome.out;
            all.err += err;
        }
    }
    // Several files one after the other, a blank line between those shown.
    EXPECT_EQ(RunMerge(dir, files, PLEXORA_INFO_EXE), all);
    EXPECT_EQ(RunMerge(dir, {}, PLEXORA_INFO_EXE).nExitCode, 2);
}

// --json: one object per file and line, strings escaped (a quote, a tab, a
// byte that is not UTF-8 in the name; a chunk id of any bytes), null for no
// mask and no configuration, and the reason for a file it cannot read.
TEST(InfoCliTest, JsonForScripts)
{
    TempDir dir;
    const std::string odd = dir / "q\"\t\xFF\xC3\xA9.wav";
    const std::string oddJson = dir / "q\\\"\\u0009\\ufffd\xC3\xA9.wav";
    WavBuilder().Chunk(std::string("\x01x\"y", 4), "").Fmt(1, 44100, 16).Data(PatternBytes(8, 1)).Write(odd);
    const std::string stereo = dir / "stereo.wav";
    WavBuilder().FmtExtensible(2, 48000, 32, 24, 0x3, kSubtypePcm).Data(PatternBytes(32, 2)).Write(stereo);
    const std::string bad = dir / "bad.wav";
    WriteWholeFile(bad, "RIFF");

    const std::string json =
        "{\"file\": \"" + oddJson + "\", \"container\": \"RIFF\", \"formatTag\": 1, \"sampleFormat\": \"PCM\", "
        "\"bitsPerSample\": 16, \"validBitsPerSample\": 16, \"channels\": 1, \"sampleRate\": 44100, "
        "\"frames\": 4, \"seconds\": 0.000091, \"dataBytes\": 8, \"presentBytes\": 8, \"channelMask\": null, "
        "\"speakers\": [], \"configuration\": null, \"chunks\": [{\"id\": \"\\\\x01x\\\"y\", \"offset\": 12, "
        "\"size\": 0}, {\"id\": \"fmt \", \"offset\": 20, \"size\": 16}, {\"id\": \"data\", \"offset\": 44, "
        "\"size\": 8}], \"moreChunks\": 0}\n"
        "{\"file\": \"" + stereo + "\", \"container\": \"RIFF\", \"formatTag\": 65534, \"sampleFormat\": \"PCM\", "
        "\"bitsPerSample\": 32, \"validBitsPerSample\": 24, \"channels\": 2, \"sampleRate\": 48000, "
        "\"frames\": 4, \"seconds\": 0.000083, \"dataBytes\": 32, \"presentBytes\": 32, \"channelMask\": 3, "
        "\"speakers\": [\"Front Left\", \"Front Right\"], \"configuration\": \"stereo\", \"chunks\": "
        "[{\"id\": \"fmt \", \"offset\": 12, \"size\": 40}, {\"id\": \"data\", \"offset\": 60, \"size\": 32}], "
        "\"moreChunks\": 0}\n"
        "{\"file\": \"" + bad + "\", \"error\": \"The file '" + bad + "' ends at byte 4, inside its header.\"}\n";
    EXPECT_EQ(RunMerge(dir, {"--json", odd, stereo, bad}, PLEXORA_INFO_EXE), (Outcome{1, json, ""}));
}

// --levels as text and as JSON, null for silence. Front Left is a 1 kHz sine
// of 3277/32768 (-20.00 dBFS, RMS 3 dB under, the true peak a sample's, on
// the crest), Front Right silent: -23.0 LUFS throughout, four seconds being
// more than the short-term window.
TEST(InfoCliTest, LevelsForPeopleAndScripts)
{
    TempDir dir;
    std::vector<std::int16_t> samples;
    for (int n = 0; n < 4 * 48000; ++n) {
        // Each half period the other's negative, so that the mean is 0.
        const auto half = static_cast<std::int16_t>(std::lround(3277 * std::sin(2 * M_PI * (n % 24) / 48)));
        samples.push_back(n % 48 < 24 ? half : static_cast<std::int16_t>(-half));
        samples.push_back(0);
    }
    const std::string path = dir / "tone.wav";
    WavBuilder().FmtExtensible(2, 48000, 16, 16, 0x3, kSubtypePcm).Data(Samples(samples)).Write(path);

    // Text and JSON, each ending with its levels.
    const struct {
        std::vector<std::string> args;
        std::string levels;
    } outputs[] = {
        {{"--levels", path},
         "  levels:\n"
         "    speaker      sample peak    true peak          RMS   DC offset  clipped\n"
         "    Front Left   -20.00 dBFS  -20.00 dBTP  -23.01 dBFS   +0.000000        0\n"
         "    Front Right    -inf dBFS    -inf dBTP    -inf dBFS   +0.000000        0\n"
         "  loudness:      integrated -23.0 LUFS, range 0.0 LU, momentary max -23.0 LUFS, "
         "short-term max -23.0 LUFS\n"
         "  warnings:      Front Right is silent\n"},
        {{"--levels", "--json", path},
         ", \"levels\": {\"channels\": [{\"speaker\": \"Front Left\", \"peak_dbfs\": -20.00, "
         "\"true_peak_dbtp\": -20.00, \"rms_dbfs\": -23.01, \"dc_offset\": 0.000000, \"clipped_samples\": 0}, "
         "{\"speaker\": \"Front Right\", \"peak_dbfs\": null, \"true_peak_dbtp\": null, \"rms_dbfs\": null, "
         "\"dc_offset\": 0.000000, \"clipped_samples\": 0}], \"integrated_lufs\": -23.0, "
         "\"loudness_range_lu\": 0.0, \"max_momentary_lufs\": -23.0, \"max_short_term_lufs\": -23.0, "
         "\"warnings\": [\"Front Right is silent\"]}}\n"},
    };
    for (const auto& output : outputs) {
        const Outcome outcome = RunMerge(dir, output.args, PLEXORA_INFO_EXE);
        EXPECT_EQ(outcome.nExitCode, 0);
        EXPECT_EQ(outcome.err, "");
        EXPECT_TRUE(outcome.out.ends_with(output.levels)) << outcome.out;
    }
}

}  // namespace
