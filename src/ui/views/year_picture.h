// The Year window's picture (picYear): the displayed year's days across, the local clock time from
// 0 h at the top to 24 h at the bottom, with night, the three twilights and daylight as bands, the
// sunrise, sunset and transit curves, the daylight-saving switches, month and hour grid lines with
// their labels, and a marker at the main window's date. The table comes from the engine
// (year_table.h); the picture is drawn once per table into a cache at the screen's pixel ratio, so
// moving the marker or repainting costs one copy.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <vector>

#include "engine/year_table.h"

namespace heliomark {

class YearPicture : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int MarkerDay READ MarkerDay)

  public:
    static constexpr int DayWidth = 2;     // pixels per day
    static constexpr int HourHeight = 12;  // pixels per clock hour
    static constexpr int PlotLeft = 34;    // room for the hour labels
    static constexpr int PlotTop = 8;
    static constexpr int PlotWidth = 366 * DayWidth;
    static constexpr int PlotHeight = 24 * HourHeight;

    explicit YearPicture(QWidget* parent);

    // A new year's table: the cached picture is drawn again.
    void SetTable(std::vector<YearDay> table);
    const std::vector<YearDay>& Table() const { return table_; }
    // The day (index into the table) the marker stands on; -1 for none.
    void SetMarkerDay(int day);
    int MarkerDay() const { return markerDay_; }
    // The day under a point of the picture, or -1 outside the plot's days.
    int DayAt(QPoint at) const;
    // The whole picture with its marker, at a pixel ratio (2 for a 200 % screen).
    QImage Render(qreal pixelRatio) const;

  signals:
    // The pointer moved over a day (-1 when it left the plot or the picture).
    void Hovered(int day);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void DrawTable(QPainter& painter) const;
    void DrawMarker(QPainter& painter) const;

    std::vector<YearDay> table_;
    int markerDay_ = -1;
    QPixmap cache_;  // DrawTable at the pixel ratio of the last paint; null when out of date
};

}  // namespace heliomark
