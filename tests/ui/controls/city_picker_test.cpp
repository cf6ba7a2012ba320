// Finding a place by typing in the city lists, and the picker's list keys and clicks.

#include <QSignalSpy>

#include "support/test_support.h"
#include "ui/controls/city_picker.h"

namespace heliomark::testing {
namespace {

// Types `text` key by key into `widget` (QTest::keyClicks knows only ASCII).
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

TEST(FindByTyping, EnterPicksAMatchAndEscapePutsTheChoiceBack) {
    StartedProgram p("Berlin");
    auto* list = p.Find<QComboBox>("cmbCities");
    Type(list, QString::fromUtf8("L\xC3\x8DM"));  // LÍM: accents ignored
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(list->currentText() == "Lima" && p.Number("apLat", "Value") == 12.05 &&
                p.Text("cmbLat") == "S");
    Type(list, "ber");  // Escape puts the pick back and keeps the window
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(list->currentText() == "Lima" && p.Main().isVisible());
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
