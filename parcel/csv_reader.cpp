#include "csv_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Field ends are 32-bit offsets.
constexpr std::size_t kLargestRecord = 0xFFFFFFF0u;

}  // namespace

bool DetectDialect(std::string_view header, bool bEnded, CsvDialect& dialect) {
    std::size_t anCount[3] = {0, 0, 0};
    const char acCandidate[3] = {',', ';', '\t'};
    bool bQuoted = false;
    std::size_t i = 0;
    for (; i < header.size(); ++i) {
        const char c = header[i];
        if (c == '"') bQuoted = !bQuoted;
        if (bQuoted) continue;
        if (c == '\n') break;
        // A CR alone ends the line of older exports; which it is, only the next byte tells.
        if (c == '\r' && i + 1 == header.size() && !bEnded) return false;
        if (c == '\r' && (i + 1 == header.size() || header[i + 1] != '\n')) break;
        for (int n = 0; n < 3; ++n)
            if (c == acCandidate[n]) ++anCount[n];
    }
    if (i == header.size() && !bEnded) return false;
    const std::size_t nBest = std::max_element(anCount, anCount + 3) - anCount;
    dialect.cDelimiter = anCount[nBest] > 0 ? acCandidate[nBest] : ',';
    dialect.cLineEnd = i < header.size() && header[i] == '\r' ? '\r' : '\n';
    return true;
}

CCsvReader::CCsvReader(std::size_t nMaxRecord)
    : m_nMaxRecord(std::min(nMaxRecord, kLargestRecord)) {}

void CCsvReader::Feed(std::string_view bytes) {
    m_pData = bytes.data();
    m_nPos = 0;
    m_nEnd = bytes.size();
    m_bReadingPending = false;
}

void CCsvReader::BeginRecord() {
    m_strText.clear();
    m_anFieldEnd.clear();
    m_bInPlace = true;  // until the record proves otherwise
    m_nRecordBytes = 0;
    m_eState = kFieldStart;
    m_bTooLong = m_bBareCr = m_bCrLf = m_bQuoted = m_bStray = false;
    m_nFirstBreak = kNone;
    m_nLinesTaken = 0;
    m_strRaw.clear();
    m_bInRecord = true;
}

CCsvReader::EOutcome CCsvReader::Next() {
    for (;;) {
        if (!m_bInRecord) {
            while (m_nPos == m_nEnd)
                if (!ResumeFed()) return m_bEnded ? kEnd : kNeedMore;
            BeginRecord();
        }
        while (m_nPos < m_nEnd) {
            const std::size_t nBefore = m_nPos;
            const bool bRaw = m_nFirstBreak != kNone;
            const bool bEnded = Step();
            if (bRaw) m_strRaw.append(m_pData + nBefore, m_nPos - nBefore);
            if (m_bStray) ReadAgainAfterFirstLine();
            if (!bEnded && !m_bStray) continue;
            m_bInRecord = false;
            return m_bTooLong ? kTooLong : kRecord;
        }
        if (ResumeFed()) continue;
        if (!m_bEnded) return kNeedMore;
        m_bInRecord = false;
        if (m_eState == kQuoted && !m_bTooLong) {
            ReadAgainAfterFirstLine();
            return kRecord;
        }
        EndField();
        return m_bTooLong ? kTooLong : kRecord;
    }
}

// Back to the fed bytes once the pending ones are read; false when it was reading those already.
bool CCsvReader::ResumeFed() {
    if (!m_bReadingPending) return false;
    m_pData = m_pFed;
    m_nPos = 0;
    m_nEnd = m_nFedLeft;
    m_bReadingPending = false;
    return true;
}

