#include "deviation_stats.h"

#include <cmath>

#include "decimal_text.h"

namespace {

constexpr int kBinsPerSide = 10000;  // hundredths of a percent up to 100 %
constexpr std::size_t kBins = 2 * kBinsPerSide + 1;

std::string Percent(double dValue, bool bSign) {
    return (bSign && dValue >= 0 ? "+" : "") + FormatFixed(dValue, 2) + " %";
}

}  // namespace

void CDeviationStats::Add(double dDeviationPct) {
    if (m_anBin.empty()) m_anBin.assign(kBins, 0);
    // In hundredths as the deviation prints with two decimals, so the summary agrees with the rows.
    const std::string printed = FormatFixed(dDeviationPct, 2);
    const double dBin = std::round(ReadDecimal(printed.data() + (printed[0] == '-'),
                                               printed.data() + printed.size())
                                       .dValue *
                                   100) *
                        (printed[0] == '-' ? -1 : 1);
    const double dClamped = dBin < -kBinsPerSide  ? -kBinsPerSide
                            : dBin > kBinsPerSide ? kBinsPerSide
                                                  : dBin;
    ++m_anBin[static_cast<std::size_t>(dClamped + kBinsPerSide)];
    ++m_nCount;
}

double CDeviationStats::Signed(std::uint64_t nRank) const {
    std::uint64_t nSeen = 0;
    for (std::size_t i = 0; i < kBins; ++i) {
        nSeen += m_anBin[i];
        if (nSeen > nRank) return (static_cast<double>(i) - kBinsPerSide) / 100;
    }
    return kBinsPerSide / 100.0;
}

double CDeviationStats::Absolute(std::uint64_t nRank) const {
    std::uint64_t nSeen = m_anBin[kBinsPerSide];
    if (nSeen > nRank) return 0.0;
    for (std::size_t i = 1; i <= kBinsPerSide; ++i) {
        nSeen += m_anBin[kBinsPerSide - i] + m_anBin[kBinsPerSide + i];
        if (nSeen > nRank) return static_cast<double>(i) / 100;
    }
    return kBinsPerSide / 100.0;
}

std::string CDeviationStats::Text() const {
    if (m_nCount == 0) return "no stone weighed and estimated";
    // The median of an even count is the lower of the two middle values, to keep it a value seen.
    const std::uint64_t nMedian = (m_nCount - 1) / 2;
    const auto nPercentile90 =
        static_cast<std::uint64_t>(std::ceil(0.9 * static_cast<double>(m_nCount))) - 1;
    return "bias " + Percent(Signed(nMedian), true) + ", median error " +
           Percent(Absolute(nMedian), false) + ", 90th percentile " +
           Percent(Absolute(nPercentile90), false);
}
