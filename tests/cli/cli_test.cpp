// heliomark-cli run in-process: its argument errors, its calendar against the calendar's own text,
// its day values and its output files.

#include <algorithm>
#include <sstream>

#include "calendar/calendar_export.h"
#include "cli/cli.h"
#include "support/test_support.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

struct CliRun {
    int Status = -1;
    std::string Out, Err;
};

// The program's folder with the shipped data files in the test's own folder; `installed`: the
// executable in bin, the data in share/heliomark, the user's files in folders of their own.
class CliFixture {
  public:
    explicit CliFixture(bool installed = false) {
        const std::filesystem::path data = installed ? folder / "share/heliomark" : folder.Path();
        std::filesystem::create_directories(data);
        std::filesystem::create_directories(folder / "bin");
        for (const char* name : {"refs.txt", "city_db.txt", "dst_types.txt"})
            std::filesystem::copy_file(Resource(name), data / name);
        env.Folders = FindProgramFolders(installed ? folder / "bin" : folder.Path(),
                                         {folder / "config", folder / "user"},
                                         [](const std::filesystem::path&) { return true; });
        env.LocalNow = DateSerial(2024, 6, 21) + 0.5;
        env.UtcNow = std::chrono::sys_days{std::chrono::year(2024) / 6 / 21};
        env.WriteOutput = [](const std::filesystem::path& file, const std::string& bytes) {
            WriteFileAtomically(file, bytes.data(), bytes.size());
        };
    }
    // Runs the arguments written as one line: split at spaces, a ~ standing for a space inside one.
    CliRun operator()(const std::string& line) const {
        std::vector<std::string> args;
        std::istringstream words(line);
        for (std::string word; std::getline(words, word, ' ');)
            if (!word.empty()) args.push_back((std::replace(word.begin(), word.end(), '~', ' '), word));
        std::ostringstream out, err;
        const int status = cli::RunCli(args, out, err, env);
        return {status, out.str(), err.str()};
    }
    TempFolder folder;
    cli::CliEnvironment env;
};

}  // namespace

// A usage error exits with 2, prints nothing and writes one line "heliomark-cli: " and the message.
TEST(CliArguments, UsageErrorsExitWithTwoAndOneLineNamingTheArgument) {
    const CliFixture cli;
    const std::pair<const char*, const char*> cases[] = {
        {"", "no command given"},
        {"frobnicate", "\"frobnicate\": unknown command"},
        {"day --frob", "\"--frob\": unknown option"},
        {"day --lat", "--lat: needs a value"},
        {"day --lat -90.0001 --lon 0", "--lat: \"-90.0001\" is beyond 90 degrees"},
        {"day --lat nan --lon 0", "--lat: \"nan\" is not a number"},
        {"day --lat 0 --lon 180.5", "--lon: \"180.5\" is beyond 180 degrees"},
        {"day --city Ber\nlin", "--city: no city named \"Ber?lin\""},
        {"day --city Berlin --date 2023-02-29", "--date: 2023-02-29 does not exist"},
        {"day --city Berlin --date 21.06.2024", "--date: \"21.06.2024\" is not a date like"},
        {"day --city Berlin --time 24:00", "--time: 24:00 is not a time of day"},
        {"day --city Berlin --time 7", "--time: \"7\" is not a time like"},
        {"day --city Berlin --zone 75", "--zone: \"75\" is beyond the last position, 74"},
        {"day --city Berlin --zone +14:30", "--zone: +14:30 is not an offset from -12:00 to +14:00"},
        {"day --city Berlin --zone CET", "--zone: \"CET\" is neither a position 0-74 nor an offset"},
        {"day --city Berlin --dst Mars", "--dst: no daylight-saving rule named \"Mars\""},
        {"day --city Berlin --ra-format 3", "--ra-format: \"3\" is not 0, 1 or 2"},
        {"day --city Berlin --altitude 90", "--altitude: \"90\" is not a number of degrees"},
        {"calendar --city Berlin --month 13", "--month: \"13\" is not a month"},
        {"calendar --city Berlin --year 0", "--year: \"0\" is not a year from 1 to 9999"},
        {"calendar --city Berlin --columns sunrise,moonrise", "--columns: no column is named \"moonrise\""},
        {"calendar --city Berlin --format xml", "--format: \"xml\" is not one of text, csv, ics, json"},
        {"day --city Berlin --format ics", "--format: csv and ics are for the calendar command"},
        {"day --city Berlin --year 2024", "--year: is not an option of the day command"},
        {"day --city Berlin --json --format text", "--format: given twice"},
        {"day --city Berlin --seconds=yes", "--seconds: takes no value"},
        {"day --city Berlin --lat 1 --lon 2", "--city: cannot be combined with --lat and --lon"},
        {"day --lat 1", "--lat: needs --lon as well"},
        {"day", "day: needs a place"},
        {"cities ber lin", "\"lin\": unexpected argument"}};
    for (const auto& [args, message] : cases) {
        const CliRun run = cli(args);
        EXPECT_TRUE(run.Status == 2 && run.Out.empty() &&
                    run.Err.rfind("heliomark-cli: " + std::string(message), 0) == 0 &&
                    std::count(run.Err.begin(), run.Err.end(), '\n') == 1)
            << args << "\n  exit " << run.Status << ", said: " << run.Err << "  expected: " << message;
    }
}

