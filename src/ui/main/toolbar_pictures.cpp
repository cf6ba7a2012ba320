#include "ui/main/toolbar_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace heliomark {

namespace {

const QColor Outline(40, 40, 40);
const QColor SunYellow(255, 200, 0);
const QColor SunOrange(240, 140, 0);
const QColor SkyBlue(110, 170, 235);
const QColor Ground(90, 150, 60);

QPixmap Draw(const std::function<void(QPainter&)>& paint) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return picture;
}

}  // namespace

QPixmap CalendarPicture() {
    return Draw([](QPainter& p) {
        p.setPen(Outline);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 12));
        p.fillRect(QRectF(2, 3, 12, 3), QColor(200, 40, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(Outline);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col)
                p.drawRect(QRectF(3 + col * 3, 7.5 + row * 2.3, 1.6, 1.4));
        p.setPen(QPen(Outline, 1.2));
        p.drawLine(QPointF(4.5, 1), QPointF(4.5, 4));
        p.drawLine(QPointF(11.5, 1), QPointF(11.5, 4));
    });
}

QPixmap DayViewPicture() {
    return Draw([](QPainter& p) {
        p.fillRect(QRectF(0, 0, 16, 11), SkyBlue);
        p.fillRect(QRectF(0, 11, 16, 5), Ground);
        QPainterPath arc;
        arc.moveTo(0.5, 13);
        arc.cubicTo(4, 0, 12, 0, 15.5, 13);
        p.setPen(QPen(QColor(220, 30, 30), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        p.setPen(Qt::NoPen);
        p.setBrush(SunYellow);
        p.drawEllipse(QPointF(8, 4), 2.4, 2.4);
    });
}

QPixmap WorldMapPicture() {
    return Draw([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 50, 110));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setBrush(SkyBlue);
        p.drawPie(QRectF(1, 1, 14, 14), 90 * 16, 180 * 16);
        p.setBrush(Ground);
        p.drawEllipse(QRectF(3.5, 4, 4, 3));
        p.drawEllipse(QRectF(8.5, 8, 4, 4.5));
        p.setPen(Outline);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(1, 1, 14, 14));
    });
}

QPixmap TwilightsPicture() {
    return Draw([](QPainter& p) {
        p.fillRect(QRectF(0, 0, 16, 4), QColor(40, 50, 120));
        p.fillRect(QRectF(0, 4, 16, 3), QColor(120, 90, 170));
        p.fillRect(QRectF(0, 7, 16, 3), QColor(240, 150, 90));
        p.setPen(Qt::NoPen);
        p.setBrush(SunOrange);
        p.drawPie(QRectF(4, 7, 8, 8), 0, 180 * 16);
        p.fillRect(QRectF(0, 11, 16, 5), Ground);
    });
}

QPixmap SkyViewPicture() {
    return Draw([](QPainter& p) {
        p.setPen(Outline);
        p.setBrush(SkyBlue);
        p.drawPie(QRectF(1, 3, 14, 18), 0, 180 * 16);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
        p.drawEllipse(QRectF(4.5, 6.5, 7, 11));
        p.drawLine(QPointF(8, 3), QPointF(8, 12));
        p.fillRect(QRectF(0, 12, 16, 4), Ground);
        p.setPen(Qt::NoPen);
        p.setBrush(SunYellow);
        p.drawEllipse(QPointF(11.5, 7), 1.8, 1.8);
    });
}

QPixmap SunEventsPicture() {
    return Draw([](QPainter& p) {
        p.fillRect(QRectF(0, 0, 16, 11), QColor(250, 190, 110));
        p.setPen(Qt::NoPen);
        p.setBrush(SunOrange);
        p.drawEllipse(QPointF(3.5, 8.5), 2.6, 2.6);
        p.fillRect(QRectF(0, 11, 16, 5), Ground);
        p.setPen(QPen(Outline, 1.2));
        p.drawLine(QPointF(9.5, 5), QPointF(9.5, 11.5));
        p.setPen(QPen(QColor(40, 70, 30), 1.6));
        p.drawLine(QPointF(9.5, 12), QPointF(15.5, 12.8));
    });
}

QPixmap YearViewPicture() {
    return Draw([](QPainter& p) {
        p.fillRect(QRectF(1, 1, 14, 14), QColor(30, 44, 96));
        QPainterPath day;
        day.moveTo(1, 6);
        day.cubicTo(5, 2, 11, 2, 15, 6);
        day.lineTo(15, 10);
        day.cubicTo(11, 14, 5, 14, 1, 10);
        day.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(206, 228, 246));
        p.drawPath(day);
        p.setPen(QPen(QColor(190, 30, 90), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath([] {
            QPainterPath set;
            set.moveTo(1, 10);
            set.cubicTo(5, 14, 11, 14, 15, 10);
            return set;
        }());
        p.setPen(Outline);
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
    });
}

}  // namespace heliomark
