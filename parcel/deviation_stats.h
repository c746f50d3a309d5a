// How far estimates lie from weighed stones, gathered row by row in fixed memory: the bias
// (median deviation), the median absolute deviation and its 90th percentile, to 0.01 %.
// It reads no table and knows no shape.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CDeviationStats {
public:
    // Counts one deviation in %, estimate over weighed less one; beyond +-100 % as +-100 %.
    void Add(double dDeviationPct);
    std::uint64_t Count() const { return m_nCount; }
    // "bias +5.12 %, median error 5.13 %, 90th percentile 7.40 %".
    std::string Text() const;

private:
    // The deviation at rank nRank (from 0) of the signed or the absolute deviations, in %.
    double Signed(std::uint64_t nRank) const;
    double Absolute(std::uint64_t nRank) const;

    std::vector<std::uint32_t> m_anBin;  // hundredths of a percent from -100 to +100
    std::uint64_t m_nCount = 0;
};
