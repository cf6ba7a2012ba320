// settings.ini and pos.ini, in the format of the classic sequential "Write #" statement: values
// separated by commas without blanks, texts in double quotation marks, booleans as #TRUE# / #FALSE#,
// numbers in plain decimal with a full stop, each line ended by CR LF. Readers also take LF alone.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "data/data.h"

namespace heliomark {

namespace {

// Both files are a line or five; anything near this size is not one of them.
constexpr std::size_t MaxTextFileBytes = 1u << 20;

constexpr int SettingCount = 9;
constexpr const char* SettingNames[SettingCount] = {
    "ShowSecondsSetting", "AngleFormatSetting", "RAFormatSetting",
    "DefaultCitySetting", "CalendarSaveFolder", "GridQuality",
    "ParallelsDensity",   "MeridiansDensity",   "MoveWindowsTogether",
};
// The sky model divides by the grid quality; the settings dialog offers 4 to 50.

struct Field {
    std::string_view Text;
    bool Quoted = false;
};

std::string_view TrimLineBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The lines of a text file: LF or CR LF ends a line; a UTF-8 byte order mark at the start is skipped.
std::vector<std::string_view> SplitLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Comma-separated values of one line; a quoted text runs to the next quotation mark and may hold commas.
std::vector<Field> SplitFields(const std::filesystem::path& file, std::string_view line,
                               const std::string& where) {
    std::vector<Field> fields;
    std::size_t pos = 0;
    while (true) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        Field field;
        if (pos < line.size() && line[pos] == '"') {
            const auto close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                throw DataFileError(file, where + "value " + std::to_string(fields.size() + 1) +
                                              " has an unterminated quotation mark");
            }
            field = {line.substr(pos + 1, close - pos - 1), true};
            pos = close + 1;
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
                ++pos;
        } else {
            const auto end = std::min(line.find(',', pos), line.size());
            field = {TrimLineBlanks(line.substr(pos, end - pos)), false};
            pos = end;
        }
        fields.push_back(field);
        if (pos >= line.size()) return fields;
        if (line[pos] != ',') {
            throw DataFileError(file, where + "value " + std::to_string(fields.size()) +
                                          " is followed by text instead of a comma");
        }
        ++pos;
    }
}

enum class NumberStatus { Ok, NotNumber, NotFinite, OutOfRange };

// A whole field as one decimal number (a leading '+' allowed, as the classic reader allows it).
template <class Real>
NumberStatus ParseReal(std::string_view s, Real& value) {
    if (s.size() > 1 && s[0] == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) return NumberStatus::OutOfRange;
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return NumberStatus::NotNumber;
    return std::isfinite(value) ? NumberStatus::Ok : NumberStatus::NotFinite;
}

std::string NumberProblem(NumberStatus status, std::string_view text) {
    switch (status) {
        case NumberStatus::NotFinite:
            return "is not a finite number (\"" + std::string(text) + "\")";
        case NumberStatus::OutOfRange:
            return "is out of range (\"" + std::string(text) + "\")";
        default:
            return "is not a number (\"" + std::string(text) + "\")";
    }
}

class SettingsReader {
  public:
    SettingsReader(const std::filesystem::path& file, std::vector<Field> fields)
        : file_(file), fields_(std::move(fields)) {}

    template <class Int>
    Int Integer(int index) {
        const Field& f = Get(index);
        double value = 0;
        NumberStatus status = f.Quoted ? NumberStatus::NotNumber : ParseReal(f.Text, value);
        // Reals are stored into whole-number settings rounding half to even, as the classic reader does.
        if (status == NumberStatus::Ok) value = std::nearbyint(value);
        if (status == NumberStatus::Ok &&
            (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())) {
            status = NumberStatus::OutOfRange;
        }
        if (status != NumberStatus::Ok) Fail(index, NumberProblem(status, f.Text));
        return static_cast<Int>(value);
    }
    bool Boolean(int index) {
        const Field& f = Get(index);
        if (!f.Quoted && f.Text == "#TRUE#") return true;
        if (!f.Quoted && f.Text == "#FALSE#") return false;
        Fail(index, "is not #TRUE# or #FALSE# (\"" + std::string(f.Text) + "\")");
    }
    std::string Text(int index) {
        const Field& f = Get(index);
        if (!f.Quoted) Fail(index, "is not a text in quotation marks (\"" + std::string(f.Text) + "\")");
        return std::string(f.Text);
    }

