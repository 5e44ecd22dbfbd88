// The measurements of --levels against figures derived by hand, the EBU's
// own test signals and libebur128's true-peak oversampler.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <optional>

#include <ebur128.h>

#include "analysis/channelspeakers.h"
#include "analysis/levelanalyzer.h"
#include "analysis/loudnessmeter.h"
#include "analysis/truepeakmeter.h"
#include "merge/waveheader.h"
#include "tests/support/tempdir.h"
#include "tests/support/testhost.h"
#include "tests/support/wavbuilder.h"

namespace {

constexpr double kSilent = -HUGE_VAL;
constexpr DWORD kRate = 48000;

double Amplitude(double dbfs)
{
    return std::pow(10, dbfs / 20);
}

double Decibels(double level)
{
    return 20 * std::log10(level);
}

// Seconds of a 1 kHz sine on every channel, each at its own level in dBFS
// (kSilent for none).
struct Segment {
    double seconds;
    std::vector<double> dbfs;
};

struct LoudnessCase {
    const char* name;
    DWORD dwMask;
    std::vector<Segment> segments;
    double integrated;
    std::optional<double> range = {};  // within 1 LU, as Tech 3342 allows
    std::optional<double> maxMomentary = {};
    std::optional<double> maxShortTerm = {};
};

LoudnessLevels MeasureLoudness(const LoudnessCase& c)
{
    WaveFormat format;
    format.nChannels = static_cast<WORD>(c.segments[0].dbfs.size());
    format.dwChannelMask = c.dwMask;
    const std::vector<int> speakers = GetChannelSpeakers(format);
    std::vector<int> kinds;
    for (size_t k = 0; k < speakers.size(); ++k)
        kinds.push_back(GetLoudnessChannelKind(speakers, k));
    CLoudnessMeter meter(kRate, kinds);
    // 1 kHz at 48 kHz repeats every 48 samples; the phase runs on across segments.
    size_t n = 0;
    for (const Segment& segment : c.segments) {
        const auto nFrames = static_cast<size_t>(segment.seconds * kRate);
        std::vector<double> frames;
        for (size_t f = 0; f < nFrames; ++f, ++n) {
            const double sine = std::sin(2 * std::numbers::pi * static_cast<double>(n % 48) / 48);
            for (const double dbfs : segment.dbfs)
                frames.push_back(std::isfinite(dbfs) ? Amplitude(dbfs) * sine : 0);
        }
        meter.Add(frames.data(), nFrames);
    }
    return meter.GetLevels();
}

// Tech 3341 cases 1 to 6 (case 6 with a loud Low Frequency channel, which
// must not count) and Tech 3342 cases 1 to 4; then the weights of the
// surround positions: 1.41 (+1.49 dB) for 5.1's backs and 7.1's sides,
// 1.0 for 7.1's backs.
TEST(LevelsTest, LoudnessOfTheEbuTestSignals)
{
    const LoudnessCase cases[] = {
        {"3341 case 1", 0x3, {{20, {-23, -23}}}, -23, 0, -23, -23},
        {"3341 case 2", 0x3, {{20, {-33, -33}}}, -33, {}, -33, -33},
        {"3341 case 3", 0x3, {{10, {-36, -36}}, {60, {-23, -23}}, {10, {-36, -36}}}, -23},
        {"3341 case 4", 0x3,
         {{10, {-72, -72}}, {10, {-36, -36}}, {60, {-23, -23}}, {10, {-36, -36}}, {10, {-72, -72}}}, -23},
        {"3341 case 5", 0x3, {{20, {-26, -26}}, {20.1, {-20, -20}}, {20, {-26, -26}}}, -23, {}, -20, -20},
        {"3341 case 6, 5.1", 0x3F, {{20, {-28, -28, -24, -10, -30, -30}}}, -23},
        // Integrated: the mean energy of what passes the relative gate, -10 LU
        // under the mean of all (the -40 and -50 dBFS parts do not).
        {"3342 case 1", 0x3, {{20, {-20, -20}}, {20, {-30, -30}}}, -22.6, 10},
        {"3342 case 2", 0x3, {{20, {-20, -20}}, {20, {-15, -15}}}, -16.8, 5},
        {"3342 case 3", 0x3, {{20, {-40, -40}}, {20, {-20, -20}}}, -20, 20},
        {"3342 case 4", 0x3,
         {{20, {-50, -50}}, {20, {-35, -35}}, {20, {-20, -20}}, {20, {-35, -35}}, {20, {-50, -50}}}, -24.5, 15},
        {"5.1 backs", 0x3F, {{5, {kSilent, kSilent, kSilent, kSilent, -23, -23}}}, -21.51},
        {"7.1 sides", 0x63F, {{5, {kSilent, kSilent, kSilent, kSilent, kSilent, kSilent, -23, -23}}}, -21.51},
        {"7.1 backs", 0x63F, {{5, {kSilent, kSilent, kSilent, kSilent, -23, -23, kSilent, kSilent}}}, -23},
        {"no mask: every channel counts", 0, {{5, {-23, kSilent, kSilent, -23}}}, -23},
    };
    for (const LoudnessCase& c : cases) {
        SCOPED_TRACE(c.name);
        const LoudnessLevels levels = MeasureLoudness(c);
        EXPECT_NEAR(levels.integrated, c.integrated, 0.1);
        EXPECT_NEAR(levels.range, c.range.value_or(levels.range), 1);
        EXPECT_NEAR(levels.maxMomentary, c.maxMomentary.value_or(levels.maxMomentary), 0.1);
        EXPECT_NEAR(levels.maxShortTerm, c.maxShortTerm.value_or(levels.maxShortTerm), 0.1);
    }
}

// The true peak of signals whose samples miss their crests, against the
// value expected (within 0.05 dB: the example filter of BS.1770-4 reads a
// 12 kHz tone 0.22 dB high) and libebur128's own oversampler.
TEST(LevelsTest, TruePeakBetweenTheSamples)
{
    struct Tone {
        double hz;
        double amplitude;
        double phase;
    };
    struct Signal {
        const char* name;
        std::vector<Tone> tones;  // added up
        std::optional<double> truePeak;  // dBTP
    };
    const Signal signals[] = {
        // A quarter of the sample rate, 45 degrees off: every sample at 0.707 of the crest.
        {"12 kHz, -6 dBFS", {{12000, 0.5, std::numbers::pi / 4}}, -6.02},
        {"997 Hz, full scale", {{997, 1, 0}}, 0},
        {"19 kHz, -1 dBFS", {{19000, Amplitude(-1), 1}}, -1},
        {"three tones up to 17 kHz", {{5000, 0.3, 0}, {11000, 0.3, 2}, {17000, 0.3, 4}}, {}},
    };
    for (const Signal& signal : signals) {
        SCOPED_TRACE(signal.name);
        std::vector<double> samples(kRate);
        double samplePeak = 0;
        for (size_t n = 0; n < samples.size(); ++n) {
            for (const Tone& tone : signal.tones)
                samples[n] += tone.amplitude * std::sin(2 * std::numbers::pi * tone.hz * n / kRate + tone.phase);
            // Faded in over 10 ms: a tone that starts at once rings past its level.
            samples[n] *= std::min(1.0, static_cast<double>(n) / 480);
            samplePeak = std::max(samplePeak, std::abs(samples[n]));
        }
        CTruePeakMeter meter;
        meter.Add(samples.data(), 1000);  // in two parts, as blocks come
        meter.Add(samples.data() + 1000, samples.size() - 1000);
        ebur128_state* pReference = ebur128_init(1, kRate, EBUR128_MODE_TRUE_PEAK);
        ebur128_add_frames_double(pReference, samples.data(), samples.size());
        double reference = 0;
        ebur128_true_peak(pReference, 0, &reference);
        ebur128_destroy(&pReference);

        EXPECT_NEAR(Decibels(meter.GetTruePeak()), Decibels(reference), 0.2);
        EXPECT_GE(meter.GetTruePeak(), samplePeak);
        const double truePeak = Decibels(meter.GetTruePeak());
        EXPECT_NEAR(truePeak, signal.truePeak.value_or(truePeak), 0.05);
    }
}

// Samples of a format, little-endian, from levels where full scale is 1.0;
// 1.0 itself is the format's largest value.
struct SampleCoding {
    const char* name;
    WavBuilder fmt;  // the "fmt " chunk of two channels
    std::string (*encode)(double x);
};

std::string EncodeInteger(double x, int nBits, int nValid)
{
    const double scale = std::ldexp(1.0, nValid - 1);
    const auto value = static_cast<std::int64_t>(std::min(std::round(x * scale), scale - 1)) << (nBits - nValid);
    std::string bytes;
    for (int i = 0; i < nBits / 8; ++i)
        bytes += static_cast<char>((nBits == 8 ? value + 128 : value) >> (8 * i));
    return bytes;
}

std::string EncodeFloat32(double x)
{
    const auto f = static_cast<float>(x);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, 4);
    return Le32(bits);
}

