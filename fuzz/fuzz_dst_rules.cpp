// libFuzzer target: the DST rule reader. What is read must survive a write and a second read, and the
// rules read must give DST periods for any year without fault. A file cut short is salvaged: the
// rules before the cut are a complete file of their own, and a good file salvages to itself.
#include <cstddef>
#include <cstdint>

#include "data/data.h"

namespace {

bool Same(const heliomark::DstRuleDay& a, const heliomark::DstRuleDay& b) {
    return a.Weekday == b.Weekday && a.Ordinal == b.Ordinal && a.Month == b.Month;
}

bool Same(const heliomark::DstRuleList& a, const heliomark::DstRuleList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Name != b[i].Name || !Same(a[i].Start, b[i].Start) || !Same(a[i].End, b[i].End) ||
            a[i].Years.size() != b[i].Years.size()) {
            return false;
        }
        for (std::size_t y = 0; y < a[i].Years.size(); ++y) {
            const auto &p = a[i].Years[y], &q = b[i].Years[y];
            if (p.Year != q.Year || p.StartDate != q.StartDate || p.EndDate != q.EndDate) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace heliomark;
    Salvage salvage;
    DstRuleList kept;
    bool keptRead = true;
    try {
        kept = ParseDstRules("dst_types.txt", data, size, &salvage);
    } catch (const DataFileError&) {
        keptRead = false;
    }
    if (salvage.CutShort) {
        const auto bytes = SerializeDstRules(kept);
        if (!Same(ParseDstRules("dst_types.txt", bytes.data(), bytes.size()), kept)) __builtin_trap();
    }
    DstRuleList rules;
    try {
        rules = ParseDstRules("dst_types.txt", data, size);
    } catch (const DataFileError&) {
        return 0;
    }
    if (!keptRead || salvage.CutShort || !Same(kept, rules)) __builtin_trap();
    const auto bytes = SerializeDstRules(rules);
    if (!Same(ParseDstRules("dst_types.txt", bytes.data(), bytes.size()), rules)) __builtin_trap();
    for (const DstRule& rule : rules) {
        for (int year : {1, 1900, 2024, 9999}) {
            if (auto period = DstPeriodForYear(rule, year)) IsInDstPeriod(DateSerial(year, 6, 1), *period);
        }
    }
    return 0;
}
