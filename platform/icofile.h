// The bytes of an .ico file, built at compile time from 16-colour images
// drawn as text: one string per row, top row first, one character per pixel,
// '.' for a transparent pixel and a hexadecimal digit for a colour of the
// standard 16-colour palette:
//
//   0 black   1 maroon   2 green  3 olive   4 navy  5 purple   6 teal  7 silver
//   8 grey    9 red      a lime   b yellow  c blue  d fuchsia  e aqua  f white
//
// Each image is square and stored as a 4-bit bitmap with its AND mask, the
// way 16-colour icons are.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>

struct IcoImage {
    int nSize;                 // width and height in pixels, a multiple of 8
    const char* const* ppRows;  // nSize rows of nSize characters
};

namespace icofile {

constexpr std::size_t kDirectoryBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr std::size_t kHeaderBytes = 40;
constexpr std::size_t kPaletteBytes = 16 * 4;

constexpr std::size_t RowBytes(int nSize, int nBitsPerPixel)
{
    return ((static_cast<std::size_t>(nSize) * nBitsPerPixel + 31) / 32) * 4;
}

constexpr std::size_t ImageBytes(int nSize)
{
    return kHeaderBytes + kPaletteBytes + nSize * (RowBytes(nSize, 4) + RowBytes(nSize, 1));
}

constexpr unsigned char kPalette[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
};

// The palette index of a pixel character; -1 for transparent.
constexpr int PixelIndex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

template <std::size_t N>
class Writer {
public:
    constexpr explicit Writer(std::array<unsigned char, N>& bytes) : m_bytes(bytes) {}
    constexpr void Byte(unsigned v) { m_bytes[m_nAt++] = static_cast<unsigned char>(v & 0xFF); }
    constexpr void Word(unsigned v) { Byte(v); Byte(v >> 8); }
    constexpr void Dword(std::size_t v)
    {
        Word(static_cast<unsigned>(v & 0xFFFF));
        Word(static_cast<unsigned>(v >> 16));
    }

private:
    std::array<unsigned char, N>& m_bytes;
    std::size_t m_nAt = 0;
};

}  // namespace icofile

constexpr std::size_t IcoFileBytes(std::initializer_list<int> sizes)
{
    std::size_t nBytes = icofile::kDirectoryBytes;
    for (int nSize : sizes)
        nBytes += icofile::kEntryBytes + icofile::ImageBytes(nSize);
    return nBytes;
}

// N must be IcoFileBytes of the images' sizes.
template <std::size_t N>
constexpr std::array<unsigned char, N> BuildIcoFile(std::initializer_list<IcoImage> images)
{
    using namespace icofile;
    std::array<unsigned char, N> bytes{};
    Writer<N> out(bytes);
    out.Word(0);
    out.Word(1);  // an icon
    out.Word(static_cast<unsigned>(images.size()));
    std::size_t nOffset = kDirectoryBytes + kEntryBytes * images.size();
    for (const IcoImage& image : images) {
        out.Byte(static_cast<unsigned>(image.nSize));
        out.Byte(static_cast<unsigned>(image.nSize));
        out.Byte(16);  // colours
        out.Byte(0);
        out.Word(1);  // planes
        out.Word(4);  // bits per pixel
        out.Dword(ImageBytes(image.nSize));
        out.Dword(nOffset);
        nOffset += ImageBytes(image.nSize);
    }
    for (const IcoImage& image : images) {
        const int n = image.nSize;
        out.Dword(kHeaderBytes);
        out.Dword(static_cast<std::size_t>(n));
        out.Dword(static_cast<std::size_t>(2 * n));  // the colour bitmap and the mask
        out.Word(1);
        out.Word(4);
        out.Dword(0);  // uncompressed
        out.Dword(n * (RowBytes(n, 4) + RowBytes(n, 1)));
        out.Dword(0);
        out.Dword(0);
        out.Dword(16);
        out.Dword(0);
        for (const auto& rgb : kPalette) {
            out.Byte(rgb[2]);
            out.Byte(rgb[1]);
            out.Byte(rgb[0]);
            out.Byte(0);
        }
        // Bitmaps are stored bottom row first.
        for (int y = n - 1; y >= 0; --y) {
            for (int x = 0; x < n; x += 2) {
                int nHigh = PixelIndex(image.ppRows[y][x]);
                int nLow = PixelIndex(image.ppRows[y][x + 1]);
                out.Byte(static_cast<unsigned>(((nHigh < 0 ? 0 : nHigh) << 4) | (nLow < 0 ? 0 : nLow)));
            }
            for (std::size_t i = static_cast<std::size_t>(n) / 2; i < RowBytes(n, 4); ++i)
                out.Byte(0);
        }
        for (int y = n - 1; y >= 0; --y) {
            for (int x = 0; x < n; x += 8) {
                unsigned nMask = 0;
                for (int b = 0; b < 8; ++b)
                    if (PixelIndex(image.ppRows[y][x + b]) < 0)
                        nMask |= 0x80u >> b;
                out.Byte(nMask);
            }
            for (std::size_t i = static_cast<std::size_t>(n) / 8; i < RowBytes(n, 1); ++i)
                out.Byte(0);
        }
    }
    return bytes;
}
