#include "shading/pixel_buffer.h"

#include <gtest/gtest.h>

#include <vector>

#include "shading_test_util.h"

namespace heliomark {
namespace {

TEST(PixelBuffer, RowsArePaddedToFourBytes) {
    struct Case {
        int Width, Stride;
    } cases[] = {{1, 4}, {2, 8}, {3, 12}, {5, 16}, {344, 1032}, {450, 1352}};
    for (const Case& c : cases) {
        EXPECT_EQ(RowStride(c.Width), c.Stride) << "width " << c.Width;
        EXPECT_EQ(CreatePixelBuffer(c.Width, 2).Bits.size(), static_cast<std::size_t>(2 * c.Stride));
    }
    EXPECT_THROW(CreatePixelBuffer(0, 5), std::invalid_argument);
    EXPECT_THROW(CreatePixelBuffer(5, -1), std::invalid_argument);
}

TEST(PixelBuffer, BottomRowFirstInBlueGreenRedOrder) {
    PixelBuffer b = CreatePixelBuffer(2, 3);
    SetPixel(b, 1, 0, {10, 20, 30});  // top row on screen
    EXPECT_EQ(b.Row(2)[3], 30);       // blue first, in the last memory row
    EXPECT_EQ(b.Row(2)[4], 20);
    EXPECT_EQ(b.Row(2)[5], 10);
}

TEST(PixelBuffer, TopDownRgbRoundTrip) {
    const int w = 7, h = 5;
    const std::size_t line = 24;  // padded like an image row
    std::vector<uint8_t> rgb(line * h);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(i * 37);
    const PixelBuffer b = PixelBufferFromTopDownRgb(w, h, rgb.data(), line);
    EXPECT_EQ(GetPixel(b, 2, 1), (Rgb{rgb[line + 6], rgb[line + 7], rgb[line + 8]}));
    std::vector<uint8_t> back(line * h, 0);
    CopyToTopDownRgb(b, back.data(), line);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < 3 * w; ++x)
            EXPECT_EQ(back[y * line + x], rgb[y * line + x]) << x << "," << y;
    }
    EXPECT_THROW(PixelBufferFromTopDownRgb(w, h, rgb.data(), 20), std::invalid_argument);
}

TEST(PixelBuffer, BlockTransfersClipToBothBuffers) {
    const PixelBuffer src = test::NoisePicture(4, 4, 1);
    PixelBuffer dst = CreatePixelBuffer(6, 3);
    const PixelBuffer blank = dst;
    // From (-1, 2) in the source to (4, -1) in the destination, 3 x 3: only source pixels with x >= 0,
    // y <= 3 and destination pixels with x <= 5, y >= 0 take part.
    BlockTransfer(dst, 4, -1, 3, 3, src, -1, 2, BlockOp::Copy);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) {
            const int i = x - 4, j = y + 1;  // offsets inside the block
            const bool copied = i >= 1 && i < 2 && j >= 0 && j < 2;
            const Rgb expected = copied ? GetPixel(src, -1 + i, 2 + j) : GetPixel(blank, x, y);
            EXPECT_EQ(GetPixel(dst, x, y), expected) << x << "," << y;
        }
    }
    PixelBuffer masked = SolidPixelBuffer(2, 1, {0xF0, 0x0F, 0xFF});
    const PixelBuffer mask = SolidPixelBuffer(2, 1, {0x3C, 0x3C, 0x00});
    BlockTransfer(masked, 0, 0, 2, 1, mask, 0, 0, BlockOp::And);
    EXPECT_EQ(GetPixel(masked, 1, 0), (Rgb{0x30, 0x0C, 0x00}));
    BlockTransfer(masked, 0, 0, 2, 1, mask, 0, 0, BlockOp::Or);
    EXPECT_EQ(GetPixel(masked, 0, 0), (Rgb{0x3C, 0x3C, 0x00}));
}

}  // namespace
}  // namespace heliomark
