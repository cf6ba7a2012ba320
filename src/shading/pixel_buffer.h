// Off-screen 24-bit pictures as the day view and the world map keep them: three bytes per pixel in the
// order blue, green, red, rows `Stride` bytes apart, bottom row first (the layout of an uncompressed
// bottom-up BMP, so a BMP's pixel array is a buffer's `Bits` as is). Plain C++, no windowing code.
//
// Two ways of addressing a buffer are used. The shading works on the byte matrix P(x, y): x the byte
// column 0 .. Stride - 1, y the memory row 0 .. Height - 1 counted from the BOTTOM. Block transfers,
// markers and mouse positions use display coordinates: pixel column and display row counted from the
// TOP, as on screen. Display row d is memory row Height - 1 - d.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace heliomark {

struct Rgb {
    uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct PixelBuffer {
    int32_t Width = 0;          // pixels
    int32_t Height = 0;         // pixels
    int32_t Stride = 0;         // bytes per row: Width * 3 rounded up to a multiple of 4
    std::vector<uint8_t> Bits;  // Stride * Height bytes, memory row 0 (the bottom row) first

    uint8_t* Row(int32_t memoryRow) { return Bits.data() + static_cast<std::size_t>(memoryRow) * Stride; }
    const uint8_t* Row(int32_t memoryRow) const {
        return Bits.data() + static_cast<std::size_t>(memoryRow) * Stride;
    }
};

// (width * 3 + 3) with the two low bits cleared.
int32_t RowStride(int32_t width);

// A black buffer. Throws std::invalid_argument for sizes outside 1 .. 16384.
PixelBuffer CreatePixelBuffer(int32_t width, int32_t height);
// A buffer filled with one colour (the stand-in for a picture that could not be read).
PixelBuffer SolidPixelBuffer(int32_t width, int32_t height, Rgb colour);

// Conversions from and to top-down rows of R, G, B bytes, `bytesPerLine` apart (the layout of a
// QImage in Format_RGB888), so the window side hands pictures over without knowing the memory order.
PixelBuffer PixelBufferFromTopDownRgb(int32_t width, int32_t height, const uint8_t* rgb,
                                      std::size_t bytesPerLine);
void CopyToTopDownRgb(const PixelBuffer& buffer, uint8_t* rgb, std::size_t bytesPerLine);

// One pixel in display coordinates; no range check beyond the caller's.
Rgb GetPixel(const PixelBuffer& buffer, int32_t column, int32_t displayRow);
void SetPixel(PixelBuffer& buffer, int32_t column, int32_t displayRow, Rgb colour);

// The colours of the fixed marker pictures by letter: R red, W white, K black, Y yellow, O brown.
// Throws std::invalid_argument for any other letter.
Rgb PictureColour(char letter);
// A small picture from text rows, top row first, one PictureColour letter per pixel.
PixelBuffer PictureFromRows(const std::vector<std::string_view>& rows);

// For a picture made of two halves one above the other: D(x, y) = P(x, y + Height/2) - P(x, y) for
// every byte column x of the pixels (0 .. 3 * Width - 1) and memory row y of the lower half, row
// after row, that is the upper half on screen minus the lower half; `lowerMinusUpper` flips the sign.
std::vector<int16_t> HalfDifferences(const PixelBuffer& source, bool lowerMinusUpper);

// Block transfer of a w x h rectangle from `src` at (sx, sy) to `dst` at (dx, dy), display
// coordinates, combining the bytes by copy, AND or OR. Only pixels that lie inside BOTH buffers are
// touched: a block that reaches over an edge is clipped, never wrapped.
enum class BlockOp { Copy, And, Or };
void BlockTransfer(PixelBuffer& dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const PixelBuffer& src,
                   int32_t sx, int32_t sy, BlockOp op);

}  // namespace heliomark
