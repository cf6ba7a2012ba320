// The daylight-saving editor driven through its named controls.
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "data/data.h"
#include "dialog_test_support.h"
#include "ui/controls/date_picker.h"
#include "ui/dialogs/dst_editor.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

DstRuleList SampleRules() {
    return {
        {"EU", {1, 5, 3}, {1, 5, 10}, {}},
        {"Brazil",
         {1, 1, 11},
         {1, 3, 2},
         {{2018, DateSerial(2018, 11, 4), DateSerial(2019, 2, 17)},
          {2019, DateSerial(2019, 11, 3), DateSerial(2020, 2, 16)}}},
        {"Chile", {}, {}, {{2020, DateSerial(2020, 9, 6), DateSerial(2021, 4, 4)}}},
    };
}

struct Editor {
    explicit Editor(const std::string& folderName) : folder(folderName) {
        dialog = std::make_unique<DstEditor>(rules, folder.Path() / "dst_types.txt");
        dialog->show();
        QWidget* w = dialog.get();
        cmbDST = Control<QComboBox>(w, "cmbDST");
        txtName = Control<QLineEdit>(w, "txtName");
        optPer = Control<QRadioButton>(w, "optPer");
        optCust = Control<QRadioButton>(w, "optCust");
        Frame1 = Control<QFrame>(w, "Frame1");
        Frame2 = Control<QFrame>(w, "Frame2");
        for (const char* name : {"cmbCnt1", "cmbWeek1", "cmbMon1", "cmbCnt2", "cmbWeek2", "cmbMon2"})
            dayLists.push_back(Control<QComboBox>(w, name));
        cmbYears = Control<QComboBox>(w, "cmbYears");
        txtYear = Control<QLineEdit>(w, "txtYear");
        dpStart = Control<DatePicker>(w, "dpStart");
        dpEnd = Control<DatePicker>(w, "dpEnd");
        cmdAdd = Control<QPushButton>(w, "cmdAdd");
        cmdSave = Control<QPushButton>(w, "cmdSave");
        cmdRemY = Control<QPushButton>(w, "cmdRemY");
        cmdUpd = Control<QPushButton>(w, "cmdUpd");
        cmdRem = Control<QPushButton>(w, "cmdRem");
        cmdEx = Control<QPushButton>(w, "cmdEx");
    }
    QStringList Items(QComboBox* list) const {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }
    std::vector<int> Positions() const {
        std::vector<int> positions;
        for (QComboBox* list : dayLists)
            positions.push_back(list->currentIndex());
        return positions;
    }
    void SetPositions(const std::vector<int>& positions) {
        for (std::size_t i = 0; i < dayLists.size(); ++i)
            dayLists[i]->setCurrentIndex(positions[i]);
    }

    ScratchFolder folder;
    DstRuleList rules = SampleRules();
    std::unique_ptr<DstEditor> dialog;
    QComboBox *cmbDST, *cmbYears;
    QLineEdit *txtName, *txtYear;
    QRadioButton *optPer, *optCust;
    QFrame *Frame1, *Frame2;
    std::vector<QComboBox*> dayLists;  // cmbCnt1, cmbWeek1, cmbMon1, cmbCnt2, cmbWeek2, cmbMon2
    DatePicker *dpStart, *dpEnd;
    QPushButton *cmdAdd, *cmdSave, *cmdRemY, *cmdUpd, *cmdRem, *cmdEx;
};

}  // namespace

TEST(DstEditor, StartsWithTheRuleNamesAndTheListsOfBothFormats) {
    Editor e("load");
    EXPECT_EQ(e.dialog->objectName(), "frmDST");
    EXPECT_EQ(e.dialog->windowTitle(), "Edit Daylight Saving Times");
    EXPECT_EQ(e.Items(e.cmbDST), QStringList({"EU", "Brazil", "Chile"}));
    EXPECT_EQ(e.Items(e.dayLists[0]), QStringList({"First", "Second", "Third", "Forth", "Last"}));
    EXPECT_EQ(e.Items(e.dayLists[4]).first(), "Sunday");
    EXPECT_EQ(e.Items(e.dayLists[5]).last(), "December");
    EXPECT_TRUE(e.dpStart->isHidden() && e.dpEnd->isHidden());
    EXPECT_TRUE(e.txtYear->text().isEmpty());
    EXPECT_FALSE(e.cmdUpd->isEnabled() || e.cmdRem->isEnabled());
}

