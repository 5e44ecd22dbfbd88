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
    m_readBuffer.resize(kReadChunkBytes);
    const UINT n = Read(m_readBuffer.data(), kReadChunkBytes);
    m_readBuffer.resize(n);
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
        const size_t nStop = nEnd == std::string::npos ? m_readBuffer.size() : nEnd;
        line.append(m_readBuffer, m_readPos, std::min(nStop - m_readPos, kMaxLineBytes - line.size()));
        m_readPos = nStop;
        if (nEnd != std::string::npos) {
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
    for (const char* p = psz; *p; ++p) {
        if (*p == '\n')
            m_writeBuffer += '\r';
        m_writeBuffer += *p;
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
    m_readBuffer.clear();
    m_readPos = 0;
    m_atEnd = false;
    m_afterCarriageReturn = false;
    return CFile::Close();
}