// What a run prints (or, after a !, does not print) for the arguments given.
TEST(CliOutput, PrintsTheWindowsTextsForTheArgumentsGiven) {
    const CliFixture cli;
    const struct {
        const char* Args;
        std::vector<std::string> Shows;
    } cases[] = {
        // The same place given in the other accepted forms is fine.
        {"seasons --zone=+05:45 --year=2024 --lat -33.9 --lon +151.2", {}},
        {"day --bogus --help", {"Usage: heliomark-cli COMMAND"}},
        {"--version", {"heliomark-cli 1."}},
        {"calendar --city Berlin --year 2024 --month 6 --format csv",
         {"Date,Sunrise,Sunset,Day Length\r\n2024-06-01,04:4"}},
        {"calendar --city Berlin --year 2024 --month 6 --format ics",
         {"DTSTAMP:20240621T000000Z\r\n", "SUMMARY:Sunrise 04:43 - Berlin\r\n"}},
        {"calendar --city Berlin --year 2024 --month 6 --json --columns sunrise,civil_length",
         {"\"date\": \"2024-06-21\",\n      \"sunrise\": \"04:43\",\n      \"civil_length\": \"00:50\""}},
        {"day --city Berlin --date 2024-06-21 --time 13:00",
         {"Place: Berlin\n", "Hour Zone: GMT+01:00 (daylight saving", "\nSunrise: 04:43\n",
          "\nSunset: 21:33\n", "\nAzimuth: 1", "\nSun at Altitude 10° Rising: ", "!\nPolar"}},
        {"day --city Berlin --date 2024-06-21 --json", {"\"polar\": null"}},
        // Midsummer at Longyearbyen: no sunrise, so its instant is null.
        {"day --city Longyearbyen --date 2024-06-21 --json",
         {"\"sunrise\": {\n    \"text\": \"-\",\n    \"instant\": null\n  }",
          "\"day_length\": {\n    \"text\": \"Polar Day\"\n  }",
          "\"polar\": {\n    \"text\": \"Polar day since "}}};
    for (const auto& c : cases) {
        const CliRun run = cli(c.Args);
        EXPECT_EQ(run.Status, 0) << c.Args << ": " << run.Err;
        for (const std::string& text : c.Shows)
            EXPECT_EQ(run.Out.find(text.substr(text[0] == '!')) == std::string::npos, text[0] == '!')
                << c.Args << " printing " << text << ":\n"
                << run.Out.substr(0, 1500);
    }
}

// The calendar of the command line is the calendar core's text for the same inputs, with the
// header's dates in ISO form.
TEST(CliCalendar, TextIsTheCalendarsTextForTheSameInputs) {
    const CliFixture cli;
    const CliRun run = cli(
        "calendar --lat -33.8678 --lon 151.2073 --zone +10:00 --dst NSW~&~Victoria --year 2024 --columns all "
        "--seconds --dms --ra-format 2");
    ASSERT_EQ(run.Status, 0) << run.Err;
    CalendarRequest r;
    r.Year = 2024, r.WholeYear = true, r.Columns = {true, true, true, true, true, true, true};
    r.Twilights.fill({true, true, true, true});
    // The place as the main window's angle inputs hold it: seconds to three decimals.
    r.Latitude = -DegToRad(FromDMS(33, 52, 4.08, 1)), r.Longitude = FromDMS(151, 12, 26.28, 1);
    r.HourZone = 10, r.HourZoneText = "GMT+10:00";
    const DstRuleList rules = LoadDstRules(cli.folder / "dst_types.txt");
    const auto period = DstPeriodForYear(rules.at(FindDstRule(rules, "NSW & Victoria") - 1), 2024);
    ASSERT_TRUE(period);
    r.DstInUse = true, r.DstStart = period->Start, r.DstEnd = period->End;
    r.ShowSecondsSetting = 1, r.AngleFormatSetting = true, r.RAFormatSetting = 2;
    SolarState s;
    EXPECT_EQ(run.Out, BuildCalendarText(r, s));
    EXPECT_NE(run.Out.find("Daylight saving time ends at 2024-04-07\r\n"), std::string::npos)
        << run.Out.substr(0, 600);
}

// --output writes the same bytes to a file; a file that cannot be written is reported.
TEST(CliCalendar, OutputFiles) {
    const CliFixture cli;
    const std::string june = "calendar --city Berlin --year 2024 --month 6 --format csv";
    const auto file = cli.folder / "june.csv", nowhere = cli.folder / "refs.txt" / "june.csv";
    const CliRun saved = cli(june + " --output " + file.string());
    EXPECT_TRUE(saved.Status == 0 && saved.Out.empty()) << saved.Err;
    EXPECT_EQ(ReadText(file), cli(june).Out);
    const CliRun failed = cli(june + " --output " + nowhere.string());
    EXPECT_EQ(failed.Status, 1);
    EXPECT_NE(failed.Err.find(nowhere.string()), std::string::npos) << failed.Err;
}

// Installed or not, the shipped list is read until the user has a list of their own, which then wins.
TEST(CliData, ReadsTheUsersCityListWhenThereIsOneElseTheShippedOne) {
    for (const bool installed : {false, true}) {
        const CliFixture cli(installed);
        EXPECT_EQ(cli("cities BERLIN").Out, "Berlin\t52.5244\t13.4105\tGMT+01:00\tEurope\n") << installed;
        std::filesystem::create_directories(cli.env.Folders.Data);
        SaveCities(cli.env.Folders.CitiesToWrite(), {{"Berlin Mitte", 52.52, 13.40, 27, "Europe"}});
        EXPECT_EQ(cli("cities BERLIN").Out, "Berlin Mitte\t52.5200\t13.4000\tGMT+01:00\tEurope\n")
            << installed;
        EXPECT_EQ(cli("day --city Berlin~Mitte --date 2024-06-21 --time 12:00").Status, 0) << installed;
    }
}
