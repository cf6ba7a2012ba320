// The menu commands that open the modal dialogs: settings, the two database editors, the
// dictionary and the about box. The editors change the lists in SharedState and save their files
// themselves; afterwards the main window refills its own lists and reselects what was selected.
#include <QComboBox>
#include <QMenu>
#include <QSignalBlocker>

#include "ui/controls/city_picker.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/city_editor.h"
#include "ui/dialogs/dictionary_window.h"
#include "ui/dialogs/dst_editor.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/main/main_window.h"

namespace heliomark {

namespace {

QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

}  // namespace

void MainWindow::BuildDialogMenus() {
    AddFileMenuItem("mnuOpt", "&Settings...", [this] { mnuOpt_Click(); });

    QMenu* db = Menu("mnuDB");
    connect(AddMenuItem(db, "mnuCities", "C&ities..."), &QAction::triggered, this,
            [this] { mnuCities_Click(); });
    connect(AddMenuItem(db, "mnuDST", "D&aylight Saving Times..."), &QAction::triggered, this,
            [this] { mnuDST_Click(); });

    QMenu* help = Menu("mnuHelp");
    connect(AddMenuItem(help, "mnuDict", "Dictionary..."), &QAction::triggered, this,
            [this] { mnuDict_Click(); });
    mnuSep2 = help->addSeparator();
    mnuSep2->setObjectName("mnuSep2");
    connect(AddMenuItem(help, "mnuAbout", "&About..."), &QAction::triggered, this,
            [this] { mnuAbout_Click(); });
}

void MainWindow::FillCityList() {
    // Clearing and filling a list moves its selection; none of those moves is a user's pick.
    cmbCities->SetNames(CityNames(state_->Cities));
}

void MainWindow::FillDstList() {
    const QSignalBlocker block(cmbDST);
    cmbDST->clear();
    cmbDST->addItem("None");
    for (const DstRule& rule : state_->DstRules)
        cmbDST->addItem(QString::fromStdString(TrimBlanks(rule.Name)));
    cmbDST->setCurrentIndex(-1);
}

void MainWindow::mnuOpt_Click() {
    CreateFolderFor(state_->Folders.SettingsFile());
    SettingsDialog dialog(state_->Settings, state_->Cities, state_->Folders.SettingsFile(), SkyGrid(), this);
    if (dialog.exec() == QDialog::Accepted) UpdateGeneralData(false, false);
}

void MainWindow::mnuCities_Click() {
    const std::string previous = cmbCities->itemText(cmbCities->currentIndex()).toStdString();
    {
        // The editor saves the user's copy, beside the shipped list or in the user's data folder.
        CreateFolderFor(state_->Folders.CitiesToWrite());
        CityEditor editor(state_->Cities, state_->DstRules, state_->Settings, state_->Folders.CitiesToWrite(),
                          this);
        editor.exec();
    }
    FillCityList();
    // Writing the index runs the city handler once, which applies the reselected city (or, when it
    // is gone, the default place) and recomputes.
    {
        const QSignalBlocker block(cmbCities);
        cmbCities->setCurrentIndex(FindCity(state_->Cities, previous) - 1);
    }
    cmbCities_Click();
}

void MainWindow::mnuDST_Click() {
    const std::string previous = cmbDST->currentText().toStdString();
    {
        CreateFolderFor(state_->Folders.DstRulesToWrite());
        DstEditor editor(state_->DstRules, state_->Folders.DstRulesToWrite(), this);
        editor.exec();
    }
    FillDstList();
    // "None" when the rule is gone; the DST handler derives the period again and recomputes.
    SetDstListIndex(FindDstRule(state_->DstRules, previous));
}

void MainWindow::mnuDict_Click() {
    DictionaryWindow window(state_->Dictionary, state_->ProgramFolder / "dict.txt", this);
    window.exec();
}

void MainWindow::mnuAbout_Click() {
    AboutBox box(this);
    box.exec();
}

}  // namespace heliomark
