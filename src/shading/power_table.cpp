#include "shading/power_table.h"

#include <cmath>

namespace heliomark {

PowerTable::PowerTable() {
    exponentPart_[0] = 0;  // subnormals take std::pow
    for (int e = 1; e < 1024; ++e)
        exponentPart_[e] = std::pow(std::ldexp(1.0, e - 1023), 0.3);
    for (int j = 0; j < 256; ++j) {
        const double m = 1 + (j + 0.5) / 256;
        mantissaPart_[j] = std::pow(m, 0.3);
        inverse_[j] = 1 / m;
    }
}

}  // namespace heliomark
