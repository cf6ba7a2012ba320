// libFuzzer target: the pos.ini reader. Positions that are read must be written and read back
// exactly (the shortest decimal form of a single-precision value reads back as that value).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace heliomark;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    WindowPositions positions;
    try {
        positions = ParseWindowPositions("pos.ini", text);
    } catch (const DataFileError&) {
        return 0;
    }
    const WindowPositions back = ParseWindowPositions("pos.ini", SerializeWindowPositions(positions));
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (back[i].Left != positions[i].Left || back[i].Top != positions[i].Top) __builtin_trap();
    }
    return 0;
}
