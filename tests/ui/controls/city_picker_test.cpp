// Finding a place by typing in the city lists, and the picker's list keys and clicks.

#include <QSignalSpy>

#include "support/test_support.h"
#include "ui/controls/city_picker.h"
#include "ui/dialogs/city_editor.h"

namespace heliomark::testing {
namespace {

// Types `text` key by key into `widget` (QTest::keyClicks knows only ASCII).
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

// Types `keys` and Enter into `list`, then "ber" and Escape, which must keep the pick and the window.
void PickByTyping(QComboBox* list, const char* keys, const QString& picked) {
    ASSERT_NE(list, nullptr);
    Type(list, QString::fromUtf8(keys));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(list->currentText(), picked) << keys;
    Type(list, "ber");
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(list->currentText(), picked) << "after Escape: " << keys;
    EXPECT_TRUE(list->window()->isVisible()) << "Escape closed the window: " << keys;
}

TEST(FindByTyping, EnterPicksAMatchAndEscapePutsTheChoiceBack) {
    ProgramFolder folder("Berlin");
    {
        Program p(folder);  // the main window applies the city
        PickByTyping(p.Find<QComboBox>("cmbCities"), "L\xC3\x8DM", "Lima");  // LÍM: accents ignored
        EXPECT_TRUE(p.Number("apLat", "Value") == 12.05 && p.Find<QComboBox>("cmbLat")->currentText() == "S");
    }
    CityList cities = TestCities();
    const DstRuleList rules = TestRules();
    Settings settings;
    CityEditor editor(cities, rules, settings, folder / "city_db.txt");  // the editor shows it
    editor.show();
    PickByTyping(editor.findChild<QComboBox*>("cmbCities"), "town", "Varia Town");
    EXPECT_EQ(editor.findChild<QLineEdit*>("txtName")->text(), "Varia Town");
}

TEST(FindByTyping, ListKeysAndClicksMoveAndPick) {
    QWidget window;
    window.resize(300, 80);
    auto* picker = new CityPicker(&window);
    auto* outside = new QLineEdit(&window);  // somewhere else for the focus to go
    outside->move(150, 50);
    picker->SetNames({"Berlin", "New York", "Newark", "York", "Zurich"});
    ShowActive(&window);
    picker->setFocus(Qt::TabFocusReason);
    QSignalSpy changed(picker, &QComboBox::currentIndexChanged), activated(picker, &QComboBox::activated);
    QTest::keyClicks(picker, "york");  // New York and York; York, the name itself, highlighted
    QTest::keyClick(picker->MatchList(), Qt::Key_Up);  // the open list has the keys
    QTest::keyClick(picker->MatchList(), Qt::Key_Return);
    EXPECT_EQ(picker->currentText(), "New York");
    QTest::keyClicks(picker, "new");  // New York and Newark
    QAbstractItemView* matches = picker->MatchList();
    QTest::mouseClick(matches->viewport(), Qt::LeftButton, {},
                      matches->visualRect(matches->model()->index(1, 0)).center());
    EXPECT_EQ(picker->currentText(), "Newark");
    QTest::mouseClick(picker, Qt::LeftButton);  // the whole list opens; typing there carries on in the box
    ASSERT_TRUE(picker->view()->isVisible());
    QTest::keyClicks(picker->view(), "zu");
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_EQ(picker->currentText(), "Zurich");
    QTest::keyClicks(picker->lineEdit(), "berl");  // keys sent to the text field itself act the same
    QTest::keyClick(picker->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(picker->currentText(), "Berlin");
    EXPECT_TRUE(changed.count() == 4 && activated.count() == 4) << "each pick as a pick from the list";
    QTest::keyClicks(picker, "new");
    outside->setFocus(Qt::TabFocusReason);  // leaving the box picks nothing
    EXPECT_EQ(picker->lineEdit()->text(), "Berlin");
}

}  // namespace
}  // namespace heliomark::testing
