// The shipped pictures must be what the windows expect: 24-bit uncompressed bottom-up BMP files of
// the sizes the shading is built for (a regenerated file of another size would only show grey).
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "shading/day_view.h"
#include "shading/pixel_buffer.h"
#include "shading/world_map.h"

namespace heliomark {
namespace {

uint32_t Little(const std::vector<uint8_t>& b, std::size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b[at + i];
    return v;
}

TEST(Pictures, ShippedBitmapsHaveTheExpectedLayout) {
    struct Case {
        const char* File;
        int32_t Width, Height;
    } cases[] = {{"world.bmp", MapWidth, 2 * MapHeight},
                 {"graf.bmp", DayViewWidth, 2 * DayViewHeight},
                 {"graf_hours.bmp", DayViewWidth, 15},
                 {"graf_altitudes.bmp", 22, DayViewHeight}};
    for (const Case& c : cases) {
        std::ifstream in(std::string(HELIOMARK_SOURCE_DIR) + "/resources/" + c.File, std::ios::binary);
        ASSERT_TRUE(in) << c.File;
        const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t pixels = static_cast<std::size_t>(RowStride(c.Width)) * c.Height;
        ASSERT_EQ(b.size(), 54 + pixels) << c.File;
        EXPECT_EQ(b[0], 'B') << c.File;
        EXPECT_EQ(b[1], 'M') << c.File;
        EXPECT_EQ(Little(b, 10, 4), 54u) << c.File << ": pixel data offset";
        EXPECT_EQ(Little(b, 18, 4), static_cast<uint32_t>(c.Width)) << c.File;
        EXPECT_EQ(Little(b, 22, 4), static_cast<uint32_t>(c.Height)) << c.File << ": bottom-up";
        EXPECT_EQ(Little(b, 28, 2), 24u) << c.File << ": bits per pixel";
        EXPECT_EQ(Little(b, 30, 4), 0u) << c.File << ": uncompressed";
    }
}

}  // namespace
}  // namespace heliomark
