// s^0.3 for the world map's day side, without a call to pow per pixel.
//
// s = 2^e · m with m in [1, 2); m lies within 1/512 of one of 256 table points m_j, so
//     s^0.3 = (2^e)^0.3 · m_j^0.3 · (1 + u)^0.3,  u = m / m_j - 1,  |u| <= 1/512,
// and the last factor is its binomial series to u^4 (the next term is below 1e-15). Both tables
// come from std::pow itself, so the result agrees with std::pow(s, 0.3) to about 1e-13, relative.
// That is not exact: the shading uses it only to decide how a byte rounds, and falls back to
// std::pow whenever a byte lies too close to a rounding boundary for that to be safe.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace heliomark {

class PowerTable {
  public:
    PowerTable();
    // Approximately std::pow(s, 0.3) for normal s in (0, 2); subnormal s gives std::pow exactly.
    double Power03(double s) const {
        const uint64_t bits = std::bit_cast<uint64_t>(s);
        const auto biased = static_cast<int>(bits >> 52);
        if (biased == 0 || biased >= 1024) return std::pow(s, 0.3);
        const auto j = static_cast<int>((bits >> 44) & 0xFF);
        const double m = std::bit_cast<double>((bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
        const double u = m * inverse_[j] - 1;
        // (1 + u)^0.3 = 1 + 0.3u - 0.105u² + 0.0595u³ - 0.0401625u⁴ + ...
        const double series = 1 + u * (0.3 + u * (-0.105 + u * (0.0595 + u * -0.0401625)));
        return exponentPart_[biased] * mantissaPart_[j] * series;
    }

  private:
    std::array<double, 1024> exponentPart_;  // (2^e)^0.3 for biased exponents 0 .. 1023
    std::array<double, 256> mantissaPart_;   // m_j^0.3
    std::array<double, 256> inverse_;        // 1 / m_j
};

}  // namespace heliomark
