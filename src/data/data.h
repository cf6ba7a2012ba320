// Places, zones and daylight saving: the fixed hour-zone table, the DST rules, the city database,
// settings.ini and pos.ini, with their file readers and writers. Plain C++, no windowing code.
//
// Lists are std::vectors; record k of the classic 1-based lists is list[k - 1], and every lookup
// returns the 1-based number, 0 for none. Names are UTF-8 in memory, at most 15 characters; on disk
// they are 15 bytes of ISO-8859-1, blank padded (a character outside Latin-1 is stored as '?').
// Readers check every count against the bytes present and throw DataFileError naming the file;
// writers write a temporary file in the same folder and rename it over the old one.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"

namespace heliomark {

// ------------------------------------------------------------------ hour zones
inline constexpr int HourZoneCount = 75;
inline constexpr int DefaultZoneIndex = 25;   // "(GMT) Casablanca, Monrovia"
std::string_view HourZoneText(int position);  // the 75 texts, positions 0..74
double HourZoneOffset(int position);          // hours, read out of the text
std::string HourZoneShortText(int position);  // "GMT-03:30", "GMT"

// ------------------------------------------------------------------ names on disk
inline constexpr std::size_t NameLength = 15;
// UTF-8 -> 15 bytes of Latin-1, cut or blank padded; characters outside Latin-1 become '?'.
std::array<char, NameLength> EncodeName(std::string_view utf8);
// 15 bytes of Latin-1 -> UTF-8, padding kept (callers trim where the format says so).
std::string DecodeName(const char* bytes, std::size_t size = NameLength);
// A name cut to at most 15 characters (UTF-8 aware), as the fixed fields store it.
std::string FitName(std::string_view utf8);
std::string TrimBlanks(std::string_view text);
// Lower case for name comparisons: ASCII and Latin-1 letters (A-Z, À-Þ except ×); other characters
// and invalid UTF-8 bytes are kept as they are.
std::string LowerCaseName(std::string_view utf8);

// ------------------------------------------------------------------ DST rules
struct DstRuleDay {
    int16_t Weekday = 0;  // 1 Sunday .. 7 Saturday
    int16_t Ordinal = 0;  // 1 First .. 4 "Forth"; 5 or more: last
    int16_t Month = 0;    // 1..12 (0 and 13 carry, as a date-serial function does)
};
struct DstYearEntry {
    int16_t Year = 0;
    double StartDate = 0;  // OLE dates, whole days
    double EndDate = 0;    // the first day outside DST
};
struct DstRule {
    std::string Name;  // up to 15 characters; compared trimmed and case-blind
    DstRuleDay Start, End;
    std::vector<DstYearEntry> Years;  // empty: permanent format; otherwise variable format
};
using DstRuleList = std::vector<DstRule>;

// Reading a list file (rules, cities) that ends inside its records. A strict read refuses such a
// file; a salvaging read, asked for by passing a Salvage, keeps the whole records before the cut,
// each checked as in a complete file (a bad record still refuses the file), and tells why the file
// is short. Any other fault refuses the file either way.
struct Salvage {
    bool CutShort = false;
    std::string Problem;  // the cut, as a strict read would have said it
};

DstRuleList LoadDstRules(const std::filesystem::path& file, Salvage* salvage = nullptr);
void SaveDstRules(const std::filesystem::path& file, const DstRuleList& rules);
// Bytes of the file layout, for the writer, the tests and the fuzzers.
std::vector<unsigned char> SerializeDstRules(const DstRuleList& rules);
DstRuleList ParseDstRules(const std::filesystem::path& file, const unsigned char* data, std::size_t size,
                          Salvage* salvage = nullptr);

int FindDstRule(const DstRuleList& rules, std::string_view name);  // argument not trimmed
int FindDstYear(const DstRule& rule, int year);
void AppendDstRule(DstRuleList& rules, const DstRule& rule);
void RemoveDstRule(DstRuleList& rules, int index);      // 1-based
void RemoveDstYear(DstRule& rule, int index);           // 1-based
double RuleDayToDate(const DstRuleDay& day, int year);  // OLE date

// The DST period a rule gives for a year: the year's entry (variable format; none when the year is
// not listed) or the two RuleDayToDate dates (permanent format).
struct DstPeriod {
    double Start = 0;
    double End = 0;
};
std::optional<DstPeriod> DstPeriodForYear(const DstRule& rule, int year);
// The [start, end) test behind IsDST; a period whose start lies after its end wraps the year.
bool IsInDstPeriod(double date, const DstPeriod& period);

// ------------------------------------------------------------------ cities
struct CityRecord {
    std::string Name;       // up to 15 characters
    double Latitude = 0;    // degrees, north positive
    double Longitude = 0;   // degrees, east positive
    int16_t ZoneIndex = 0;  // position in the hour-zone table
    std::string DstName;    // rule name; one that matches no rule (e.g. "None") means no DST
};
using CityList = std::vector<CityRecord>;
inline constexpr std::size_t CityRecordSize = 48;

CityList LoadCities(const std::filesystem::path& file, Salvage* salvage = nullptr);
void SaveCities(const std::filesystem::path& file, const CityList& cities);
std::vector<unsigned char> SerializeCities(const CityList& cities);
CityList ParseCities(const std::filesystem::path& file, const unsigned char* data, std::size_t size,
                     Salvage* salvage = nullptr);

int FindCity(const CityList& cities, std::string_view name);  // case-blind, argument not trimmed
void InsertCitySorted(CityList& cities, const CityRecord& record);
void RemoveCity(CityList& cities, int index);  // 1-based

// ------------------------------------------------------------------ settings and positions
struct Settings {
    int32_t ShowSecondsSetting = 0;   // 0 hh:mm, 1 hh:mm:ss
    bool AngleFormatSetting = false;  // true: degrees, minutes, seconds
    int16_t RAFormatSetting = 0;      // 0 decimal degrees, 1 DMS, 2 hours
    std::string DefaultCitySetting;
    std::string CalendarSaveFolder;
    int16_t GridQuality = 20;      // 4..50
    int16_t ParallelsDensity = 0;  // 0..4
    int16_t MeridiansDensity = 0;  // 0..4
    bool MoveWindowsTogether = false;
};
// A GridQuality outside 4..50 is brought into that range (the sky model divides by it); the other
// values are kept as read.
Settings LoadSettings(const std::filesystem::path& file);
void SaveSettings(const std::filesystem::path& file, const Settings& settings);
std::string SerializeSettings(const Settings& settings);
Settings ParseSettings(const std::filesystem::path& file, std::string_view text);

struct WindowPosition {
    float Left = 0;  // twips (15 per pixel)
    float Top = 0;
};
// Main window, sky view, day view, twilights window, world map.
using WindowPositions = std::array<WindowPosition, 5>;
WindowPositions LoadWindowPositions(const std::filesystem::path& file);
void SaveWindowPositions(const std::filesystem::path& file, const WindowPositions& positions);
std::string SerializeWindowPositions(const WindowPositions& positions);
WindowPositions ParseWindowPositions(const std::filesystem::path& file, std::string_view text);

// ------------------------------------------------------------------ file helpers
// Whole-file read with a size cap (throws DataFileError naming the file when missing or larger).
std::vector<unsigned char> ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes);
// Writes a temporary file in the same folder, flushes it and renames it over `file`; on failure
// throws DataFileError and leaves the old file as it was.
void WriteFileAtomically(const std::filesystem::path& file, const void* data, std::size_t size);

}  // namespace heliomark