std::string EncodeFloat64(double x)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, 8);
    return Le64(bits);
}

LevelReport Measure(const std::string& path)
{
    CFile file;
    WaveHeader header;
    EXPECT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    EXPECT_TRUE(ReadWaveHeader(file, header).Succeeded());
    TestHost host;
    CLevelAnalyzer analyzer(host);
    EXPECT_EQ(analyzer.Measure(file, header), LevelError::None);
    return analyzer.m_report;
}

// Front Left 0.5, -0.25 over and over: a peak of -6.02 dBFS, an RMS of
// sqrt(0.15625) (-8.06 dBFS), a DC offset of 0.125. Front Right a pattern of
// runs at the extremes: two at the largest value, one alone at the smallest
// (not counted), three at the smallest: 5 clipped samples every 8, in
// blocks of the analyzer and across them.
TEST(LevelsTest, ChannelLevelsOfEverySampleFormat)
{
    const SampleCoding codings[] = {
        {"8-bit", WavBuilder().Fmt(2, kRate, 8), [](double x) { return EncodeInteger(x, 8, 8); }},
        {"16-bit", WavBuilder().Fmt(2, kRate, 16), [](double x) { return EncodeInteger(x, 16, 16); }},
        {"20 bits in 24", WavBuilder().FmtExtensible(2, kRate, 24, 20, 0x3, kSubtypePcm),
         [](double x) { return EncodeInteger(x, 24, 20); }},
        {"32-bit", WavBuilder().Fmt(2, kRate, 32), [](double x) { return EncodeInteger(x, 32, 32); }},
        {"32-bit float", WavBuilder().FmtTag(3, 2, kRate, 32), EncodeFloat32},
        {"64-bit float", WavBuilder().FmtExtensible(2, kRate, 64, 64, 0x3, kSubtypeFloat), EncodeFloat64},
    };
    const double runs[8] = {1, 1, 0, -1, 0, -1, -1, -1};
    constexpr size_t kFrames = 40000;
    TempDir dir;
    for (const SampleCoding& coding : codings) {
        SCOPED_TRACE(coding.name);
        std::string data;
        for (size_t f = 0; f < kFrames; ++f)
            data += coding.encode(f % 2 == 0 ? 0.5 : -0.25) + coding.encode(runs[f % 8]);
        WavBuilder(coding.fmt).Data(data).Write(dir / "levels.wav");
        const LevelReport report = Measure(dir / "levels.wav");
        ASSERT_EQ(report.channels.size(), 2u);
        const ChannelLevels& first = report.channels[0];
        EXPECT_NEAR(Decibels(first.peak), -6.0206, 0.0001);
        EXPECT_NEAR(Decibels(first.rms), -8.0618, 0.0001);
        EXPECT_NEAR(first.dcOffset, 0.125, 1e-9);
        EXPECT_EQ(first.nClipped, 0u);
        EXPECT_EQ(report.channels[1].nClipped, kFrames / 8 * 5);
        EXPECT_NEAR(report.channels[1].peak, 1.0, 1e-9);
    }
}

