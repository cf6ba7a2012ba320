// Shared by every suite: a private folder per test, hand-built bytes, tables of cases, refused files.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/data.h"

namespace heliomark::testing {

// A folder of its own for one test, removed with everything in it when the test ends.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("heliomark-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_, ec_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }
    std::vector<std::string> Entries() const {  // to see that no temporary file is left behind
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename());
        return names;
    }

  private:
    std::filesystem::path path_;
    std::error_code ec_;
};

inline void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}
inline void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes) {
    WriteText(file, std::string(bytes.begin(), bytes.end()));
}
inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline std::vector<unsigned char> ReadBytes(const std::filesystem::path& file) {
    const std::string text = ReadText(file);
    return {text.begin(), text.end()};
}
inline std::filesystem::path Resource(const std::string& name) {
    return std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / name;
}

// Little-endian bytes, independent of the program's own writer.
struct Bytes {
    std::vector<unsigned char> v;
    Bytes& I16(int value) { return Le(static_cast<uint16_t>(value), 2); }
    Bytes& I32(int32_t value) { return Le(static_cast<uint32_t>(value), 4); }
    Bytes& F64(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, 8);
        return Le(bits, 8);
    }
    // A 15-byte field: the given bytes, blank padded.
    Bytes& Name(std::string latin1) {
        latin1.resize(15, ' ');
        v.insert(v.end(), latin1.begin(), latin1.end());
        return *this;
    }
    Bytes& Raw(const std::vector<unsigned char>& more) {
        return v.insert(v.end(), more.begin(), more.end()), *this;
    }
    std::string Text() const { return {v.begin(), v.end()}; }

  private:
    Bytes& Le(uint64_t value, int n) {
        for (int i = 0; i < n; ++i)
            v.push_back(static_cast<unsigned char>(value >> (8 * i)));
        return *this;
    }
};

// A table row: the expression as written (the failure message), its value and the value expected.
template <class T>
struct Row {
    template <class G, class E>
    Row(const char* expression, const G& got, const E& expected)
        : Expression(expression), Got(static_cast<T>(got)), Expected(static_cast<T>(expected)) {}
    const char* Expression;
    T Got, Expected;
};
#define ROW(expression, expected) \
    { #expression, expression, expected }
template <class T>
void ExpectRows(std::initializer_list<Row<T>> rows) {
    for (const auto& r : rows)
        EXPECT_EQ(r.Got, r.Expected) << r.Expression;
}
inline void ExpectTexts(std::initializer_list<Row<std::string>> rows) {
    ExpectRows(rows);
}
inline void ExpectNear(std::initializer_list<Row<double>> rows, double tolerance) {
    for (const auto& r : rows)
        EXPECT_NEAR(r.Got, r.Expected, tolerance) << r.Expression;
}

// Runs `load` and expects a DataFileError that names `file` and mentions `needle`.
template <class Load>
void ExpectRefused(Load load, const std::filesystem::path& file, const std::string& needle,
                   const std::string& caseName) {
    try {
        load();
        ADD_FAILURE() << caseName << ": accepted";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.File, file) << caseName;
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos)
            << caseName << ": " << e.what();
        EXPECT_NE(std::string(e.what()).find(needle), std::string::npos)
            << caseName << ": \"" << e.what() << "\" does not mention \"" << needle << "\"";
    }
}

}  // namespace heliomark::testing

#ifdef QT_WIDGETS_LIB
// The UI tests' side: the program on a private folder with a fake clock, the user's hands, modal answers.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <set>

#include "app/program_clock.h"
#include "app/start_program.h"
#include "ui/main/main_window.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace heliomark::testing {

// The control called `name` under `root`, failing the test when there is none of that type.
template <class T = QWidget>
T* Find(const QObject* root, const char* name) {
    T* found = root->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
}

inline QString Shown(const QObject* root, const char* name) {
    QObject* o = Find<QObject>(root, name);
    if (auto* edit = qobject_cast<QLineEdit*>(o)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(o)) return label->text();
    if (auto* list = qobject_cast<QComboBox*>(o)) return list->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(o)) return button->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(o)) return text->toPlainText();
    return o ? o->property("Text").toString() : QString();
}

