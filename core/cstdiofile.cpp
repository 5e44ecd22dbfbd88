#include "core/cstdiofile.h"

#include <algorithm>

namespace {
constexpr UINT kWriteChunkBytes = 4096;
constexpr UINT kReadChunkBytes = 65536;
}

CStdioFile::~CStdioFile()
{
    Close();
}

bool CStdioFile::FillReadBuffer()
{
    if (m_atEnd)
        return false;
    if (!m_pReadChunk)
        m_pReadChunk = std::make_unique_for_overwrite<char[]>(kReadChunkBytes);
    const UINT n = Read(m_pReadChunk.get(), kReadChunkBytes);
    m_readBuffer = std::string_view(m_pReadChunk.get(), n);
    m_readPos = 0;
    m_atEnd = n == 0;
    return n > 0;
}

bool CStdioFile::ReadString(CString& rString)
{
    // Each byte is looked at once and at most kMaxLineBytes of a line are
    // kept, so that a huge file without line ends costs neither time nor
    // memory beyond its reading.
    std::string line;
    bool bStarted = false;
    for (;;) {
        if (m_readPos == m_readBuffer.size() && !FillReadBuffer())
            break;
        if (m_afterCarriageReturn) {
            m_afterCarriageReturn = false;
            if (m_readBuffer[m_readPos] == '\n') {
                ++m_readPos;
                continue;
            }
        }
        bStarted = true;
        const size_t nEnd = m_readBuffer.find_first_of("\r\n", m_readPos);
        const size_t nStop = nEnd == std::string_view::npos ? m_readBuffer.size() : nEnd;
        line.append(m_readBuffer.substr(m_readPos, std::min(nStop - m_readPos, kMaxLineBytes - line.size())));
        m_readPos = nStop;
        if (nEnd != std::string_view::npos) {
            m_afterCarriageReturn = m_readBuffer[nEnd] == '\r';
            ++m_readPos;
            break;
        }
    }
    rString = CString(std::move(line));
    return bStarted;
}

void CStdioFile::WriteString(const char* psz)
{
    for (std::string_view text(psz);;) {
        const size_t nLineFeed = text.find('\n');
        if (nLineFeed == std::string_view::npos) {
            m_writeBuffer += text;
            break;
        }
        m_writeBuffer += text.substr(0, nLineFeed);
        m_writeBuffer += "\r\n";
        text.remove_prefix(nLineFeed + 1);
    }
    if (m_writeBuffer.size() >= kWriteChunkBytes)
        FlushWriteBuffer();
}

bool CStdioFile::FlushWriteBuffer()
{
    bool written = m_writeBuffer.empty() ||
                   Write(m_writeBuffer.data(), static_cast<UINT>(m_writeBuffer.size()));
    m_writeBuffer.clear();
    return written;
}

bool CStdioFile::Flush()
{
    FlushWriteBuffer();
    return CFile::Flush();
}

bool CStdioFile::Close()
{
    if (!IsOpen())
        return true;
    FlushWriteBuffer();
    m_readBuffer = {};
    m_readPos = 0;
    m_atEnd = false;
    m_afterCarriageReturn = false;
    return CFile::Close();
}
