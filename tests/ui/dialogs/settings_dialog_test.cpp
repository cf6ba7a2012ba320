// The settings dialog driven through its named controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "data/data.h"
#include "dialog_test_support.h"
#include "ui/dialogs/settings_dialog.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

CityList SampleCities() {
    return {{"Berlin", 52.52, 13.405, 35, "EU"}, {"Paris", 48.857, 2.352, 35, "EU"}};
}

Settings SampleSettings() {
    Settings s;
    s.ShowSecondsSetting = 1;
    s.AngleFormatSetting = true;
    s.RAFormatSetting = 2;
    s.DefaultCitySetting = "paris";
    s.CalendarSaveFolder = "/home/someone/calendars";
    s.GridQuality = 33;
    s.ParallelsDensity = 3;
    s.MeridiansDensity = 1;
    s.MoveWindowsTogether = true;
    return s;
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Records the sky steps in the order they are asked for, with the quality seen at the rebuild.
struct SkyLog {
    SkyGridHooks Hooks(const Settings& settings) {
        return {[this, &settings] { steps.push_back("rebuild " + std::to_string(settings.GridQuality)); },
                [this](int16_t d) { steps.push_back("meridians " + std::to_string(d)); },
                [this](int16_t d) { steps.push_back("parallels " + std::to_string(d)); },
                [this] { steps.push_back("redraw"); }};
    }
    std::vector<std::string> steps;
};

}  // namespace

TEST(SettingsDialog, ShowsTheSettingsInMemory) {
    ScratchFolder folder("load");
    Settings settings = SampleSettings();
    const CityList cities = SampleCities();
    SettingsDialog dialog(settings, cities, folder.Path() / "settings.ini");
    EXPECT_EQ(dialog.objectName(), "frmOpt");
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    EXPECT_EQ(Control<QComboBox>(&dialog, "cmbTime")->currentText(), "Full hh:mm:ss");
    EXPECT_EQ(Control<QComboBox>(&dialog, "cmbAng")->currentText(), "DMS (dd°mm'ss'')");
    EXPECT_EQ(Control<QComboBox>(&dialog, "cmbRA")->currentText(), "hh:mm:ss");
    EXPECT_EQ(Control<QComboBox>(&dialog, "cmbHome")->currentText(), "Paris");
    EXPECT_EQ(Control<QScrollBar>(&dialog, "scrQlty")->value(), 33);
    EXPECT_EQ(Control<QLineEdit>(&dialog, "txtQlty")->text(), "33");
    EXPECT_EQ(Control<QComboBox>(&dialog, "cmbHor")->currentText(), "30°");
    EXPECT_EQ(Control<QComboBox>(&dialog, "cmbVer")->currentText(), "90°");
    EXPECT_TRUE(Control<QCheckBox>(&dialog, "chkBind")->isChecked());
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* caption : {"Data Formats:", "Anlge Format:", "Default Location:", "Sky Grid Settings:",
                                "Grid Quality:", "Parallels Density:", "Meridians Density:"})
        EXPECT_TRUE(labels.contains(caption)) << caption;
}

TEST(SettingsDialog, EnterInTheQualityBoxMovesTheScrollBarWithinItsRange) {
    struct Case {
        const char* typed;
        int expected;
    } cases[] = {{"3", 4},    {"99", 50},    {"30", 30},   {"abc", 4},
                 {"1e9", 50}, {"-70000", 4}, {"12.5", 12}, {"13.5", 14}};
    ScratchFolder folder("quality");
    Settings settings;
    const CityList cities;
    SettingsDialog dialog(settings, cities, folder.Path() / "settings.ini");
    dialog.show();
    auto* txtQlty = Control<QLineEdit>(&dialog, "txtQlty");
    auto* scrQlty = Control<QScrollBar>(&dialog, "scrQlty");
    EXPECT_EQ(txtQlty->text(), "20");
    for (const auto& c : cases) {
        txtQlty->clear();
        QTest::keyClicks(txtQlty, c.typed);
        QTest::keyClick(txtQlty, Qt::Key_Return);
        EXPECT_EQ(scrQlty->value(), c.expected) << c.typed;
        EXPECT_EQ(txtQlty->text(), QString::number(c.expected)) << c.typed;
        EXPECT_TRUE(dialog.isVisible()) << "Enter after " << c.typed << " closed the dialog";
    }
    scrQlty->setValue(17);
    EXPECT_EQ(txtQlty->text(), "17");
    EXPECT_EQ(settings.GridQuality, 20) << "only OK stores";
}