// What `w` shows, as 24-bit pixels.
inline QImage Picture(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB888);
}

inline void Click(QWidget* w, QPoint at = {}) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
}

inline void TypeInto(QLineEdit* field, const QString& text, bool enter = true) {
    ASSERT_NE(field, nullptr);
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClicks(field, text);
    if (enter) QTest::keyClick(field, Qt::Key_Return);
}

inline void Choose(QComboBox* list, const QString& entry) {
    ASSERT_NE(list, nullptr);
    const int i = list->findText(entry);
    ASSERT_GE(i, 0) << entry.toStdString() << " is not in " << list->objectName().toStdString();
    QTest::mouseClick(list, Qt::LeftButton);
    ASSERT_TRUE(list->view()->isVisible()) << list->objectName().toStdString() << " did not open";
    list->view()->setCurrentIndex(list->model()->index(i, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
}

inline void ShowActive(QWidget* window) {
    window->show(), window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
}

inline void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton,
                      Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}
inline void Drag(QWidget* w, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, from, button, button);
    SendMouse(w, QEvent::MouseMove, to, Qt::NoButton, button);
    SendMouse(w, QEvent::MouseButtonRelease, to, button);
}

// Answers modal message boxes (`Yes`) and input boxes (`answer`, or cancel), and hands dialogs to actions.
class ModalAnswerer {
  public:
    explicit ModalAnswerer(QString answer = {}) : answer_(std::move(answer)) {
        // A timer does not fire while its own slot runs: a box a dialog's action opens needs the second.
        for (QTimer* timer : {&timer_, &nested_}) {
            QObject::connect(timer, &QTimer::timeout, [this] { Answer(); });
            timer->start(5);
        }
    }
    void OnDialog(const char* name, std::function<void(QDialog*)> act) { actions_[name] = std::move(act); }
    QStringList Messages;
    QStringList InputPrompts;  // title and prompt of each input box
    bool Yes = true;

  private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Messages << box->text() + "\n" + box->informativeText();
            box->button(QMessageBox::Yes) ? box->button(Yes ? QMessageBox::Yes : QMessageBox::No)->click()
                                          : box->accept();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            InputPrompts << input->windowTitle() + ": " + input->labelText();
            input->setTextValue(answer_);
            answer_.isEmpty() ? input->reject() : input->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            const auto it = actions_.find(dialog->objectName().toStdString());
            if (acting_.count(dialog)) return;  // its action is running
            if (it == actions_.end()) {
                ADD_FAILURE() << "unexpected dialog " << dialog->objectName().toStdString();
                dialog->reject();
            } else {
                acting_.insert(dialog);
                it->second(dialog);
                acting_.erase(dialog);
            }
        }
    }
    QTimer timer_, nested_;
    std::set<QDialog*> acting_;
    QString answer_;
    std::map<std::string, std::function<void(QDialog*)>> actions_;
};

// "Europe" is the EU rule; "AusSouth" wraps the year (October to April); "Varia" lists 2023 and 2024.
inline DstRuleList TestRules() {
    return {{"Europe", {1, 5, 3}, {1, 5, 10}, {}},
            {"AusSouth", {1, 1, 10}, {1, 1, 4}, {}},
            {"Varia",
             {},
             {},
             {{2023, DateSerial(2023, 4, 1), DateSerial(2023, 10, 1)},
              {2024, DateSerial(2024, 5, 1), DateSerial(2024, 9, 1)}}}};
}
inline CityList TestCities() {
    return {{"Berlin", 52.52, 13.405, 27, "Europe"},    {"Lima", -12.05, -77.04, 12, "None"},
            {"London", 51.5074, -0.1278, 26, "Europe"}, {"Longyearbyen", 78.22, 15.65, 27, "Europe"},
            {"Sydney", -33.87, 151.21, 67, "AusSouth"}, {"Varia Town", 45.0, 10.0, 27, "Varia"}};
}

