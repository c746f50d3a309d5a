#include "csv_reader.h"

#include <algorithm>

namespace {

// Field ends are 32-bit offsets.
constexpr std::size_t kLargestRecord = 0xFFFFFFF0u;

}  // namespace

CCsvReader::CCsvReader(std::FILE* pIn, std::size_t nMaxRecord, std::size_t nBufferSize)
    : m_pIn(pIn),
      m_nMaxRecord(std::min(nMaxRecord, kLargestRecord)),
      m_buffer(new char[std::max<std::size_t>(nBufferSize, 1)]),
      m_nBufferSize(std::max<std::size_t>(nBufferSize, 1)) {}

bool CCsvReader::Fill() {
    if (m_nPos < m_nEnd) return true;
    if (m_bEof) return false;
    m_nBytesBefore += m_nEnd;
    m_nPos = 0;
    m_nEnd = std::fread(m_buffer.get(), 1, m_nBufferSize, m_pIn);
    m_bEof = m_nEnd == 0;
    return !m_bEof;
}

char CCsvReader::DetectDelimiter() {
    if (!Fill()) return m_cDelimiter;
    // fread fills the buffer unless the input ends first, so a short header lies whole in it.
    m_bByteOrderMark =
        m_nEnd - m_nPos >= 3 && std::equal(kByteOrderMark, kByteOrderMark + 3,
                                           reinterpret_cast<unsigned char*>(&m_buffer[m_nPos]));
    if (m_bByteOrderMark) m_nPos += 3;
    std::size_t anCount[3] = {0, 0, 0};
    const char acCandidate[3] = {',', ';', '\t'};
    bool bQuoted = false;
    for (std::size_t i = m_nPos; i < m_nEnd && (bQuoted || m_buffer[i] != '\n'); ++i) {
        const char c = m_buffer[i];
        if (c == '"') bQuoted = !bQuoted;
        for (int n = 0; n < 3; ++n)
            if (!bQuoted && c == acCandidate[n]) ++anCount[n];
    }
    const std::size_t nBest = std::max_element(anCount, anCount + 3) - anCount;
    m_cDelimiter = anCount[nBest] > 0 ? acCandidate[nBest] : ',';
    return m_cDelimiter;
}

CCsvReader::EOutcome CCsvReader::Next() {
    m_strText.clear();
    m_anFieldEnd.clear();
    m_nRecordBytes = 0;
    m_eState = kFieldStart;
    m_bTooLong = m_bBareCr = m_bCrLf = m_bQuoted = m_bQuoteOpen = false;
    if (!Fill()) return std::ferror(m_pIn) ? kReadError : kEnd;
    bool bRecordEnd = false;
    while (!bRecordEnd && Fill())
        bRecordEnd = Step();
    if (!bRecordEnd) {
        if (std::ferror(m_pIn)) return kReadError;
        m_bQuoteOpen = m_eState == kQuoted;
        EndField();
    }
    return m_bTooLong ? kTooLong : kRecord;
}

// Takes what the buffer holds of the current state; true once the record has ended.
bool CCsvReader::Step() {
    switch (m_eState) {
        case kFieldStart:
            m_eState = kUnquoted;
            if (m_buffer[m_nPos] == '"') {
                m_eState = kQuoted;
                m_bQuoted = true;
                Count(1);
                ++m_nPos;
            }
            return false;
        case kUnquoted:
            return StepUnquoted();
        case kQuoted:
            StepQuoted();
            return false;
        case kQuoteSeen:
            // A doubled quote stands for one; after a closing one the field goes on unquoted.
            if (m_buffer[m_nPos] == '"') {
                Keep(&m_buffer[m_nPos], &m_buffer[m_nPos] + 1);
                ++m_nPos;
                m_eState = kQuoted;
            } else {
                m_eState = kUnquoted;
            }
            return false;
    }
    return false;
}

bool CCsvReader::StepUnquoted() {
    const char* const pFirst = m_buffer.get() + m_nPos;
    const char* const pLast = m_buffer.get() + m_nEnd;
    const char* p = pFirst;
    while (p != pLast && *p != m_cDelimiter && *p != '\n')
        ++p;
    Keep(pFirst, p);
    if (p != pFirst) m_bBareCr = p[-1] == '\r';
    m_nPos = p - m_buffer.get();
    if (p == pLast) return false;
    ++m_nPos;
    Count(1);
    if (*p == m_cDelimiter) {
        EndField();
        m_eState = kFieldStart;
        return false;
    }
    // CR LF ends the line like LF; a CR inside quotes stays part of the field.
    if (m_bBareCr && !m_bTooLong) {
        m_strText.pop_back();
        m_bCrLf = true;
    }
    EndField();
    return true;
}

void CCsvReader::StepQuoted() {
    const char* const pFirst = m_buffer.get() + m_nPos;
    const char* const pLast = m_buffer.get() + m_nEnd;
    const char* p = std::find(pFirst, pLast, '"');
    Keep(pFirst, p);
    m_bBareCr = false;
    m_nPos = p - m_buffer.get();
    if (p == pLast) return;
    ++m_nPos;
    Count(1);
    m_eState = kQuoteSeen;
}

void CCsvReader::Keep(const char* pFirst, const char* pLast) {
    Count(pLast - pFirst);
    if (!m_bTooLong) m_strText.append(pFirst, static_cast<std::size_t>(pLast - pFirst));
}

void CCsvReader::Count(std::size_t nBytes) {
    m_nRecordBytes += nBytes;
    if (m_nRecordBytes <= m_nMaxRecord || m_bTooLong) return;
    // Past the limit nothing more is kept; the rest of the record is only read through.
    m_bTooLong = true;
    m_strText.clear();
    m_anFieldEnd.clear();
}

void CCsvReader::EndField() {
    m_bBareCr = false;
    if (m_bTooLong) return;
    m_anFieldEnd.push_back(static_cast<std::uint32_t>(m_strText.size()));
    m_strText.push_back(m_cDelimiter);
}

std::string_view CCsvReader::Field(std::size_t nIndex) const {
    const std::uint32_t nBegin = nIndex == 0 ? 0 : m_anFieldEnd[nIndex - 1] + 1;
    return std::string_view(m_strText).substr(nBegin, m_anFieldEnd[nIndex] - nBegin);
}

std::string_view CCsvReader::Text() const {
    return std::string_view(m_strText).substr(0, m_anFieldEnd.empty() ? 0 : m_anFieldEnd.back());
}

void AppendCsvField(std::string& line, std::string_view field, char cDelimiter) {
    bool bQuote = false;
    for (const char c : field)
        bQuote = bQuote || c == cDelimiter || c == '"' || c == '\r' || c == '\n';
    if (!bQuote) {
        line.append(field);
        return;
    }
    line.push_back('"');
    for (const char c : field) {
        if (c == '"') line.push_back('"');
        line.push_back(c);
    }
    line.push_back('"');
}
