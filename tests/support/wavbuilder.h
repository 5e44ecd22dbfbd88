// WAV files built chunk by chunk, every id, size field and pad byte as set:
// broken and unusual files are as easy to make as good ones.
#pragma once

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/tempdir.h"

inline std::string Le16(std::uint16_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

inline std::string Le32(std::uint32_t v)
{
    return Le16(static_cast<std::uint16_t>(v & 0xFFFF)) + Le16(static_cast<std::uint16_t>(v >> 16));
}

inline std::string Le64(std::uint64_t v)
{
    return Le32(static_cast<std::uint32_t>(v & 0xFFFFFFFF)) + Le32(static_cast<std::uint32_t>(v >> 32));
}

// "52 49 46 46" -> "RIFF": byte layouts written out as in a hex dump.
inline std::string Hex(const std::string& text)
{
    std::string bytes;
    std::istringstream in(text);
    for (std::string pair; in >> pair;)
        bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
    return bytes;
}

// KSDATAFORMAT_SUBTYPE_PCM and _IEEE_FLOAT, the last field of an extensible "fmt " chunk.
inline const std::string kSubtypePcm = Hex("01 00 00 00 00 00 10 00 80 00 00 AA 00 38 9B 71");
inline const std::string kSubtypeFloat = Hex("03 00 00 00 00 00 10 00 80 00 00 AA 00 38 9B 71");

// 16-bit samples as little-endian bytes.
inline std::string Samples(const std::vector<std::int16_t>& samples)
{
    std::string bytes;
    for (std::int16_t s : samples)
        bytes += Le16(static_cast<std::uint16_t>(s));
    return bytes;
}

class WavBuilder {
public:
    // The RIFF header: its tag, form type and size (by default what follows the size field).
    WavBuilder& RiffTag(const std::string& tag) { m_riffTag = tag; return *this; }
    WavBuilder& FormType(const std::string& form) { m_formType = form; return *this; }
    WavBuilder& RiffSize(std::uint32_t size) { m_riffSize = size; return *this; }

    // Any chunk. The size field states the payload's length unless given;
    // an odd payload is followed by a pad byte.
    WavBuilder& Chunk(const std::string& id, const std::string& payload, std::optional<std::uint32_t> statedSize = {})
    {
        m_body += id + Le32(statedSize.value_or(static_cast<std::uint32_t>(payload.size()))) + payload;
        if (payload.size() % 2 == 1)
            m_body += '\0';
        return *this;
    }

    // A PCM "fmt " chunk of 16, 18 (cbSize 0) or 40 bytes (WAVE_FORMAT_EXTENSIBLE, Front Center).
    WavBuilder& Fmt(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint16_t size = 16)
    {
        return size == 40 ? FmtExtensible(channels, rate, bits, bits, 0x4, kSubtypePcm)
                          : FmtTag(1, channels, rate, bits, size);
    }

    // A plain "fmt " chunk with any format tag: 16 bytes, or 18 with a cbSize
    // of 0. The block alignment is channels x whole bytes per sample unless given.
    WavBuilder& FmtTag(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                       std::uint16_t size = 16, std::optional<std::uint16_t> blockAlign = {})
    {
        const std::uint16_t align = blockAlign.value_or(static_cast<std::uint16_t>(channels * ((bits + 7) / 8)));
        std::string fmt = Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
        return Chunk("fmt ", size == 18 ? fmt + Le16(0) : fmt);
    }

    // A 40-byte WAVE_FORMAT_EXTENSIBLE "fmt " chunk: bits is the container.
    WavBuilder& FmtExtensible(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint16_t validBits,
                              std::uint32_t mask, const std::string& subtype)
    {
        const std::uint16_t align = static_cast<std::uint16_t>(channels * (bits / 8));
        return Chunk("fmt ", Le16(0xFFFE) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) +
                                 Le16(bits) + Le16(22) + Le16(validBits) + Le32(mask) + subtype);
    }

    // The "ds64" chunk of RF64 and BW64: the 64-bit RIFF and data sizes and
    // the frame count, and an empty table.
    WavBuilder& Ds64(std::uint64_t riffSize, std::uint64_t dataSize, std::uint64_t frames)
    {
        return Chunk("ds64", Le64(riffSize) + Le64(dataSize) + Le64(frames) + Le32(0));
    }

    WavBuilder& Data(const std::string& bytes, std::optional<std::uint32_t> statedSize = {})
    {
        return Chunk("data", bytes, statedSize);
    }

    std::string Bytes() const
    {
        const std::string rest = m_formType + m_body;
        return m_riffTag + Le32(m_riffSize.value_or(static_cast<std::uint32_t>(rest.size()))) + rest;
    }

    void Write(const std::string& path) const { WriteWholeFile(path, Bytes()); }

private:
    std::string m_riffTag = "RIFF";
    std::string m_formType = "WAVE";
    std::optional<std::uint32_t> m_riffSize;
    std::string m_body;
};

// The everyday input: mono, 16-bit, a 16-byte "fmt " chunk, then the data.
inline std::string MonoWav(const std::vector<std::int16_t>& samples, std::uint32_t rate = 44100)
{
    return WavBuilder().Fmt(1, rate, 16).Data(Samples(samples)).Bytes();
}
