#include "shading/pixel_buffer.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace heliomark {

namespace {

constexpr int32_t MaxSide = 16384;

uint8_t* PixelAddress(PixelBuffer& b, int32_t column, int32_t displayRow) {
    return b.Row(b.Height - 1 - displayRow) + static_cast<std::size_t>(column) * 3;
}

const uint8_t* PixelAddress(const PixelBuffer& b, int32_t column, int32_t displayRow) {
    return b.Row(b.Height - 1 - displayRow) + static_cast<std::size_t>(column) * 3;
}

}  // namespace

int32_t RowStride(int32_t width) {
    return (width * 3 + 3) & ~3;
}

PixelBuffer CreatePixelBuffer(int32_t width, int32_t height) {
    if (width < 1 || width > MaxSide || height < 1 || height > MaxSide) {
        throw std::invalid_argument("pixel buffer size " + std::to_string(width) + " x " +
                                    std::to_string(height) + " is out of range");
    }
    PixelBuffer b;
    b.Width = width;
    b.Height = height;
    b.Stride = RowStride(width);
    b.Bits.assign(static_cast<std::size_t>(b.Stride) * height, 0);
    return b;
}

PixelBuffer SolidPixelBuffer(int32_t width, int32_t height, Rgb colour) {
    PixelBuffer b = CreatePixelBuffer(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            SetPixel(b, x, y, colour);
    }
    return b;
}

PixelBuffer PixelBufferFromTopDownRgb(int32_t width, int32_t height, const uint8_t* rgb,
                                      std::size_t bytesPerLine) {
    if (bytesPerLine < static_cast<std::size_t>(width) * 3) {
        throw std::invalid_argument("picture rows are shorter than their width");
    }
    PixelBuffer b = CreatePixelBuffer(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = rgb + static_cast<std::size_t>(y) * bytesPerLine;
        for (int32_t x = 0; x < width; ++x)
            SetPixel(b, x, y, {in[3 * x], in[3 * x + 1], in[3 * x + 2]});
    }
    return b;
}

void CopyToTopDownRgb(const PixelBuffer& buffer, uint8_t* rgb, std::size_t bytesPerLine) {
    for (int32_t y = 0; y < buffer.Height; ++y) {
        uint8_t* out = rgb + static_cast<std::size_t>(y) * bytesPerLine;
        for (int32_t x = 0; x < buffer.Width; ++x) {
            const Rgb c = GetPixel(buffer, x, y);
            out[3 * x] = c.R;
            out[3 * x + 1] = c.G;
            out[3 * x + 2] = c.B;
        }
    }
}

Rgb GetPixel(const PixelBuffer& buffer, int32_t column, int32_t displayRow) {
    const uint8_t* p = PixelAddress(buffer, column, displayRow);
    return {p[2], p[1], p[0]};
}

void SetPixel(PixelBuffer& buffer, int32_t column, int32_t displayRow, Rgb colour) {
    uint8_t* p = PixelAddress(buffer, column, displayRow);
    p[0] = colour.B;
    p[1] = colour.G;
    p[2] = colour.R;
}

Rgb PictureColour(char letter) {
    static constexpr std::pair<char, Rgb> colours[] = {{'R', {255, 0, 0}},
                                                       {'W', {255, 255, 255}},
                                                       {'K', {0, 0, 0}},
                                                       {'Y', {255, 224, 64}},
                                                       {'O', {160, 80, 0}}};
    for (const auto& [key, colour] : colours) {
        if (key == letter) return colour;
    }
    throw std::invalid_argument(std::string("unknown picture letter ") + letter);
}

std::vector<int16_t> HalfDifferences(const PixelBuffer& source, bool lowerMinusUpper) {
    const int32_t half = source.Height / 2, bytes = source.Width * 3;
    std::vector<int16_t> table(static_cast<std::size_t>(bytes) * half);
    for (int32_t y = 0; y < half; ++y) {
        const uint8_t* lower = source.Row(y);
        const uint8_t* upper = source.Row(y + half);
        int16_t* d = &table[static_cast<std::size_t>(y) * bytes];
        for (int32_t x = 0; x < bytes; ++x) {
            d[x] = static_cast<int16_t>(lowerMinusUpper ? lower[x] - upper[x] : upper[x] - lower[x]);
        }
    }
    return table;
}

PixelBuffer PictureFromRows(const std::vector<std::string_view>& rows) {
    PixelBuffer b =
        CreatePixelBuffer(static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size()));
    for (int32_t y = 0; y < b.Height; ++y) {
        if (rows[y].size() != static_cast<std::size_t>(b.Width)) {
            throw std::invalid_argument("picture rows differ in length");
        }
        for (int32_t x = 0; x < b.Width; ++x)
            SetPixel(b, x, y, PictureColour(rows[y][x]));
    }
    return b;
}

void BlockTransfer(PixelBuffer& dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const PixelBuffer& src,
                   int32_t sx, int32_t sy, BlockOp op) {
    for (int32_t j = 0; j < h; ++j) {
        const int32_t ty = dy + j, fy = sy + j;
        if (ty < 0 || ty >= dst.Height || fy < 0 || fy >= src.Height) continue;
        for (int32_t i = 0; i < w; ++i) {
            const int32_t tx = dx + i, fx = sx + i;
            if (tx < 0 || tx >= dst.Width || fx < 0 || fx >= src.Width) continue;
            uint8_t* to = PixelAddress(dst, tx, ty);
            const uint8_t* from = PixelAddress(src, fx, fy);
            for (int c = 0; c < 3; ++c) {
                switch (op) {
                    case BlockOp::Copy:
                        to[c] = from[c];
                        break;
                    case BlockOp::And:
                        to[c] &= from[c];
                        break;
                    case BlockOp::Or:
                        to[c] |= from[c];
                        break;
                }
            }
        }
    }
}

}  // namespace heliomark
