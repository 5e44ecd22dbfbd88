// Reads a WAV file back with ffprobe, a second reader we did not write.
#pragma once

#include <cstdio>
#include <string>

// What a shell command prints on standard output.
inline std::string CommandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

inline bool HaveFfprobe()
{
    return !CommandOutput("command -v ffprobe").empty();
}

// The first audio stream as "key=value" lines: codec_name, sample_rate,
// channels, channel_layout and duration_ts (the frame count), in that order.
inline std::string ProbeStream(const std::string& path)
{
    return CommandOutput("ffprobe -v error -select_streams a:0 -show_entries "
                         "stream=codec_name,sample_rate,channels,channel_layout,duration_ts -of default=nw=1 '" +
                         path + "'");
}
