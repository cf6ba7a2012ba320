// The main window's toolbar buttons and View menu items, and the view windows it creates, hidden,
// at load: each view's hooks are filled here and its button and menu item show and hide it.
#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>

#include "ui/controls/flat_button.h"
#include "ui/main/main_window.h"
#include "ui/main/toolbar_pictures.h"
#include "ui/views/day_view_window.h"
#include "ui/views/sky_view.h"
#include "ui/views/sun_events_window.h"
#include "ui/views/twilights_window.h"
#include "ui/views/world_map_window.h"
#include "ui/views/year_window.h"

namespace heliomark {

FlatButton* MainWindow::AddToolbarButton(int slot, const char* name, const QString& toolTip,
                                         const QPixmap& picture, int style) {
    auto* button = new FlatButton(toolbar_);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->SetPicture(picture);
    button->SetStyle(style);
    auto* layout = static_cast<QHBoxLayout*>(toolbar_->layout());
    int index = 0;
    for (const auto& [other, unused] : toolbarButtons_)
        if (other < slot) ++index;
    layout->insertWidget(index, button);
    toolbarButtons_[slot] = button;
    return button;
}

FlatButton* MainWindow::AddViewToggle(const ViewToggle& toggle) {
    FlatButton* button = AddToolbarButton(toggle.Slot, toggle.ButtonName, toggle.ToolTip, toggle.Picture, 1);

    QMenu* view = Menu("mnuView");
    auto* item = new QAction(toggle.MenuCaption, view);
    item->setObjectName(toggle.MenuName);
    item->setCheckable(true);
    QAction* before = nullptr;
    for (const auto& [order, other] : viewMenuItems_)
        if (order > toggle.MenuOrder && !before) before = other;
    view->insertAction(before, item);
    viewMenuItems_[toggle.MenuOrder] = item;

    // The menu only toggles the button; the button's handler sets the flag and the check mark.
    bool* flag = toggle.Flag;
    connect(item, &QAction::triggered, this, [button, flag, item] {
        item->setChecked(*flag);
        button->SetValue(!*flag);
    });
    connect(button, &FlatButton::Click, this, [this, button, item, flag, toggle] {
        *flag = button->Value();
        item->setChecked(*flag);
        QWidget* window = toggle.Window();
        if (!window) return;
        if (*flag) {
            window->show();
            if (toggle.AfterShow) toggle.AfterShow();
        } else {
            window->hide();
        }
    });
    return button;
}

void MainWindow::CreateViews() {
    // The views load hidden, owned by the main window, in the order sky view, twilights, day view,
    // world map; each fills its hooks and adds its toolbar button and View menu item.
    auto* sky = new SkyView(*state_, this);
    frm3D.Window = sky;
    frm3D.UpdateSkyData = [this, sky] {
        sky->VisAlt = VisAlt;
        sky->UpdateSkyData();
    };
    frm3D.SetIsLocked = [sky](bool locked) { sky->IsLocked = locked; };
    positions_.SetWindow(PositionedWindows::SkyViewSlot, sky);
    // Opened centred on the Sun: locked for its first update only.
    AddViewToggle({4, "fb3D", "Sky View", SkyViewPicture(), "mnu3D", "S&ky View", 0, &Ext3D,
                   [sky] { return sky; },
                   [this] {
                       frm3D.SetIsLocked(true);
                       frm3D.UpdateSkyData();
                       frm3D.SetIsLocked(false);
                   }});
    skyGridHooks_.RebuildModel = [sky] { sky->Model().BuildModel(false); };
    skyGridHooks_.SetMeridiansDensity = [sky](int16_t d) { sky->Model().SetMeridiansDensity(d); };
    skyGridHooks_.SetParallelsDensity = [sky](int16_t d) { sky->Model().SetParallelsDensity(d); };
    skyGridHooks_.RedrawIfVisible = [sky] {
        if (sky->isVisible()) sky->Model().DrawScene();
    };

    frmTW = new TwilightsWindow(*state_, this);
    positions_.SetWindow(PositionedWindows::TwilightsSlot, frmTW);
    AddViewToggle({3, "fbTW", "Twilights", TwilightsPicture(), "mnuTW", "T&wilights", 3, &ExtTW,
                   [this] { return frmTW; }, [this] { UpdateGeneralData(false, false); }});

    auto* dayView = new DayViewWindow(*state_, *TimeP, this);
    frmGraf.Window = dayView;
    frmGraf.UpdateGrafData = [dayView] { dayView->UpdateGrafData(); };
    frmGraf.UpdatePointer = [dayView](int posX, bool isRefresh) { dayView->UpdatePointer(posX, isRefresh); };
    positions_.SetWindow(PositionedWindows::DayViewSlot, dayView);
    AddViewToggle({1, "fbGraf", "Day View", DayViewPicture(), "mnuGraf", "D&ay View", 1, &ExtGraf,
                   [this] { return frmGraf.Window.data(); }, [this] { frmGraf.UpdateGrafData(); }});

    auto* worldMap = new WorldMapWindow(*state_, *TimeP,
                                        {[this](const MapClick& click) { MapPlaceClicked(click); },
                                         [this](int city) { MapCityClicked(city); }},
                                        this);
    frmMap.Window = worldMap;
    frmMap.UpdateMapData = [worldMap] { worldMap->UpdateMapData(); };
    frmMap.UpdatePointer = [worldMap](double lat, double lon, bool isRefresh) {
        worldMap->UpdatePointer(lat, lon, isRefresh);
    };
    positions_.SetWindow(PositionedWindows::WorldMapSlot, worldMap);
    AddViewToggle({2, "fbMap", "World Map", WorldMapPicture(), "mnuMap", "W&orld Map", 2, &ExtMap,
                   [this] { return frmMap.Window.data(); }, [this] { frmMap.UpdateMapData(); }});

    auto* events = new SunEventsWindow(
        *state_, [this](double date) { return CurrentZoneSchedule().ZoneHoursOn(date); }, this);
    frmEvents.Window = events;
    frmEvents.UpdateEventsData = [events] { events->UpdateEventsData(); };
    frmEvents.UpdateShadow = [events](double visAlt) { events->UpdateShadow(visAlt); };
    positions_.SetWindow(PositionedWindows::EventsSlot, events);
    AddViewToggle({5, "fbEvents", "Sun Events", SunEventsPicture(), "mnuEvents", "Sun &Events", 4, &ExtEvents,
                   [events] { return events; },
                   [this] {
                       frmEvents.UpdateEventsData();
                       frmEvents.UpdateShadow(VisAlt);
                   }});

    auto* year = new YearWindow(
        *state_, [this] { return CurrentZoneSchedule(); }, this);
    frmYear.Window = year;
    frmYear.UpdateYearData = [year] { year->UpdateYearData(); };
    positions_.SetWindow(PositionedWindows::YearSlot, year);
    AddViewToggle({6, "fbYear", "Year", YearViewPicture(), "mnuYear", "&Year", 5, &ExtYear,
                   [year] { return year; }, [this] { frmYear.UpdateYearData(); }});
}

}  // namespace heliomark