  private:
    const Field& Get(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    [[noreturn]] void Fail(int index, const std::string& problem) const {
        throw DataFileError(
            file_, "value " + std::to_string(index + 1) + " (" + SettingNames[index] + ") " + problem);
    }
    const std::filesystem::path& file_;
    std::vector<Field> fields_;
};

std::string IntegerText(long long v) {
    char buf[24];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// Plain decimal in the shortest form that reads back as the same single-precision value.
std::string SingleText(float v) {
    if (v == 0) return "0";  // no "-0"
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed).ptr);
}

std::optional<std::string> SettingsProblem(const Settings& s) {
    const std::pair<const std::string*, int> texts[] = {{&s.DefaultCitySetting, 3},
                                                        {&s.CalendarSaveFolder, 4}};
    for (const auto& [text, index] : texts) {
        // A quotation mark or a line end inside the text would end the value or the line early.
        if (text->find_first_of("\"\r\n") != std::string::npos) {
            return std::string(SettingNames[index]) + " holds a quotation mark or a line end";
        }
    }
    return std::nullopt;
}

template <std::size_t N>
std::optional<std::string> PositionsProblem(const std::array<WindowPosition, N>& positions) {
    for (std::size_t i = 0; i < N; ++i) {
        if (!std::isfinite(positions[i].Left) || !std::isfinite(positions[i].Top)) {
            return "window " + std::to_string(i + 1) + " has a position that is not a finite number";
        }
    }
    return std::nullopt;
}

std::string ReadText(const std::filesystem::path& file) {
    const auto bytes = ReadWholeFile(file, MaxTextFileBytes);
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
    WriteFileAtomically(file, text.data(), text.size());
}

}  // namespace

std::string SerializeSettings(const Settings& s) {
    if (auto problem = SettingsProblem(s)) throw std::invalid_argument(*problem);
    auto boolean = [](bool b) { return b ? "#TRUE#" : "#FALSE#"; };
    auto quoted = [](const std::string& t) { return "\"" + t + "\""; };
    return IntegerText(s.ShowSecondsSetting) + "," + boolean(s.AngleFormatSetting) + "," +
           IntegerText(s.RAFormatSetting) + "," + quoted(s.DefaultCitySetting) + "," +
           quoted(s.CalendarSaveFolder) + "," + IntegerText(s.GridQuality) + "," +
           IntegerText(s.ParallelsDensity) + "," + IntegerText(s.MeridiansDensity) + "," +
           boolean(s.MoveWindowsTogether) + "\r\n";
}

Settings ParseSettings(const std::filesystem::path& file, std::string_view text) {
    const auto lines = SplitLines(text);
    if (lines.empty()) throw DataFileError(file, "the file is empty");
    if (TrimLineBlanks(lines.front()).empty()) throw DataFileError(file, "the settings line is empty");
    auto fields = SplitFields(file, lines.front(), "");
    if (fields.size() != SettingCount) {
        throw DataFileError(
            file, "the settings line holds " + std::to_string(fields.size()) + " values; nine are expected");
    }
    SettingsReader in(file, std::move(fields));
    Settings s;
    s.ShowSecondsSetting = in.Integer<int32_t>(0);
    s.AngleFormatSetting = in.Boolean(1);
    s.RAFormatSetting = in.Integer<int16_t>(2);
    s.DefaultCitySetting = in.Text(3);
    s.CalendarSaveFolder = in.Text(4);
    s.GridQuality = std::clamp(in.Integer<int16_t>(5), MinGridQuality, MaxGridQuality);
    s.ParallelsDensity = in.Integer<int16_t>(6);
    s.MeridiansDensity = in.Integer<int16_t>(7);
    s.MoveWindowsTogether = in.Boolean(8);
    return s;
}

