#include "cli/levelstext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cli/jsontext.h"

namespace {

// A level of full scale 1.0 in dB, or nothing for silence.
std::optional<double> Decibels(double level)
{
    return level > 0 ? std::optional<double>(20 * std::log10(level)) : std::nullopt;
}

std::optional<double> Finite(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::string Number(const char* pszFormat, std::optional<double> value, const char* pszSilence)
{
    if (!value)
        return pszSilence;
    char text[64];
    std::snprintf(text, sizeof text, pszFormat, *value == 0 ? 0.0 : *value);  // no "-0.00"
    return text;
}

std::string Padded(const std::string& text, size_t nWidth, bool bRight)
{
    const std::string padding(text.size() < nWidth ? nWidth - text.size() : 0, ' ');
    return bRight ? padding + text : text + padding;
}

}  // namespace

std::string FormatLevels(const LevelReport& report)
{
    size_t nNameWidth = 7;  // "speaker"
    for (const std::string& name : report.names)
        nNameWidth = std::max(nNameWidth, name.size());
    std::string text = "  levels:\n    " + Padded("speaker", nNameWidth, false) +
                       "  sample peak    true peak          RMS   DC offset  clipped\n";
    for (size_t k = 0; k < report.channels.size(); ++k) {
        const ChannelLevels& levels = report.channels[k];
        text += "    " + Padded(report.names[k], nNameWidth, false) + "  " +
                Padded(Number("%.2f dBFS", Decibels(levels.peak), "-inf dBFS"), 11, true) + "  " +
                Padded(Number("%.2f dBTP", Decibels(levels.truePeak), "-inf dBTP"), 11, true) + "  " +
                Padded(Number("%.2f dBFS", Decibels(levels.rms), "-inf dBFS"), 11, true) + "  " +
                Padded(Number("%+.6f", Finite(levels.dcOffset), "nan"), 10, true) + "  " +
                Padded(std::to_string(levels.nClipped), 7, true) + "\n";
    }
    const LoudnessLevels& loudness = report.loudness;
    text += "  loudness:      integrated " + Number("%.1f LUFS", Finite(loudness.integrated), "-inf LUFS") +
            ", range " + Number("%.1f LU", Finite(loudness.range), "nan LU") + ", momentary max " +
            Number("%.1f LUFS", Finite(loudness.maxMomentary), "-inf LUFS") + ", short-term max " +
            Number("%.1f LUFS", Finite(loudness.maxShortTerm), "-inf LUFS") + "\n";
    if (report.warnings.empty())
        return text + "  warnings:      none\n";
    for (size_t i = 0; i < report.warnings.size(); ++i)
        text += (i == 0 ? "  warnings:      " : "                 ") + report.warnings[i] + "\n";
    return text;
}

std::string FormatLevelsJson(const LevelReport& report)
{
    std::string channels;
    for (size_t k = 0; k < report.channels.size(); ++k) {
        const ChannelLevels& levels = report.channels[k];
        channels += (k == 0 ? "{\"speaker\": " : ", {\"speaker\": ") + JsonString(report.names[k]) +
                    ", \"peak_dbfs\": " + Number("%.2f", Decibels(levels.peak), "null") +
                    ", \"true_peak_dbtp\": " + Number("%.2f", Decibels(levels.truePeak), "null") +
                    ", \"rms_dbfs\": " + Number("%.2f", Decibels(levels.rms), "null") +
                    ", \"dc_offset\": " + Number("%.6f", Finite(levels.dcOffset), "null") +
                    ", \"clipped_samples\": " + std::to_string(levels.nClipped) + "}";
    }
    std::string warnings;
    for (const std::string& warning : report.warnings)
        warnings += (warnings.empty() ? "" : ", ") + JsonString(warning);
    const LoudnessLevels& loudness = report.loudness;
    return "{\"channels\": [" + channels + "], \"integrated_lufs\": " +
           Number("%.1f", Finite(loudness.integrated), "null") +
           ", \"loudness_range_lu\": " + Number("%.1f", Finite(loudness.range), "null") +
           ", \"max_momentary_lufs\": " + Number("%.1f", Finite(loudness.maxMomentary), "null") +
           ", \"max_short_term_lufs\": " + Number("%.1f", Finite(loudness.maxShortTerm), "null") +
           ", \"warnings\": [" + warnings + "]}";
}