// Six channels of 5.1, one second, each a sine of its own pitch (Low
// Frequency at 50 Hz); one fault each, the clean file none.
TEST(LevelsTest, EachWarningFromAFileThatCallsForIt)
{
    using Channels = std::vector<std::vector<double>>;
    const auto tone = [](double hz, double level) {
        std::vector<double> samples(kRate);
        for (size_t n = 0; n < samples.size(); ++n)
            samples[n] = level * std::sin(2 * std::numbers::pi * hz * n / kRate);
        return samples;
    };
    const Channels clean = {tone(440, 0.25), tone(550, 0.25), tone(660, 0.25),
                            tone(50, 0.25),  tone(770, 0.25), tone(880, 0.25)};
    struct WarningCase {
        const char* name;
        void (*fault)(Channels& channels);
        std::vector<std::string> warnings;
    };
    const WarningCase cases[] = {
        {"clean", [](Channels&) {}, {}},
        {"silent", [](Channels& c) { c[5].assign(kRate, 0.0); }, {"Back Right is silent"}},
        {"identical", [](Channels& c) { c[1] = c[0]; }, {"Front Left and Front Right are identical"}},
        {"inverse",
         [](Channels& c) {
             for (size_t n = 0; n < kRate; ++n)
                 c[5][n] = -c[4][n];
         },
         {"Back Left and Back Right are each other's polarity inverse"}},
        {"a full-range stem on Low Frequency", [](Channels& c) { std::swap(c[2], c[3]); },
         {"Low Frequency has content above 120 Hz (0.0 dB of its energy)"}},
        {"clipped", [](Channels& c) { c[2][100] = c[2][101] = c[2][102] = -1.0; },
         {"Front Center has 3 clipped samples"}},
        {"DC offset",
         [](Channels& c) {
             for (double& x : c[0])
                 x += 0.0125;
         },
         {"Front Left has a DC offset of +1.2% of full scale"}},
    };
    TempDir dir;
    for (const WarningCase& c : cases) {
        SCOPED_TRACE(c.name);
        Channels channels = clean;
        c.fault(channels);
        std::string data;
        for (size_t n = 0; n < kRate; ++n) {
            for (const std::vector<double>& channel : channels)
                data += EncodeInteger(channel[n], 16, 16);
        }
        WavBuilder().FmtExtensible(6, kRate, 16, 16, 0x3F, kSubtypePcm).Data(data).Write(dir / "5.1.wav");
        EXPECT_EQ(Measure(dir / "5.1.wav").warnings, c.warnings);
    }
}

}  // namespace
