// The world map (frmMap): the Earth's lit half, twilight bands and night for the main window's date
// and clock time, the sub-solar point and a red marker at the chosen place. Under the mouse it reads
// out latitude, longitude and the Sun's altitude and marks the city nearest the pointer; a click
// hands a place, or a click on the city marker a city, back to the main window. The shading and the
// read-outs are computed by WorldMap and map_pointing (src/shading); this window reads world.bmp,
// forwards the main window's calls, moves its labels and paints. Closing it only hides it.
#pragma once

#include <QPointF>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/shared_state.h"
#include "shading/map_pointing.h"

class QLabel;

namespace heliomark {

class FormMove;
class PixelPicture;
class TimePicker;
class WorldMap;

class WorldMapWindow : public QWidget {
    Q_OBJECT

  public:
    // What the map asks of the main window: a clicked place (its inputs are set and the main window
    // recomputes) and a clicked city marker (1-based city number: the city is selected in the
    // main window's list and applied, even when it is already selected).
    struct MainWindowLink {
        std::function<void(const MapClick&)> PlaceClicked;
        std::function<void(int city)> CityClicked;
    };

    // A top-level window owned by `owner` (the main window), created hidden. It reads world.bmp from
    // the program folder; a picture that cannot be read is shown grey and reported. The clock time is
    // the main window's time picker `timeP`.
    WorldMapWindow(const SharedState& state, const TimePicker& timeP, MainWindowLink link, QWidget* owner);
    ~WorldMapWindow() override;

    // Shades the map for the date and zone in SharedState and the time in the time picker, draws the
    // sub-solar point and the place marker at SharedState's place, and repaints.
    void UpdateMapData();
    // Moves the place marker to lat, lon (radians, north and east positive); isRefresh first erases
    // the old marker and repaints.
    void UpdatePointer(double lat, double lon, bool isRefresh);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The read-outs and the city marker for the mouse at (x, y), pixels of the map picture.
    void MapMouseMove(double x, double y);
    void MapMouseUp(double x, double y);
    // The pointer left the map: the marker, the name and the read-outs go.
    void MapMouseLeft();

    const SharedState& state_;
    const TimePicker& timeP_;
    MainWindowLink link_;
    std::unique_ptr<WorldMap> map_;
    int nearestCity_ = 0;             // 1-based, of the last mouse move; 0 when none
    std::optional<QPointF> pointer_;  // where the pointer rests on the map (pixels); none when off it
    PixelPicture* picRes = nullptr;
    QLabel* lblPnt = nullptr;    // "+" on the city near the pointer
    QLabel* lblTitle = nullptr;  // that city's name
    QLabel *lblLat = nullptr, *lblLon = nullptr, *lblAlt = nullptr;
    FormMove* mover_ = nullptr;
};

}  // namespace heliomark