// Takes what the buffer holds of the current state; true once the record has ended.
bool CCsvReader::Step() {
    switch (m_eState) {
        case kFieldStart:
            if (m_bInPlace && StepInPlace()) return true;
            m_eState = kUnquoted;
            if (m_pData[m_nPos] != '"') return StepUnquoted();
            m_eState = kQuoted;
            m_bQuoted = true;
            m_nQuotedStart = m_strText.size();
            Count(1);
            ++m_nPos;
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

// A record of unquoted fields that lies whole in the bytes at hand is read where it lies, none of
// its fields copied; true when it was. Any other record is read from its start again into its
// own text.
bool CCsvReader::StepInPlace() {
    m_bInPlace = false;
    const char* const pRecord = m_pData + m_nPos;
    const std::size_t nRoom =
        std::min(m_nEnd - m_nPos, std::min(m_nMaxRecord, std::size_t{1} << 30));
    const char cDelimiter = m_dialect.cDelimiter;
    const char cLineEnd = m_dialect.cLineEnd;
    const auto* pEnd = static_cast<const char*>(std::memchr(pRecord, cLineEnd, nRoom));
    if (pEnd == nullptr || std::memchr(pRecord, '"', static_cast<std::size_t>(pEnd - pRecord)))
        return false;
    // The line end stops every scan, so the scans need no other bound.
    const char* p = pRecord;
    for (;; ++p) {
        const char* const pField = p;
        while (*p != cDelimiter && *p != cLineEnd)
            ++p;
        if (p != pEnd) {
            m_anFieldEnd.push_back(static_cast<std::uint32_t>(p - pRecord));
            continue;
        }
        // CR LF ends the line like LF.
        m_bCrLf = cLineEnd == '\n' && p != pField && p[-1] == '\r';
        m_anFieldEnd.push_back(static_cast<std::uint32_t>(p - pRecord - (m_bCrLf ? 1 : 0)));
        m_pInPlace = pRecord;
        m_bInPlace = true;
        m_nPos = static_cast<std::size_t>(p + 1 - m_pData);
        return true;
    }
}

// Reads unquoted fields up to the line end, or until a field opens a quote or the bytes end.
bool CCsvReader::StepUnquoted() {
    const char* const pLast = m_pData + m_nEnd;
    const char cDelimiter = m_dialect.cDelimiter;
    const char cLineEnd = m_dialect.cLineEnd;
    const char* p = m_pData + m_nPos;
    for (;;) {
        const char* const pFirst = p;
        while (p != pLast && *p != cDelimiter && *p != cLineEnd)
            ++p;
        if (p != pLast && *p == cDelimiter) {
            // The field and its delimiter in one: the text keeps each field's delimiter after it.
            Count(static_cast<std::size_t>(p + 1 - pFirst));
            if (!m_bTooLong) {
                m_strText.append(pFirst, static_cast<std::size_t>(p + 1 - pFirst));
                m_anFieldEnd.push_back(static_cast<std::uint32_t>(m_strText.size() - 1));
            }
            m_bBareCr = false;
            m_nPos = static_cast<std::size_t>(++p - m_pData);
            // The next field follows at once, unless it opens a quote or the bytes end first.
            if (p != pLast && *p != '"' && !m_bStray) continue;
            m_eState = kFieldStart;
            return false;
        }
        Keep(pFirst, p);
        if (p != pFirst) m_bBareCr = p[-1] == '\r' && cLineEnd == '\n';
        m_nPos = static_cast<std::size_t>(p - m_pData);
        if (p == pLast || m_bStray) return false;
        ++m_nPos;
        Count(1);
        break;
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
    // No further than the byte past the limit, so a stray quote takes in the same lines
    // however the bytes were cut into chunks.
    const std::size_t nRoom = m_bTooLong || m_nRecordBytes > m_nMaxRecord
                                  ? m_nEnd - m_nPos
                                  : std::min(m_nEnd - m_nPos, m_nMaxRecord - m_nRecordBytes + 1);
    const char* const pLast = pFirst + nRoom;
    const char* p = std::find(pFirst, pLast, '"');
    const char* const pBreak = std::find(pFirst, p, m_dialect.cLineEnd);
    m_nLinesTaken += static_cast<std::size_t>(std::count(pBreak, p, m_dialect.cLineEnd));
    // The quote goes on over a line end: from there on its bytes are kept, to be read again
    // should it prove a stray quote.
    const bool bFirstBreak = pBreak != p && m_nFirstBreak == kNone && !m_bTooLong;
    if (bFirstBreak) m_nFirstBreak = m_strText.size() + static_cast<std::size_t>(pBreak - pFirst);
    Keep(pFirst, p);
    m_bBareCr = false;
    m_nPos = static_cast<std::size_t>(p - m_pData);
    if (p != pLast && !m_bStray) {
        ++m_nPos;
        Count(1);
        m_eState = kQuoteSeen;
    }
    if (bFirstBreak) m_strRaw.assign(pBreak + 1, m_pData + m_nPos);
}

void CCsvReader::Keep(const char* pFirst, const char* pLast) {
    Count(pLast - pFirst);
    if (!m_bTooLong) m_strText.append(pFirst, static_cast<std::size_t>(pLast - pFirst));
}

void CCsvReader::Count(std::size_t nBytes) {
    m_nRecordBytes += nBytes;
    if (m_nRecordBytes <= m_nMaxRecord || m_bTooLong || m_bStray) return;
    // A quote that runs over lines past the limit is taken for a stray one.
    if (m_nFirstBreak != kNone) {
        m_bStray = true;
        return;
    }
    // Past the limit nothing more is kept; the rest of the record is only read through.
    m_bTooLong = true;
    m_strText.clear();
    m_anFieldEnd.clear();
}

void CCsvReader::EndField() {
    m_bBareCr = false;
    if (m_bTooLong) return;
    m_anFieldEnd.push_back(static_cast<std::uint32_t>(m_strText.size()));
    m_strText.push_back(m_dialect.cDelimiter);
}

bool CCsvReader::TakeAsStrayQuote() {
    if (m_nFirstBreak == kNone) return false;
    ReadAgainAfterFirstLine();
    return true;
}

// The record becomes the first line of its stray quote's field, split at its delimiters with the
// quote kept as a character; the bytes after that line are read again.
void CCsvReader::ReadAgainAfterFirstLine() {
    m_bStray = true;
    const std::size_t nLineEnd = m_nFirstBreak == kNone ? m_strText.size() : m_nFirstBreak;
    std::string strLine = "\"" + m_strText.substr(m_nQuotedStart, nLineEnd - m_nQuotedStart);
    m_strText.resize(m_nQuotedStart);
    while (!m_anFieldEnd.empty() && m_anFieldEnd.back() >= m_nQuotedStart)
        m_anFieldEnd.pop_back();
    m_bCrLf = m_dialect.cLineEnd == '\n' && strLine.back() == '\r';
    if (m_bCrLf) strLine.pop_back();
    m_bTooLong = false;
    for (std::size_t nBegin = 0;;) {
        const std::size_t nEnd =
            std::min(strLine.find(m_dialect.cDelimiter, nBegin), strLine.size());
        m_strText.append(strLine, nBegin, nEnd - nBegin);
        EndField();
        if (nEnd == strLine.size()) break;
        nBegin = nEnd + 1;
    }
    if (m_nFirstBreak == kNone) return;
    std::string strPending = std::move(m_strRaw);
    if (m_bReadingPending) {
        strPending.append(m_pData + m_nPos, m_nEnd - m_nPos);
    } else {
        m_pFed = m_pData + m_nPos;
        m_nFedLeft = m_nEnd - m_nPos;
    }
    m_strPending = std::move(strPending);
    m_pData = m_strPending.data();
    m_nPos = 0;
    m_nEnd = m_strPending.size();
    m_bReadingPending = true;
    m_nFirstBreak = kNone;
}

std::string_view CCsvReader::Field(std::size_t nIndex) const {
    const std::uint32_t nBegin = nIndex == 0 ? 0 : m_anFieldEnd[nIndex - 1] + 1;
    return std::string_view(TextData() + nBegin, m_anFieldEnd[nIndex] - nBegin);
}

std::string_view CCsvReader::Text() const {
    return std::string_view(TextData(), m_anFieldEnd.empty() ? 0 : m_anFieldEnd.back());
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
