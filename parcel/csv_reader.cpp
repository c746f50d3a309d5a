#include "csv_reader.h"

#include <algorithm>

namespace {

// Field ends are 32-bit offsets.
constexpr std::size_t kLargestRecord = 0xFFFFFFF0u;

}  // namespace

CCsvReader::CCsvReader(std::size_t nMaxRecord)
    : m_nMaxRecord(std::min(nMaxRecord, kLargestRecord)) {}

char DetectDelimiter(std::string_view header) {
    std::size_t anCount[3] = {0, 0, 0};
    const char acCandidate[3] = {',', ';', '\t'};
    bool bQuoted = false;
    for (std::size_t i = 0; i < header.size() && (bQuoted || header[i] != '\n'); ++i) {
        const char c = header[i];
        if (c == '"') bQuoted = !bQuoted;
        for (int n = 0; n < 3; ++n)
            if (!bQuoted && c == acCandidate[n]) ++anCount[n];
    }
    const std::size_t nBest = std::max_element(anCount, anCount + 3) - anCount;
    return anCount[nBest] > 0 ? acCandidate[nBest] : ',';
}

void CCsvReader::Feed(std::string_view bytes) {
    m_nBytesBefore += m_nEnd;
    m_pData = bytes.data();
    m_nPos = 0;
    m_nEnd = bytes.size();
}

void CCsvReader::BeginRecord() {
    m_strText.clear();
    m_anFieldEnd.clear();
    m_nRecordBytes = 0;
    m_eState = kFieldStart;
    m_bTooLong = m_bBareCr = m_bCrLf = m_bQuoted = m_bQuoteOpen = false;
    m_bInRecord = true;
}

CCsvReader::EOutcome CCsvReader::Next() {
    if (!m_bInRecord) {
        if (m_nPos == m_nEnd) return m_bEnded ? kEnd : kNeedMore;
        BeginRecord();
    }
    while (m_nPos < m_nEnd) {
        if (Step()) {
            m_bInRecord = false;
            return m_bTooLong ? kTooLong : kRecord;
        }
    }
    if (!m_bEnded) return kNeedMore;
    m_bQuoteOpen = m_eState == kQuoted;
    EndField();
    m_bInRecord = false;
    return m_bTooLong ? kTooLong : kRecord;
}

// Takes what the buffer holds of the current state; true once the record has ended.
bool CCsvReader::Step() {
    switch (m_eState) {
        case kFieldStart:
            m_eState = kUnquoted;
            if (m_pData[m_nPos] == '"') {
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
            if (m_pData[m_nPos] == '"') {
                Keep(&m_pData[m_nPos], &m_pData[m_nPos] + 1);
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
    const char* const pFirst = m_pData + m_nPos;
    const char* const pLast = m_pData + m_nEnd;
    const char* p = pFirst;
    while (p != pLast && *p != m_cDelimiter && *p != '\n')
        ++p;
    Keep(pFirst, p);
    if (p != pFirst) m_bBareCr = p[-1] == '\r';
    m_nPos = static_cast<std::size_t>(p - m_pData);
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
    const char* const pFirst = m_pData + m_nPos;
    const char* const pLast = m_pData + m_nEnd;
    const char* p = std::find(pFirst, pLast, '"');
    Keep(pFirst, p);
    m_bBareCr = false;
    m_nPos = static_cast<std::size_t>(p - m_pData);
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
