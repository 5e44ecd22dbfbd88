#include "platform/core/cstdiofile.h"

namespace {
constexpr UINT kChunkBytes = 4096;
}

CStdioFile::~CStdioFile()
{
    Close();
}

bool CStdioFile::FillReadBuffer()
{
    if (m_atEnd)
        return false;
    m_readBuffer.erase(0, m_readPos);
    m_readPos = 0;
    size_t old = m_readBuffer.size();
    m_readBuffer.resize(old + kChunkBytes);
    UINT n = Read(m_readBuffer.data() + old, kChunkBytes);
    m_readBuffer.resize(old + n);
    if (n == 0)
        m_atEnd = true;
    return n > 0;
}

bool CStdioFile::ReadString(CString& rString)
{
    // Each byte is searched once, so that a line costs its length however
    // many reads it spans (a huge file without line ends must not hang).
    size_t nScanned = 0;  // bytes after m_readPos known to hold no line end
    for (;;) {
        size_t lf = m_readBuffer.find('\n', m_readPos + nScanned);
        if (lf != std::string::npos) {
            size_t lineEnd = (lf > m_readPos && m_readBuffer[lf - 1] == '\r') ? lf - 1 : lf;
            rString = CString(m_readBuffer.substr(m_readPos, lineEnd - m_readPos));
            m_readPos = lf + 1;
            return true;
        }
        nScanned = m_readBuffer.size() - m_readPos;
        if (!FillReadBuffer())
            break;
    }
    if (m_readPos < m_readBuffer.size()) {
        rString = CString(m_readBuffer.substr(m_readPos));
        m_readPos = m_readBuffer.size();
        return true;
    }
    rString.Empty();
    return false;
}

void CStdioFile::WriteString(const char* psz)
{
    for (const char* p = psz; *p; ++p) {
        if (*p == '\n')
            m_writeBuffer += '\r';
        m_writeBuffer += *p;
    }
    if (m_writeBuffer.size() >= kChunkBytes)
        FlushWriteBuffer();
}

bool CStdioFile::FlushWriteBuffer()
{
    bool written = m_writeBuffer.empty() ||
                   Write(m_writeBuffer.data(), static_cast<UINT>(m_writeBuffer.size()));
    m_writeBuffer.clear();
    return written;
}

bool CStdioFile::Close()
{
    if (!IsOpen())
        return true;
    FlushWriteBuffer();
    m_readBuffer.clear();
    m_readPos = 0;
    m_atEnd = false;
    return CFile::Close();
}
