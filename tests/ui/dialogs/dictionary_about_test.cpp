// The dictionary window and the about box.
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "data/dictionary.h"
#include "dialog_test_support.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/dictionary_window.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

QStringList Titles(QListWidget* list) {
    QStringList titles;
    for (int i = 0; i < list->count(); ++i)
        titles << list->item(i)->text();
    return titles;
}

}  // namespace

TEST(DictionaryWindow, ListsTheSortedTitlesAndShowsTheChosenEntry) {
    ScratchFolder folder("dict");
    WriteText(folder.Path() / "dict.txt",
              "Glossary of Heliomark\r\n!azimuth\r\nDirection along the horizon.\r\n\r\nFrom north.\r\n"
              "!Zenith\r\nStraight up.\r\n!\r\nUntitled.\r\n");
    Dictionary dictionary;
    DictionaryWindow window(dictionary, folder.Path() / "dict.txt");
    window.show();
    EXPECT_EQ(window.objectName(), "frmDict");
    EXPECT_EQ(window.windowTitle(), "Dictionary");
    auto* list = Control<QListWidget>(&window, "List1");
    EXPECT_EQ(Titles(list), QStringList({"", "Zenith", "azimuth"}));
    list->setCurrentRow(2);
    EXPECT_EQ(Control<QLabel>(&window, "Label1")->text(), "azimuth");
    EXPECT_EQ(Control<QPlainTextEdit>(&window, "Text1")->toPlainText(),
              "Direction along the horizon.\n\nFrom north.\n");
    list->setCurrentRow(0);
    EXPECT_EQ(Control<QLabel>(&window, "Label1")->text(), "");
    EXPECT_EQ(Control<QPlainTextEdit>(&window, "Text1")->toPlainText(), "Untitled.\n");
    Control<QPushButton>(&window, "Command1")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST(DictionaryWindow, ReadsTheFileOnlyTheFirstTime) {
    ScratchFolder folder("dict_once");
    const auto file = folder.Path() / "dict.txt";
    WriteText(file, "!Transit\r\nHighest point.\r\n");
    Dictionary dictionary;
    { DictionaryWindow first(dictionary, file); }
    WriteText(file, "!Other\r\n");
    DictionaryWindow second(dictionary, file);
    EXPECT_EQ(Titles(Control<QListWidget>(&second, "List1")), QStringList({"Transit"}));
}

TEST(DictionaryWindow, AMissingFileOpensEmptyAndAnUnreadableOneIsReported) {
    ScratchFolder folder("dict_missing");
    {
        ModalAnswerer answerer;
        Dictionary dictionary;
        DictionaryWindow window(dictionary, folder.Path() / "dict.txt");
        EXPECT_EQ(Control<QListWidget>(&window, "List1")->count(), 0);
        EXPECT_TRUE(answerer.Messages().isEmpty());
    }
    ModalAnswerer answerer;
    Dictionary dictionary;
    DictionaryWindow window(dictionary, folder.Path());  // a folder where the file should be
    EXPECT_EQ(Control<QListWidget>(&window, "List1")->count(), 0);
    ASSERT_EQ(answerer.Messages().size(), 1);
    EXPECT_TRUE(answerer.Messages()[0].contains(QString::fromStdString(folder.Path().string())));
}

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
  public slots:
    void Open(const QUrl& url) { opened << url; }

  public:
    QList<QUrl> opened;
};

}  // namespace

TEST(AboutBox, ShowsNameVersionCreditsAndOpensTheWebAddress) {
    AboutBox about;
    about.show();
    EXPECT_EQ(about.objectName(), "frmAbout");
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(Control<QLabel>(&about, "Label1")->text(), "Heliomark Pro");
    EXPECT_EQ(Control<QLabel>(&about, "Label2")->text(), "Version 1.3");
    EXPECT_EQ(Control<QLabel>(&about, "Label6")->text(), "Credits:");
    EXPECT_TRUE(Control<QLabel>(&about, "Label3")->text().contains("2026"));
    EXPECT_FALSE(Control<QLabel>(&about, "Label3")->text().contains('\n'));
    const QString credits = Control<QLabel>(&about, "Label4")->text();
    for (const char* source :
         {"Meeus", "Astronomical Almanac", "Sæmundsson", "NASA Visible Earth", "GeoNames", "IANA"})
        EXPECT_TRUE(credits.contains(QString::fromUtf8(source))) << source;
    EXPECT_FALSE(Control<QLabel>(&about, "Picture1")->pixmap().isNull());

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    QLabel* address = Control<QLabel>(&about, "Label5");
    QTest::mouseClick(address, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(address->text()));
    EXPECT_TRUE(address->text().startsWith("https://"));

    Control<QPushButton>(&about, "Command1")->click();
    EXPECT_FALSE(about.isVisible());
}

#include "dictionary_about_test.moc"
