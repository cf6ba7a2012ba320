// The four views: their creation at load, their toolbar buttons and View menu items, and what the
// settings dialog does to the sky view's grid.
#include <QAction>
#include <QMenu>

#include "ui/controls/flat_button.h"
#include "ui/main/main_window.h"
#include "ui/main/toolbar_pictures.h"
#include "ui/views/day_view_window.h"
#include "ui/views/sky_view.h"
#include "ui/views/twilights_window.h"
#include "ui/views/world_map_window.h"

namespace heliomark {

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
    views_.push_back(toggle.Window);

    // The menu only toggles the button; the button's handler sets the flag and the check mark.
    bool* flag = toggle.Flag;
    connect(item, &QAction::triggered, this, [button, flag, item] {
        item->setChecked(*flag);
        button->SetValue(!*flag);
    });
    connect(button, &FlatButton::Click, this, [button, item, flag, toggle] {
        *flag = button->Value();
        item->setChecked(*flag);
        if (*flag) {
            toggle.Window->show();
            if (toggle.AfterShow) toggle.AfterShow();
        } else {
            toggle.Window->hide();
        }
    });
    return button;
}

void MainWindow::CreateViews() {
    // The views load hidden, in the order sky view, twilights, day view, world map.
    frm3D = new SkyView(*state_, this);
    positions_.SetWindow(PositionedWindows::SkyViewSlot, frm3D);
    // Opened centred on the Sun: locked for its first update only.
    AddViewToggle({4, "fb3D", "Sky View", SkyViewPicture(), "mnu3D", "S&ky View", 0, &Ext3D, frm3D, [this] {
                       frm3D->IsLocked = true;
                       frm3D->UpdateSkyData();
                       frm3D->IsLocked = false;
                   }});

    frmTW = new TwilightsWindow(*state_, this);
    positions_.SetWindow(PositionedWindows::TwilightsSlot, frmTW);
    // The day's events are computed with twilights only while this window is shown.
    AddViewToggle({3, "fbTW", "Twilights", TwilightsPicture(), "mnuTW", "T&wilights", 3, &ExtTW, frmTW,
                   [this] { UpdateGeneralData(false, false); }});

    frmGraf = new DayViewWindow(*state_, *TimeP, this);
    positions_.SetWindow(PositionedWindows::DayViewSlot, frmGraf);
    AddViewToggle({1, "fbGraf", "Day View", DayViewPicture(), "mnuGraf", "D&ay View", 1, &ExtGraf, frmGraf,
                   [this] { frmGraf->UpdateGrafData(); }});

    frmMap = new WorldMapWindow(*state_, *TimeP,
                                {[this](const MapClick& click) { MapPlaceClicked(click); },
                                 [this](int city) { MapCityClicked(city); }},
                                this);
    positions_.SetWindow(PositionedWindows::WorldMapSlot, frmMap);
    AddViewToggle({2, "fbMap", "World Map", WorldMapPicture(), "mnuMap", "W&orld Map", 2, &ExtMap, frmMap,
                   [this] { frmMap->UpdateMapData(); }});
}

SkyGridHooks MainWindow::SkyGrid() {
    SkyView* sky = frm3D;
    return {[sky] { sky->Model().BuildModel(false); },
            [sky](int16_t d) { sky->Model().SetMeridiansDensity(d); },
            [sky](int16_t d) { sky->Model().SetParallelsDensity(d); },
            [sky] {
                if (sky->isVisible()) sky->Model().DrawScene();
            }};
}

}  // namespace heliomark
