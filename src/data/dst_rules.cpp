// The daylight-saving rules: dst_types.txt, lookups, and the DST period a rule gives for a year.
//
// File layout (little-endian, no padding): int16 rule count; per rule the whole record as the classic
// binary Put writes a structure holding a dynamic array -- 15-byte name, int16 YearCount, Start and
// End (int16 Weekday, Ordinal, Month each), int16 dimensions (0 without year list, else 1), and when 1
// an int32 entry count, an int32 lower bound (1) and the entries -- followed by the YearCount entries
// a second time. An entry is int16 Year, double StartDate, double EndDate (OLE dates), 18 bytes.
// The reader uses the second copy, as the program always has.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

#include "data/byte_io.h"
#include "data/data.h"

namespace heliomark {

namespace {

constexpr std::size_t RuleFixedSize = NameLength + 2 + 6 * 2 + 2;  // 31 bytes
constexpr std::size_t ArrayHeaderSize = 4 + 4;
constexpr std::size_t YearEntrySize = 2 + 8 + 8;
// A DST table is a few kilobytes (a hundred rules of a hundred years each take 360 KB); the cap keeps
// a runaway file from filling the memory.
constexpr std::size_t MaxDstFileBytes = 4u << 20;
// The OLE date range: 1 January 100 to 31 December 9999. Outside it the date helpers overflow.
constexpr double FirstOleDate = -657434;
constexpr double LastOleDate = 2958465;

bool IsStorableDate(double date) {
    return std::isfinite(date) && date >= FirstOleDate && date <= LastOleDate;
}

// Why a list cannot be stored in the file format, or nothing when it can.
std::optional<std::string> DstRulesProblem(const DstRuleList& rules) {
    if (rules.size() > static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        return "there are " + std::to_string(rules.size()) + " rules; the file holds at most 32767";
    }
    for (std::size_t r = 0; r < rules.size(); ++r) {
        const DstRule& rule = rules[r];
        const std::string label = detail::RecordLabel("rule", r + 1, rule.Name);
        if (rule.Years.size() > static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
            return label + " has " + std::to_string(rule.Years.size()) + " years; at most 32767 fit";
        }
        for (std::size_t y = 0; y < rule.Years.size(); ++y) {
            const DstYearEntry& e = rule.Years[y];
            if (!IsStorableDate(e.StartDate) || !IsStorableDate(e.EndDate)) {
                return label + ", year entry " + std::to_string(y + 1) + " (" + std::to_string(e.Year) +
                       "), has a date outside the years 100 to 9999";
            }
        }
    }
    return std::nullopt;
}

void WriteRuleDay(detail::ByteWriter& out, const DstRuleDay& d) {
    out.Int16(d.Weekday);
    out.Int16(d.Ordinal);
    out.Int16(d.Month);
}

DstRuleDay ReadRuleDay(detail::ByteReader& in) {
    DstRuleDay d;
    d.Weekday = in.Int16();
    d.Ordinal = in.Int16();
    d.Month = in.Int16();
    return d;
}

void WriteYears(detail::ByteWriter& out, const std::vector<DstYearEntry>& years) {
    for (const DstYearEntry& e : years) {
        out.Int16(e.Year);
        out.Double(e.StartDate);
        out.Double(e.EndDate);
    }
}

// Whether `need` bytes are left for `what`. When they are not, a strict read throws; a salvaging read
// records the cut and the caller keeps the rules read so far.
bool Present(const std::filesystem::path& file, const detail::ByteReader& in, std::size_t need,
             const std::string& what, Salvage* salvage) {
    if (in.Remaining() >= need) return true;
    const std::string problem = what + " is cut short: " + std::to_string(need) + " bytes needed at offset " +
                                std::to_string(in.Offset()) + ", " + std::to_string(in.Remaining()) +
                                " present";
    if (!salvage) throw DataFileError(file, problem);
    *salvage = {true, problem};
    return false;
}

}  // namespace

std::vector<unsigned char> SerializeDstRules(const DstRuleList& rules) {
    if (auto problem = DstRulesProblem(rules)) throw std::invalid_argument(*problem);
    detail::ByteWriter out;
    out.Int16(static_cast<int16_t>(rules.size()));
    for (const DstRule& rule : rules) {
        const auto yearCount = static_cast<int16_t>(rule.Years.size());
        detail::WriteName(out, rule.Name);
        out.Int16(yearCount);
        WriteRuleDay(out, rule.Start);
        WriteRuleDay(out, rule.End);
        if (rule.Years.empty()) {
            out.Int16(0);
        } else {
            out.Int16(1);
            out.Int32(yearCount);
            out.Int32(1);
            WriteYears(out, rule.Years);
        }
        WriteYears(out, rule.Years);
    }
    return out.Take();
}

DstRuleList ParseDstRules(const std::filesystem::path& file, const unsigned char* data, std::size_t size,
                          Salvage* salvage) {
    if (size == 0) throw DataFileError(file, "the file is empty");
    if (size < 2) throw DataFileError(file, "the file is too short to hold the rule count");
    detail::ByteReader in(file, data, size);
    const int16_t count = in.Int16();
    if (count < 0) throw DataFileError(file, "the rule count is negative (" + std::to_string(count) + ")");
    if (!salvage && static_cast<std::size_t>(count) * RuleFixedSize > in.Remaining()) {
        throw DataFileError(file, "the rule count is " + std::to_string(count) + ", but the " +
                                      std::to_string(in.Remaining()) +
                                      " bytes after it cannot hold that many rules of at least 31 bytes");
    }
    DstRuleList rules;
    rules.reserve(std::min<std::size_t>(static_cast<std::size_t>(count), in.Remaining() / RuleFixedSize));
    for (int r = 1; r <= count; ++r) {
        if (!Present(file, in, RuleFixedSize, "rule " + std::to_string(r), salvage)) break;
        DstRule rule;
        rule.Name = detail::ReadName(in);
        const std::string label = detail::RecordLabel("rule", static_cast<std::size_t>(r), rule.Name);
        const int16_t yearCount = in.Int16();
        rule.Start = ReadRuleDay(in);
        rule.End = ReadRuleDay(in);
        const int16_t dims = in.Int16();
        if (yearCount < 0) {
            throw DataFileError(file,
                                label + " has a negative year count (" + std::to_string(yearCount) + ")");
        }
        if (dims != 0 && dims != 1) {
            throw DataFileError(
                file, label + " has a year list of " + std::to_string(dims) + " dimensions; 0 or 1 expected");
        }
        if (dims == 0 && yearCount != 0) {
            throw DataFileError(
                file, label + " has YearCount " + std::to_string(yearCount) + " but no embedded year list");
        }
        if (dims == 1) {
            if (!Present(file, in, ArrayHeaderSize, label, salvage)) break;
            const int32_t embedded = in.Int32();
            const int32_t lowerBound = in.Int32();
            if (embedded != yearCount) {
                throw DataFileError(file, label + " has an embedded year list of " +
                                              std::to_string(embedded) + " entries but YearCount " +
                                              std::to_string(yearCount));
            }
            if (lowerBound != 1) {
                throw DataFileError(file, label + " has a year list starting at index " +
                                              std::to_string(lowerBound) + "; 1 expected");
            }
            // The embedded copy is skipped: the copy that follows the record is the one that counts.
            if (!Present(file, in, YearEntrySize * static_cast<std::size_t>(yearCount), label, salvage))
                break;
            in.Take(YearEntrySize * static_cast<std::size_t>(yearCount));
        }
        if (!Present(file, in, YearEntrySize * static_cast<std::size_t>(yearCount), label, salvage)) break;
        rule.Years.resize(static_cast<std::size_t>(yearCount));
        for (std::size_t y = 0; y < rule.Years.size(); ++y) {
            DstYearEntry& e = rule.Years[y];
            e.Year = in.Int16();
            e.StartDate = in.Double();
            e.EndDate = in.Double();
            if (!IsStorableDate(e.StartDate) || !IsStorableDate(e.EndDate)) {
                throw DataFileError(file, label + ", year entry " + std::to_string(y + 1) + " (" +
                                              std::to_string(e.Year) +
                                              "), has a date that is not a day of the years 100 to 9999");
            }
        }
        rules.push_back(std::move(rule));
    }
    return rules;  // bytes after the last rule are ignored
}

DstRuleList LoadDstRules(const std::filesystem::path& file, Salvage* salvage) {
    bool truncated = false;
    const auto bytes = detail::ReadFilePrefix(file, MaxDstFileBytes, truncated);
    try {
        // Only a file that ends by itself is salvaged: the part of an oversized one is not a cut.
        return ParseDstRules(file, bytes.data(), bytes.size(), truncated ? nullptr : salvage);
    } catch (const DataFileError&) {
        if (!truncated) throw;
        throw DataFileError(file, "the file is larger than the " + std::to_string(MaxDstFileBytes) +
                                      " bytes this reader reads, and its rules do not end within them");
    }
}

void SaveDstRules(const std::filesystem::path& file, const DstRuleList& rules) {
    if (auto problem = DstRulesProblem(rules)) throw DataFileError(file, "not saved: " + *problem);
    const auto bytes = SerializeDstRules(rules);
    WriteFileAtomically(file, bytes.data(), bytes.size());
}

int FindDstRule(const DstRuleList& rules, std::string_view name) {
    const std::string wanted = LowerCaseName(name);
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (LowerCaseName(TrimBlanks(rules[i].Name)) == wanted) return static_cast<int>(i + 1);
    }
    return 0;
}

