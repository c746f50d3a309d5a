#include "checked_output.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

long WriteSome(int nFd, const char* pData, std::size_t nSize) {
#ifdef _WIN32
    // _write takes an unsigned int count; text mode turns LF into CR LF as before.
    const unsigned nChunk = nSize > (1u << 30) ? (1u << 30) : static_cast<unsigned>(nSize);
    return ::_write(nFd, pData, nChunk);
#else
    return static_cast<long>(::write(nFd, pData, nSize));
#endif
}

int CloseFd(int nFd) {
#ifdef _WIN32
    return ::_close(nFd);
#else
    return ::close(nFd);
#endif
}

}  // namespace

CCheckedOutput::CCheckedOutput(int nFd) : m_nFd(nFd) {
    setp(m_buffer, m_buffer + sizeof m_buffer);
}

bool CCheckedOutput::WriteAll(const char* pData, std::size_t nSize) {
    while (nSize > 0 && m_nError == 0) {
        const long nWritten = WriteSome(m_nFd, pData, nSize);
        if (nWritten < 0 && errno == EINTR) continue;
        // A write that takes nothing would loop for ever; call it a full device.
        if (nWritten <= 0) {
            m_nError = nWritten < 0 ? errno : ENOSPC;
            break;
        }
        pData += nWritten;
        nSize -= static_cast<std::size_t>(nWritten);
    }
    return m_nError == 0;
}

bool CCheckedOutput::Drain() {
    const bool bOK = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(m_buffer, m_buffer + sizeof m_buffer);
    return bOK;
}

CCheckedOutput::int_type CCheckedOutput::overflow(int_type c) {
    if (m_bClosed || !Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

// A block larger than the buffer goes out in one write instead of a buffer at a time.
std::streamsize CCheckedOutput::xsputn(const char* pData, std::streamsize nSize) {
    if (nSize < static_cast<std::streamsize>(sizeof m_buffer))
        return std::streambuf::xsputn(pData, nSize);
    if (m_bClosed || !Drain() || !WriteAll(pData, static_cast<std::size_t>(nSize))) return 0;
    return nSize;
}

int CCheckedOutput::sync() {
    return !m_bClosed && Drain() ? 0 : -1;
}

bool CCheckedOutput::Close() {
    if (m_bClosed) return m_nError == 0;
    Drain();
    m_bClosed = true;
    if (CloseFd(m_nFd) != 0 && m_nError == 0) m_nError = errno;
    return m_nError == 0;
}
