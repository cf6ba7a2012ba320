// Helpers for the day view and world map tests: the views' plots as pictures, and mouse events
// delivered to a given control.
#pragma once

#include <QAction>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>

#include "../main/program_fixture.h"

namespace heliomark::testing {

inline QWidget* View(Program& p, const char* name) {
    return p.Find(name);
}

// A control of one view (both views have a picRes).
inline QWidget* ViewControl(Program& p, const char* view, const char* name) {
    QWidget* w = View(p, view)->findChild<QWidget*>(name);
    EXPECT_NE(w, nullptr) << view << " has no control named " << name;
    return w;
}

inline void ShowView(Program& p, const char* menuItem) {
    QAction* item = p.Find<QAction>(menuItem);
    ASSERT_FALSE(item->isChecked()) << menuItem << " is already shown";
    item->trigger();
}

// The program on the test data with `city` chosen and one view shown by its View menu item.
inline std::unique_ptr<Program> StartWithView(ProgramFolder& folder, const char* menuItem,
                                              const std::string& city = "Berlin") {
    folder.WriteStandardData(city);
    auto program = std::make_unique<Program>(folder);
    ShowView(*program, menuItem);
    return program;
}

// What the control shows, pixel for pixel.
inline QImage Shown(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB888);
}

// What the control itself shows under its child labels (the city "+" covers the place marker).
inline QImage ShownUnder(QWidget* w) {
    QImage image(w->size(), QImage::Format_RGB888);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

inline bool IsPureRed(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == QColor(255, 0, 0);
}

// A mouse event as the window system delivers it to `w` at `at` (w's pixels).
inline void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void MoveMouse(QWidget* w, QPointF at) {
    SendMouse(w, QEvent::MouseMove, at);
}

inline void ClickMouse(QWidget* w, QPointF at) {
    SendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

}  // namespace heliomark::testing