inline void PutShippedFiles(const std::filesystem::path& folder) {
    for (const char* name : {"refs.txt", "graf.bmp", "graf_hours.bmp", "graf_altitudes.bmp", "world.bmp"})
        std::filesystem::copy_file(Resource(name), folder / name);
    SaveDstRules(folder / "dst_types.txt", TestRules());
    SaveCities(folder / "city_db.txt", TestCities());
}

// A program folder of its own: the shipped files and settings naming `city` as the default city.
class ProgramFolder : public TempFolder {
  public:
    explicit ProgramFolder(const std::string& city = "", Settings settings = {}) {
        PutShippedFiles(Path());
        settings.DefaultCitySetting = city;
        SaveSettings(*this / "settings.ini", settings);
    }
};

// One run of the program on `folder`; the fake clock reads 21 June 2024, 12:00:00 unless told.
class Program {
  public:
    explicit Program(const ProgramFolder& folder, double now = DateSerial(2024, 6, 21) + 0.5)
        : clock_(std::make_shared<FakeClock>(now)),
          window_((QApplication::setQuitOnLastWindowClosed(false),
                   qobject_cast<MainWindow*>(
                       StartProgram(QString::fromStdString(folder.Path().string()), clock_)))) {}
    explicit Program(const ProgramFolders& folders, const SystemZone& zone = {},
                     double now = DateSerial(2024, 6, 21) + 0.5)
        : clock_(std::make_shared<FakeClock>(now)),
          window_((QApplication::setQuitOnLastWindowClosed(false),
                   qobject_cast<MainWindow*>(StartProgram(folders, clock_, zone)))) {}
    ~Program() { Close(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    MainWindow& Main() { return *window_; }
    bool Alive() const { return !window_.isNull(); }
    FakeClock& Clock() { return *clock_; }
    void Close() {
        if (window_) window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class T = QWidget>
    T* Find(const char* name) {
        return testing::Find<T>(window_.data(), name);
    }
    QString Text(const char* name) { return Shown(window_.data(), name); }
    double Number(const char* control, const char* property) {
        return Find<QObject>(control)->property(property).toDouble();
    }
    void Click(const char* name) { testing::Click(Find(name)); }
    void Choose(const char* list, const QString& entry) { testing::Choose(Find<QComboBox>(list), entry); }
    void TypeInto(const char* box, const QString& text) { testing::TypeInto(Find<QLineEdit>(box), text); }
    void TypeInto(const char* picker, const char* field, const QString& text) {
        testing::TypeInto(testing::Find<QLineEdit>(Find(picker), field), text);
    }
    double Date() { return Number("DateP", "Value"); }
    double Seconds() {
        return Number("TimeP", "HourValue") * 3600 + Number("TimeP", "MinuteValue") * 60 +
               Number("TimeP", "SecondValue");
    }
    void SetTime(const QString& h, const QString& m, const QString& s) {
        TypeInto("TimeP", "txtHour", h), TypeInto("TimeP", "txtMin", m), TypeInto("TimeP", "txtSec", s);
    }
    void UseDialog(const char* menuItem, const char* dialog, std::function<void(QDialog*)> act) {
        ModalAnswerer answerer;
        answerer.OnDialog(dialog, std::move(act));
        Find<QAction>(menuItem)->trigger();
    }
    void Show(const char* menuItem) {
        ASSERT_FALSE(Find<QAction>(menuItem)->isChecked()) << menuItem << " is already shown";
        Find<QAction>(menuItem)->trigger();
    }

  private:
    std::shared_ptr<FakeClock> clock_;
    QPointer<MainWindow> window_;
};

struct StartedProgram : ProgramFolder, Program {
    explicit StartedProgram(const std::string& city = "", Settings settings = {},
                            double now = DateSerial(2024, 6, 21) + 0.5)
        : ProgramFolder(city, std::move(settings)), Program(static_cast<const ProgramFolder&>(*this), now) {}
};

}  // namespace heliomark::testing
#endif  // QT_WIDGETS_LIB