TEST(SettingsDialog, OkWithoutChangesWritesTheFileAndLeavesTheSkyAlone) {
    ScratchFolder folder("unchanged");
    Settings settings = SampleSettings();
    const CityList cities = SampleCities();
    SkyLog sky;
    SettingsDialog dialog(settings, cities, folder.Path() / "settings.ini", sky.Hooks(settings));
    QSignalSpy applied(&dialog, &SettingsDialog::Applied);
    // Driven the way the main window runs it: modal.
    QTimer::singleShot(0, &dialog, [&] { Control<QPushButton>(&dialog, "cmdOK")->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(applied.count(), 1);
    EXPECT_TRUE(sky.steps.empty());
    Settings expected = SampleSettings();
    expected.DefaultCitySetting = "Paris";  // the list's own spelling of the name
    EXPECT_EQ(ReadAll(folder.Path() / "settings.ini"), SerializeSettings(expected));
}

TEST(SettingsDialog, OkStoresEveryChoiceAndRunsTheSkyStepsInOrder) {
    ScratchFolder folder("changed");
    Settings settings = SampleSettings();
    const CityList cities = SampleCities();
    SkyLog sky;
    SettingsDialog dialog(settings, cities, folder.Path() / "settings.ini", sky.Hooks(settings));
    dialog.show();
    Control<QComboBox>(&dialog, "cmbTime")->setCurrentIndex(0);
    Control<QComboBox>(&dialog, "cmbAng")->setCurrentIndex(0);
    Control<QComboBox>(&dialog, "cmbRA")->setCurrentIndex(1);
    Control<QComboBox>(&dialog, "cmbHome")->setCurrentIndex(-1);  // no default city
    Control<QScrollBar>(&dialog, "scrQlty")->setValue(45);
    Control<QComboBox>(&dialog, "cmbVer")->setCurrentIndex(4);
    Control<QComboBox>(&dialog, "cmbHor")->setCurrentIndex(0);
    Control<QCheckBox>(&dialog, "chkBind")->setChecked(false);
    Control<QPushButton>(&dialog, "cmdOK")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(sky.steps,
              (std::vector<std::string>{"rebuild 45", "meridians 4", "redraw", "parallels 0", "redraw"}));
    const Settings saved = LoadSettings(folder.Path() / "settings.ini");
    EXPECT_EQ(saved.ShowSecondsSetting, 0);
    EXPECT_FALSE(saved.AngleFormatSetting);
    EXPECT_EQ(saved.RAFormatSetting, 1);
    EXPECT_EQ(saved.DefaultCitySetting, "");
    EXPECT_EQ(saved.CalendarSaveFolder, "/home/someone/calendars");
    EXPECT_EQ(saved.GridQuality, 45);
    EXPECT_EQ(saved.MeridiansDensity, 4);
    EXPECT_EQ(saved.ParallelsDensity, 0);
    EXPECT_FALSE(saved.MoveWindowsTogether);
    EXPECT_EQ(SerializeSettings(saved), SerializeSettings(settings));
}

TEST(SettingsDialog, CancelChangesNothing) {
    ScratchFolder folder("cancel");
    Settings settings = SampleSettings();
    const CityList cities = SampleCities();
    SettingsDialog dialog(settings, cities, folder.Path() / "settings.ini");
    QSignalSpy applied(&dialog, &SettingsDialog::Applied);
    dialog.show();
    Control<QComboBox>(&dialog, "cmbTime")->setCurrentIndex(0);
    Control<QPushButton>(&dialog, "cmdCancel")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.ShowSecondsSetting, 1);
    EXPECT_EQ(applied.count(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "settings.ini"));
}

TEST(SettingsDialog, ValuesOutsideTheListsSurviveOk) {
    ScratchFolder folder("outside");
    Settings settings;
    settings.RAFormatSetting = 3;
    settings.MeridiansDensity = 9;
    settings.GridQuality = 80;
    const CityList cities;
    SettingsDialog dialog(settings, cities, folder.Path() / "settings.ini");
    dialog.show();
    EXPECT_EQ(Control<QComboBox>(&dialog, "cmbRA")->currentIndex(), -1);
    Control<QPushButton>(&dialog, "cmdOK")->click();
    EXPECT_EQ(settings.RAFormatSetting, 3);
    EXPECT_EQ(settings.MeridiansDensity, 9);
    EXPECT_EQ(settings.GridQuality, 50);  // the scroll bar holds its maximum
}

TEST(SettingsDialog, AFailedSaveIsReportedAndTheSettingsStillApply) {
    ScratchFolder folder("save_fails");
    Settings settings = SampleSettings();
    const CityList cities = SampleCities();
    const auto file = folder.Unwritable("settings.ini");
    SettingsDialog dialog(settings, cities, file);
    QSignalSpy applied(&dialog, &SettingsDialog::Applied);
    dialog.show();
    Control<QComboBox>(&dialog, "cmbTime")->setCurrentIndex(0);
    ModalAnswerer answerer;
    Control<QPushButton>(&dialog, "cmdOK")->click();
    ASSERT_EQ(answerer.Messages().size(), 1);
    EXPECT_TRUE(answerer.Messages()[0].contains(QString::fromStdString(file.string())));
    EXPECT_EQ(settings.ShowSecondsSetting, 0);
    EXPECT_EQ(applied.count(), 1);
}