TEST(DstEditor, NamingARuleShowsItsFormat) {
    Editor e("show");
    QTest::keyClicks(e.txtName, "eu");
    EXPECT_EQ(e.cmdUpd->text(), "Update");
    EXPECT_TRUE(e.cmdRem->isEnabled());
    EXPECT_TRUE(e.optPer->isChecked());
    EXPECT_TRUE(e.Frame1->isVisible() && e.Frame2->isHidden());
    EXPECT_EQ(e.Positions(), (std::vector<int>{4, 0, 2, 4, 0, 9}));  // Last Sunday of March, of October
    EXPECT_EQ(e.cmbYears->count(), 0);

    e.cmbDST->setCurrentIndex(1);
    emit e.cmbDST->activated(1);
    EXPECT_EQ(e.txtName->text(), "Brazil");
    EXPECT_TRUE(e.optCust->isChecked());
    EXPECT_TRUE(e.Frame2->isVisible() && e.Frame1->isHidden());
    EXPECT_EQ(e.Positions(), (std::vector<int>(6, -1)));
    EXPECT_EQ(e.Items(e.cmbYears), QStringList({"2018", "2019"}));

    e.txtName->setText("Mars");
    EXPECT_EQ(e.cmdUpd->text(), "Add New");
    EXPECT_FALSE(e.cmdRem->isEnabled());
    EXPECT_TRUE(e.optPer->isChecked());
}

TEST(DstEditor, ListedAndUnlistedYears) {
    Editor e("years");
    e.txtName->setText("Brazil");
    e.cmbYears->setCurrentIndex(0);
    emit e.cmbYears->activated(0);
    EXPECT_EQ(e.txtYear->text(), "2018");
    EXPECT_TRUE(e.dpStart->isVisible() && e.dpEnd->isVisible());
    EXPECT_EQ(e.dpStart->Value(), DateSerial(2018, 11, 4));
    EXPECT_EQ(e.dpEnd->Value(), DateSerial(2019, 2, 17));
    EXPECT_TRUE(e.cmdRemY->isEnabled() && e.cmdSave->isEnabled());
    EXPECT_FALSE(e.cmdAdd->isEnabled());

    e.txtYear->setText("2021");
    EXPECT_TRUE(e.dpStart->isHidden() && e.dpEnd->isHidden());
    EXPECT_FALSE(e.cmdRemY->isEnabled());
    EXPECT_TRUE(e.cmdAdd->isEnabled() && e.cmdSave->isEnabled());
    e.cmdAdd->click();
    EXPECT_TRUE(e.dpStart->isVisible() && e.dpEnd->isVisible());
    EXPECT_EQ(e.dpStart->Value(), DateSerial(2021, 4, 1));
    EXPECT_EQ(e.dpEnd->Value(), DateSerial(2021, 10, 1));
    e.dpEnd->SetValue(DateSerial(2022, 2, 20));
    e.cmdSave->click();
    EXPECT_EQ(e.Items(e.cmbYears), QStringList({"2018", "2019", "2021"}));
    EXPECT_EQ(e.rules[1].Years.size(), 2u) << "the rule list changed before Update";
    e.cmdUpd->click();
    ASSERT_EQ(e.rules[1].Years.size(), 3u);
    EXPECT_EQ(e.rules[1].Years[2].Year, 2021);
    EXPECT_EQ(e.rules[1].Years[2].StartDate, DateSerial(2021, 4, 1));
    EXPECT_EQ(e.rules[1].Years[2].EndDate, DateSerial(2022, 2, 20));

    // Saving a listed year changes its dates in place.
    e.txtYear->setText("2019");
    e.dpStart->SetValue(DateSerial(2019, 10, 20));
    e.cmdSave->click();
    e.cmdUpd->click();
    ASSERT_EQ(e.rules[1].Years.size(), 3u);
    EXPECT_EQ(e.rules[1].Years[1].StartDate, DateSerial(2019, 10, 20));
}

