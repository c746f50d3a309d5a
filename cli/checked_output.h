// Standard output as every subcommand writes it: each write, the last flush and the close are
// checked, and the first failure is kept for main to report once. It does not retry or report.
#pragma once

#include <cstddef>
#include <streambuf>

class CCheckedOutput : public std::streambuf {
public:
    explicit CCheckedOutput(int nFd);

    // Writes what is buffered and closes the descriptor; false when any write or this failed.
    bool Close();
    // The errno of the first failure, 0 while none.
    int Error() const { return m_nError; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;
    std::streamsize xsputn(const char* pData, std::streamsize nSize) override;

private:
    bool WriteAll(const char* pData, std::size_t nSize);
    bool Drain();

    int m_nFd;
    int m_nError = 0;
    bool m_bClosed = false;
    char m_buffer[1 << 16];
};
