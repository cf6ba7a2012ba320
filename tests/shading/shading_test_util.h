// Pictures and places shared by the shading tests.
#pragma once

#include <cstdint>
#include <string>

#include "engine/engine.h"
#include "shading/pixel_buffer.h"

namespace heliomark::test {

// Deterministic bytes over the whole 0..255 range (a linear congruential generator).
inline PixelBuffer NoisePicture(int32_t width, int32_t height, uint32_t seed) {
    PixelBuffer b = CreatePixelBuffer(width, height);
    for (uint8_t& byte : b.Bits) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(seed >> 24);
    }
    return b;
}

struct Place {
    const char* Name;
    double LatitudeDeg, Longitude, Zone;
    int Year, Month, Day;
};

inline SolarState StateFor(const Place& p) {
    SolarState s;
    s.Latitude = DegToRad(p.LatitudeDeg);
    s.Longitude = p.Longitude;
    s.ZoneHours = p.Zone;
    s.Year = static_cast<int16_t>(p.Year);
    s.Month = static_cast<int16_t>(p.Month);
    s.Day = static_cast<int16_t>(p.Day);
    return s;
}

}  // namespace heliomark::test