TEST(DstEditor, AYearOutsideTheCalendarNeverMakesTheListUnsavable) {
    Editor e("year_range");
    ModalAnswerer answerer;
    e.txtName->setText("Brazil");
    e.txtYear->setText("5");  // 1 April of the year 5 cannot be stored in the rule file
    e.cmdAdd->click();
    e.cmdSave->click();
    e.cmdUpd->click();
    const QStringList refusals = answerer.Messages();
    e.cmdEx->click();
    EXPECT_EQ(answerer.Messages(), refusals) << "the rule file was not written";
    EXPECT_EQ(LoadDstRules(e.folder.Path() / "dst_types.txt").size(), 3u);
}

TEST(DstEditor, SwitchingToPermanentFormatDropsTheYears) {
    Editor e("to_permanent");
    e.txtName->setText("Brazil");
    e.optPer->click();
    EXPECT_TRUE(e.Frame1->isVisible() && e.Frame2->isHidden());
    e.SetPositions({1, 0, 9, -1, 0, 1});  // second Sunday of October; end ordinal left empty
    e.cmdUpd->click();
    const DstRule& rule = e.rules[1];
    EXPECT_TRUE(rule.Years.empty());
    EXPECT_EQ(rule.Start.Ordinal, 2);
    EXPECT_EQ(rule.Start.Weekday, 1);
    EXPECT_EQ(rule.Start.Month, 10);
    EXPECT_EQ(rule.End.Ordinal, 0);  // no selection stores 0
    EXPECT_EQ(rule.End.Month, 2);
}

TEST(DstEditor, RemovingTheLastYearLeavesAPermanentRule) {
    Editor e("last_year");
    e.txtName->setText("Chile");
    e.txtYear->setText("2020");
    e.cmdRemY->click();
    EXPECT_TRUE(e.txtYear->text().isEmpty());
    EXPECT_EQ(e.cmbYears->count(), 0);
    // The year's button keeps its state after the year box empties; a second click must not fail.
    e.cmdRemY->click();
    e.cmdUpd->click();
    EXPECT_TRUE(e.rules[2].Years.empty());
    EXPECT_EQ(e.rules[2].Name, "Chile");
}

TEST(DstEditor, EveryAddNewClickAppendsARule) {
    Editor e("append");
    e.txtName->setText("Mars");
    e.SetPositions({0, 0, 3, 4, 0, 8});
    e.cmdUpd->click();
    e.cmdUpd->click();
    ASSERT_EQ(e.rules.size(), 5u);
    EXPECT_EQ(e.rules[3].Name, "Mars");
    EXPECT_EQ(e.rules[4].Name, "Mars");
    EXPECT_EQ(e.rules[3].End.Ordinal, 5);
    EXPECT_EQ(e.Items(e.cmbDST), QStringList({"EU", "Brazil", "Chile", "Mars", "Mars"}));
}

TEST(DstEditor, RemoveTakesTheNamedRuleOutOfListAndDropDown) {
    Editor e("remove");
    // The drop-down's selection and the typed name may differ: the named rule goes.
    e.cmbDST->setCurrentIndex(0);
    emit e.cmbDST->activated(0);
    e.txtName->setText("brazil");
    e.cmdRem->click();
    ASSERT_EQ(e.rules.size(), 2u);
    EXPECT_EQ(e.rules[1].Name, "Chile");
    EXPECT_EQ(e.Items(e.cmbDST), QStringList({"EU", "Chile"}));
    EXPECT_TRUE(e.txtName->text().isEmpty());
    EXPECT_FALSE(e.cmdRem->isEnabled());
}

TEST(DstEditor, ClosingWritesTheRuleFileOrReportsWhyNot) {
    {
        Editor e("save");
        e.txtName->setText("EU");
        e.cmdRem->click();
        e.cmdEx->click();
        const DstRuleList saved = LoadDstRules(e.folder.Path() / "dst_types.txt");
        ASSERT_EQ(saved.size(), 2u);
        EXPECT_EQ(saved[0].Name, "Brazil");
        EXPECT_EQ(saved[0].Years.size(), 2u);
    }
    ScratchFolder folder("save_fails");
    DstRuleList rules = SampleRules();
    const auto file = folder.Unwritable("dst_types.txt");
    DstEditor dialog(rules, file);
    dialog.show();
    ModalAnswerer answerer;
    dialog.reject();  // the close box or Esc saves as well
    ASSERT_EQ(answerer.Messages().size(), 1);
    EXPECT_TRUE(answerer.Messages()[0].contains(QString::fromStdString(file.string())));
    EXPECT_EQ(rules.size(), 3u);
}
