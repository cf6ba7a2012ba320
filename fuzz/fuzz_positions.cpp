// libFuzzer target: the readers of pos.ini and of the views' pos_views.ini, one parser for five
// lines or two. Positions that are read must be written and read back exactly (the shortest
// decimal form of a single-precision value reads back as that value).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/data.h"

namespace {

template <typename Positions, typename Parse, typename Serialize>
void ReadAndWriteBack(std::string_view text, Parse parse, Serialize serialize) {
    Positions positions;
    try {
        positions = parse("pos.ini", text);
    } catch (const heliomark::DataFileError&) {
        return;
    }
    const Positions back = parse("pos.ini", serialize(positions));
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (back[i].Left != positions[i].Left || back[i].Top != positions[i].Top) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace heliomark;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReadAndWriteBack<WindowPositions>(text, ParseWindowPositions, SerializeWindowPositions);
    ReadAndWriteBack<ViewPositions>(text, ParseViewPositions, SerializeViewPositions);
    return 0;
}
