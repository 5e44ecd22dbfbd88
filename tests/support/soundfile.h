// Reads a WAV file back with libsndfile, an independent reader.
#pragma once

#include <sndfile.h>

#include <cstdio>
#include <string>
#include <vector>

struct SoundFile {
    int nChannels = 0;
    int nSampleRate = 0;
    int nFormat = 0;  // SF_FORMAT_WAV, SF_FORMAT_WAVEX or SF_FORMAT_RF64, with SF_FORMAT_PCM_16, ...
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

// Every channel's samples as the file stores them, told apart by
// libsndfile's reading of the header: for comparisons bit for bit in any
// sample format. Empty when libsndfile cannot read the file.
inline std::vector<std::string> ReadSoundChannels(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &info);
    if (sf == nullptr)
        return {};
    size_t nBytes = 0;  // of one sample; 0 for a format without whole-byte samples
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8: nBytes = 1; break;
    case SF_FORMAT_PCM_16: nBytes = 2; break;
    case SF_FORMAT_PCM_24: nBytes = 3; break;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT: nBytes = 4; break;
    case SF_FORMAT_DOUBLE: nBytes = 8; break;
    }
    const auto nChannels = static_cast<size_t>(info.channels);
    std::string raw(static_cast<size_t>(info.frames) * nChannels * nBytes, '\0');
    raw.resize(static_cast<size_t>(sf_read_raw(sf, raw.data(), static_cast<sf_count_t>(raw.size()))));
    sf_close(sf);
    std::vector<std::string> channels(nChannels);
    for (size_t at = 0; nBytes > 0 && at + nBytes <= raw.size(); at += nBytes)
        channels[(at / nBytes) % nChannels] += raw.substr(at, nBytes);
    return channels;
}
