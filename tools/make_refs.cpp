// Writes resources/refs.txt: the refraction table the program interpolates in.
//
// 139 (geometric altitude, refracted altitude) pairs in radians, little-endian doubles, key first,
// covering every altitude from the nadir (-90°) to the zenith (+90°), so the lookup never has to
// extend an end segment.
//
// Refraction near and above the horizon is Saemundsson's formula for the true (geometric) altitude
// h in degrees,
//     R = 1.02 / tan(h + 10.3 / (h + 5.11))  arc minutes,
// for 1010 mbar and 10 °C, with Meeus's +0.0019279' so that R is 0 at the zenith
// (J. Meeus, "Astronomical Algorithms", 2nd ed., ch. 16, eq. 16.4; T. Saemundsson, Sky & Telescope
// 72, 70, 1986). It is used from -1° up. The Sun's centre is seen on the horizon at about -0.575°,
// so -1° still covers every sunrise and sunset with the formula's own values.
//
// Below the horizon the formula stops meaning anything: it grows without bound towards its pole at
// -5.11°, while light from a Sun well below the horizon never reaches the observer, so there is no
// refraction to speak of. From -5° down the refracted altitude is the geometric one (R = 0). Between
// -5° and -1° a cubic joins the two: it starts at R = 0 with zero slope and ends on the formula's
// value and slope at -1° (a cubic Hermite segment), so the refracted altitude has no step and no
// kink anywhere. R stays positive on the join, and its slope stays above -1, so the refracted
// altitude keeps rising with the geometric one and refraction never lowers the Sun.
//
// The altitudes: -90°; every 0.25° from -5° to -1.25° (the join); every 0.1° from -1° to 5°, where
// refraction changes fastest; every 0.5° up to 20°; then 31 equal steps to the zenith.
//
// Usage: make_refs OUTPUT. The output depends only on this program, so it is byte-for-byte
// reproducible.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/engine.h"

namespace {

constexpr double JoinBottom = -5.0;  // degrees; no refraction at and below
constexpr double JoinTop = -1.0;     // degrees; Saemundsson's formula at and above

// Saemundsson's refraction and its derivative, both in degrees (of refraction per degree of h).
// Meeus's constant makes R vanish at the zenith only to its four digits: there the sum comes out a
// hair below zero (-1e-6'), which is taken as the zero it stands for.
double FormulaDegrees(double h) {
    const double arg = heliomark::DegToRad(h + 10.3 / (h + 5.11));
    return std::max(0.0, (1.02 / std::tan(arg) + 0.0019279) / 60);
}

double FormulaSlope(double h) {
    const double arg = heliomark::DegToRad(h + 10.3 / (h + 5.11));
    const double argSlope = 1 - 10.3 / ((h + 5.11) * (h + 5.11));  // d(arg)/dh, degrees per degree
    const double sine = std::sin(arg);
    return -1.02 / (sine * sine) * heliomark::DegToRad(argSlope) / 60;
}

double RefractionDegrees(double h) {
    if (h <= JoinBottom) return 0;
    if (h >= JoinTop) return FormulaDegrees(h);
    // Hermite basis on t in [0, 1]; the bottom end contributes nothing (value and slope 0).
    const double width = JoinTop - JoinBottom;
    const double t = (h - JoinBottom) / width;
    const double valueWeight = t * t * (3 - 2 * t);
    const double slopeWeight = t * t * (t - 1);
    return valueWeight * FormulaDegrees(JoinTop) + slopeWeight * width * FormulaSlope(JoinTop);
}

void PutDouble(std::vector<unsigned char>& out, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<unsigned char>(bits >> (8 * i)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::vector<double> altitudes{-90.0};
    for (int i = 0; i < 16; ++i)
        altitudes.push_back(JoinBottom + i / 4.0);
    for (int i = 0; i <= 60; ++i)
        altitudes.push_back(JoinTop + i / 10.0);
    for (int i = 1; i <= 30; ++i)
        altitudes.push_back(5.0 + i / 2.0);
    for (int i = 1; i <= 31; ++i)
        altitudes.push_back(20.0 + 70.0 * i / 31);
    if (altitudes.size() != 139) {
        std::fprintf(stderr, "internal error: %zu altitudes\n", altitudes.size());
        return 1;
    }
    std::vector<unsigned char> bytes;
    for (double h : altitudes) {
        PutDouble(bytes, heliomark::DegToRad(h));
        PutDouble(bytes, heliomark::DegToRad(h + RefractionDegrees(h)));
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
