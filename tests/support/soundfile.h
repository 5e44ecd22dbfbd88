// Reads a WAV file back with libsndfile, an independent reader.
#pragma once

#include <sndfile.h>

#include <cstdio>
#include <string>
#include <vector>

struct SoundFile {
    bool bOpened = false;
    int nChannels = 0;
    int nSampleRate = 0;
    int nFormat = 0;  // SF_FORMAT_WAV, SF_FORMAT_WAVEX or SF_FORMAT_RF64, with SF_FORMAT_PCM_16
    long long nFrames = 0;
    std::vector<short> samples;   // interleaved
    std::vector<int> channelMap;  // SF_CHANNEL_MAP_... per channel; empty when the file names none
};

// Reads the format and nCount frames from frame nFirst on; all of them
// when nCount is negative.
inline SoundFile ReadSoundFile(const std::string& path, long long nFirst = 0, long long nCount = -1)
{
    SoundFile file;
    SF_INFO info{};
    SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &info);
    if (sf == nullptr)
        return file;
    file.bOpened = true;
    file.nChannels = info.channels;
    file.nSampleRate = info.samplerate;
    file.nFormat = info.format;
    file.nFrames = info.frames;
    if (nCount < 0 || nFirst + nCount > info.frames)
        nCount = info.frames > nFirst ? info.frames - nFirst : 0;
    if (nFirst > 0 && sf_seek(sf, nFirst, SEEK_SET) != nFirst)
        nCount = 0;
    file.samples.resize(static_cast<size_t>(nCount * info.channels));
    file.samples.resize(static_cast<size_t>(sf_read_short(sf, file.samples.data(),
                                                          static_cast<sf_count_t>(file.samples.size()))));
    std::vector<int> map(static_cast<size_t>(info.channels));
    if (sf_command(sf, SFC_GET_CHANNEL_MAP_INFO, map.data(), static_cast<int>(map.size() * sizeof(int))) == SF_TRUE)
        file.channelMap = map;
    sf_close(sf);
    return file;
}
