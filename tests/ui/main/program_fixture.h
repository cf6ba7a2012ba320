// Starts the real program on a temporary program folder, with a fake clock, and finds its
// controls by objectName the way a user or an automation tool would.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/program_clock.h"
#include "app/start_program.h"
#include "data/data.h"
#include "ui/main/main_window.h"

namespace heliomark::testing {

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The rules and cities the tests use. "Europe" is the EU rule; "AusSouth" wraps the year (October
// to April); "Varia" lists only 2023 and 2024.
inline DstRuleList TestRules() {
    DstRule europe{"Europe", {1, 5, 3}, {1, 5, 10}, {}};
    DstRule aus{"AusSouth", {1, 1, 10}, {1, 1, 4}, {}};
    DstRule varia{"Varia",
                  {},
                  {},
                  {{2023, DateSerial(2023, 4, 1), DateSerial(2023, 10, 1)},
                   {2024, DateSerial(2024, 5, 1), DateSerial(2024, 9, 1)}}};
    return {europe, aus, varia};
}

inline CityList TestCities() {
    return {
        {"Berlin", 52.52, 13.405, 27, "Europe"},      {"Lima", -12.05, -77.04, 12, "None"},
        {"Longyearbyen", 78.22, 15.65, 27, "Europe"}, {"Sydney", -33.87, 151.21, 67, "AusSouth"},
        {"Varia Town", 45.0, 10.0, 27, "Varia"},
    };
}

class ProgramFolder {
  public:
    ProgramFolder() {
        EXPECT_TRUE(dir_.isValid());
        // refs.txt and the views' pictures, as the program folder ships them.
        for (const char* name : {"refs.txt", "graf.bmp", "graf_hours.bmp", "graf_altitudes.bmp", "world.bmp"})
            std::filesystem::copy_file(std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / name,
                                       Path(name));
    }
    std::filesystem::path Path(const std::string& name) const {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }
    QString Folder() const { return dir_.path(); }
    void WriteStandardData(const std::string& defaultCity = "") {
        SaveDstRules(Path("dst_types.txt"), TestRules());
        SaveCities(Path("city_db.txt"), TestCities());
        Settings settings;
        settings.DefaultCitySetting = defaultCity;
        SaveSettings(Path("settings.ini"), settings);
    }

  private:
    QTemporaryDir dir_;
};

// One run of the program. The fake clock starts at 21 June 2024, 12:00:00.
class Program {
  public:
    explicit Program(const ProgramFolder& folder, double now = DateSerial(2024, 6, 21) + 0.5)
        : clock_(std::make_shared<FakeClock>(now)) {
        QApplication::setQuitOnLastWindowClosed(false);
        window_ = qobject_cast<MainWindow*>(StartProgram(folder.Folder(), clock_));
    }
    ~Program() {
        if (window_) window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    MainWindow& Main() { return *window_; }
    bool Alive() const { return !window_.isNull(); }
    FakeClock& Clock() { return *clock_; }
    void Close() {
        window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename T = QWidget>
    T* Find(const char* name) {
        T* w = window_->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << "no control named " << name;
        return w;
    }
    QString Text(const char* name) { return Find<QLineEdit>(name)->text(); }
    double Number(const char* control, const char* property) {
        return Find<QObject>(control)->property(property).toDouble();
    }
    void SetProperty(const char* control, const char* property, const QVariant& value) {
        Find<QObject>(control)->setProperty(property, value);
    }

    // A pick in a drop-down list: a click opens it, the entry is highlighted, Enter takes it.
    void Choose(const char* list, const QString& entry) {
        auto* combo = Find<QComboBox>(list);
        const int i = combo->findText(entry);
        ASSERT_GE(i, 0) << entry.toStdString() << " is not in " << list;
        QTest::mouseClick(combo, Qt::LeftButton);
        ASSERT_TRUE(combo->view()->isVisible()) << list << " did not open";
        combo->view()->setCurrentIndex(combo->model()->index(i, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
        ASSERT_FALSE(combo->view()->isVisible()) << list << " did not close";
    }
    // Types into one field of a picker and presses Enter there.
    void TypeInto(const char* picker, const char* field, const QString& text) {
        auto* edit = Find<QWidget>(picker)->findChild<QLineEdit*>(field);
        ASSERT_NE(edit, nullptr) << picker << " has no field " << field;
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void Click(const char* button) { QTest::mouseClick(Find<QWidget>(button), Qt::LeftButton); }
    // The date in DateP and the time in TimeP as the user would read them.
    double Date() { return Number("DateP", "Value"); }
    void SetTime(int h, int m, double s) {
        SetProperty("TimeP", "HourValue", h);
        SetProperty("TimeP", "MinuteValue", m);
        SetProperty("TimeP", "SecondValue", s);
    }
    double Seconds() {
        return Number("TimeP", "HourValue") * 3600 + Number("TimeP", "MinuteValue") * 60 +
               Number("TimeP", "SecondValue");
    }

  private:
    std::shared_ptr<FakeClock> clock_;
    QPointer<MainWindow> window_;
};

}  // namespace heliomark::testing