Settings LoadSettings(const std::filesystem::path& file) {
    return ParseSettings(file, ReadText(file));
}

void SaveSettings(const std::filesystem::path& file, const Settings& settings) {
    if (auto problem = SettingsProblem(settings)) throw DataFileError(file, "not saved: " + *problem);
    WriteText(file, SerializeSettings(settings));
}

namespace {

template <std::size_t N>
std::string SerializePositions(const std::array<WindowPosition, N>& positions) {
    if (auto problem = PositionsProblem(positions)) throw std::invalid_argument(*problem);
    std::string text;
    for (const WindowPosition& p : positions)
        text += SingleText(p.Left) + "," + SingleText(p.Top) + "\r\n";
    return text;
}

// One "left,top" line per window; `count` is the number of lines in words, for the message.
template <std::size_t N>
std::array<WindowPosition, N> ParsePositions(const std::filesystem::path& file, std::string_view text,
                                             const char* count) {
    const auto lines = SplitLines(text);
    std::array<WindowPosition, N> positions;
    for (std::size_t i = 0; i < N; ++i) {
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        if (i >= lines.size()) {
            throw DataFileError(file,
                                "the file holds " + std::to_string(i) + " lines; " + count + " are expected");
        }
        if (TrimLineBlanks(lines[i]).empty()) throw DataFileError(file, where + "the line is empty");
        const auto fields = SplitFields(file, lines[i], where);
        if (fields.size() != 2) {
            throw DataFileError(file, where + "the line holds " + std::to_string(fields.size()) +
                                          " values; left and top are expected");
        }
        float* values[2] = {&positions[i].Left, &positions[i].Top};
        for (int k = 0; k < 2; ++k) {
            const NumberStatus status =
                fields[k].Quoted ? NumberStatus::NotNumber : ParseReal(fields[k].Text, *values[k]);
            if (status != NumberStatus::Ok) {
                throw DataFileError(
                    file, where + (k == 0 ? "left " : "top ") + NumberProblem(status, fields[k].Text));
            }
        }
    }
    return positions;  // lines after the last window's are ignored
}

template <std::size_t N>
void SavePositions(const std::filesystem::path& file, const std::array<WindowPosition, N>& positions) {
    if (auto problem = PositionsProblem(positions)) throw DataFileError(file, "not saved: " + *problem);
    WriteText(file, SerializePositions(positions));
}

}  // namespace

std::string SerializeWindowPositions(const WindowPositions& positions) {
    return SerializePositions(positions);
}

WindowPositions ParseWindowPositions(const std::filesystem::path& file, std::string_view text) {
    return ParsePositions<5>(file, text, "five");
}

WindowPositions LoadWindowPositions(const std::filesystem::path& file) {
    return ParseWindowPositions(file, ReadText(file));
}

void SaveWindowPositions(const std::filesystem::path& file, const WindowPositions& positions) {
    SavePositions(file, positions);
}

std::filesystem::path ViewPositionsFileBeside(const std::filesystem::path& positionsFile) {
    return positionsFile.parent_path() / "pos_views.ini";
}

std::string SerializeViewPositions(const ViewPositions& positions) {
    return SerializePositions(positions);
}

ViewPositions ParseViewPositions(const std::filesystem::path& file, std::string_view text) {
    return ParsePositions<2>(file, text, "two");
}

ViewPositions LoadViewPositions(const std::filesystem::path& file) {
    return ParseViewPositions(file, ReadText(file));
}

void SaveViewPositions(const std::filesystem::path& file, const ViewPositions& positions) {
    SavePositions(file, positions);
}

}  // namespace heliomark