int FindDstYear(const DstRule& rule, int year) {
    for (std::size_t i = 0; i < rule.Years.size(); ++i) {
        if (rule.Years[i].Year == year) return static_cast<int>(i + 1);
    }
    return 0;
}

void AppendDstRule(DstRuleList& rules, const DstRule& rule) {
    rules.push_back(rule);
    rules.back().Name = FitName(rule.Name);
}

void RemoveDstRule(DstRuleList& rules, int index) {
    if (index < 1 || static_cast<std::size_t>(index) > rules.size()) {
        throw std::out_of_range("DST rule " + std::to_string(index) + " does not exist");
    }
    rules.erase(rules.begin() + (index - 1));
}

void RemoveDstYear(DstRule& rule, int index) {
    if (index < 1 || static_cast<std::size_t>(index) > rule.Years.size()) {
        throw std::out_of_range("year entry " + std::to_string(index) + " does not exist");
    }
    rule.Years.erase(rule.Years.begin() + (index - 1));
}

double RuleDayToDate(const DstRuleDay& day, int year) {
    if (day.Ordinal >= 5) {
        // Day 0 of the next month is the last day of this one; walk back to the wanted weekday.
        const double last = DateSerial(year, day.Month + 1, 0);
        int off = WeekdayOf(last) - day.Weekday;
        if (off < 0) off += 7;
        return DateSerial(year, day.Month, DayOf(last) - off);
    }
    const double first = DateSerial(year, day.Month, 1);
    int off = day.Weekday - WeekdayOf(first);
    if (off < 0) off += 7;
    // No check that a fifth-week result stays in the month: the fourth occurrence always exists.
    return DateSerial(year, day.Month, 7 * day.Ordinal + off - 6);
}

std::optional<DstPeriod> DstPeriodForYear(const DstRule& rule, int year) {
    if (!rule.Years.empty()) {
        const int i = FindDstYear(rule, year);
        if (i == 0) return std::nullopt;
        const DstYearEntry& e = rule.Years[static_cast<std::size_t>(i - 1)];
        return DstPeriod{e.StartDate, e.EndDate};
    }
    return DstPeriod{RuleDayToDate(rule.Start, year), RuleDayToDate(rule.End, year)};
}

bool IsInDstPeriod(double date, const DstPeriod& period) {
    return InDstPeriod(date, period.Start, period.End);
}

}  // namespace heliomark
