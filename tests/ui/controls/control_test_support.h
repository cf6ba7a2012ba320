// A shown, active window to put a control in, with one ordinary text box beside it for the focus to
// go to, and helpers that act as the user does.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <ostream>
#include <string>

// Readable failure messages for Qt strings (internal, so that it cannot clash with a helper of
// another test file).
static inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace heliomark::test {

class TestWindow {
  public:
    TestWindow() {
        window.resize(420, 260);
        outside = new QLineEdit(&window);
        outside->setObjectName("outside");
        outside->setGeometry(300, 220, 100, 20);
    }

    // Shows the window and waits until it is active, so that focus changes send focus events.
    bool Activate() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    QWidget window;
    QLineEdit* outside = nullptr;
};

// The child of `parent` called `name`, failing the test when there is none.
template <class T>
T* Child(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << "no child " << name;
    return child;
}

// Puts the focus in `field` the way Tab does, types `text` over its whole text.
inline void TypeInto(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();  // also when the focus was there already
    QTest::keyClicks(QApplication::focusWidget(), text);
}

inline void PressEnter() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// One click on the upper (step +1) or lower (step -1) half of a picker's spin button.
inline void Spin(QWidget* picker, int step) {
    QWidget* spin = picker->findChild<QWidget*>("UpDown1");
    ASSERT_NE(spin, nullptr);
    const int y = step > 0 ? 2 : spin->height() - 3;
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, y));
}

// One edit of a picker field as the user makes it: `typed` over the field's text and Enter, or,
// when `typed` is null, a spin by `step` with the focus in the field. Returns what was done, for
// failure messages.
inline std::string EditField(QWidget* picker, QLineEdit* field, const char* typed, int step) {
    if (typed) {
        TypeInto(field, typed);
        PressEnter();
        return field->objectName().toStdString() + " typed " + typed;
    }
    field->setFocus(Qt::TabFocusReason);
    Spin(picker, step);
    return field->objectName().toStdString() + " spun " + std::to_string(step);
}

}  // namespace heliomark::test
