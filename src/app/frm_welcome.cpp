#include "app/frm_welcome.h"

#include "platform/widgets/named_controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int PictureWidth = 150;
constexpr int PictureHeight = 120;

const QColor Outline(40, 45, 55);
const QColor Housing(205, 210, 218);
const QColor Shade(150, 158, 170);
const QColor Terminal(190, 150, 60);

QPixmap blankPicture()
{
    QPixmap picture(PictureWidth, PictureHeight);
    picture.fill(Qt::white);
    return picture;
}

void screwTerminal(QPainter& p, QPointF centre)
{
    p.setBrush(Terminal);
    p.drawEllipse(centre, 5, 5);
    p.drawLine(centre - QPointF(3, 0), centre + QPointF(3, 0));
}

// A round head-mount transmitter: a puck with terminals around a centre hole.
QPixmap headMountSketch()
{
    QPixmap picture = blankPicture();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Outline, 2));
    p.setBrush(Shade);
    p.drawEllipse(QPointF(75, 66), 48, 44);
    p.setBrush(Housing);
    p.drawEllipse(QPointF(75, 60), 48, 44);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(75, 60), 9, 9);
    for (const QPointF centre : {QPointF(45, 40), QPointF(105, 40), QPointF(45, 80), QPointF(105, 80),
                                 QPointF(75, 28), QPointF(75, 92)})
        screwTerminal(p, centre);
    return picture;
}

// A rail-mount transmitter: a slim module with terminal rows at top and bottom.
QPixmap railMountSketch()
{
    QPixmap picture = blankPicture();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Outline, 2));
    p.setBrush(Shade);
    p.drawRect(QRectF(20, 54, 110, 12)); // the rail
    p.setBrush(Housing);
    p.drawRoundedRect(QRectF(52, 8, 46, 104), 4, 4);
    p.setBrush(QColor(90, 140, 200));
    p.drawRect(QRectF(60, 46, 30, 8)); // label strip
    for (int i = 0; i < 3; ++i) {
        screwTerminal(p, QPointF(62 + 13 * i, 22));
        screwTerminal(p, QPointF(62 + 13 * i, 98));
    }
    return picture;
}

// A field transmitter: a housing with a local display and a cable gland.
QPixmap fieldHousingSketch()
{
    QPixmap picture = blankPicture();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Outline, 2));
    p.setBrush(Shade);
    p.drawRect(QRectF(66, 98, 18, 16)); // gland
    p.setBrush(Housing);
    p.drawRoundedRect(QRectF(25, 10, 100, 88), 14, 14);
    p.setBrush(QColor(170, 200, 150));
    p.drawRect(QRectF(42, 30, 66, 30)); // display
    QFont digits = p.font();
    digits.setPixelSize(18);
    digits.setBold(true);
    p.setFont(digits);
    p.setPen(Outline);
    p.drawText(QRectF(42, 30, 66, 30), Qt::AlignCenter, QStringLiteral("21.5"));
    p.setBrush(Terminal);
    p.drawEllipse(QPointF(55, 78), 6, 6);
    p.drawEllipse(QPointF(95, 78), 6, 6);
    return picture;
}

QLabel* picture(QWidget* parent, const QString& name, const QPixmap& pixmap)
{
    QLabel* label = NewLabel(parent, name);
    label->setPixmap(pixmap);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmWelcome::frmWelcome(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmWelcome"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Welcome"));
    Image1 = picture(this, QStringLiteral("Image1"), headMountSketch());
    Image2 = picture(this, QStringLiteral("Image2"), railMountSketch());
    Image3 = picture(this, QStringLiteral("Image3"), fieldHousingSketch());
    Command4 = NewButton(this, QStringLiteral("Command4"), QStringLiteral("Delvo-2"));
    Command3 = NewButton(this, QStringLiteral("Command3"), QStringLiteral("Enrik-2"));
    Command2 = NewButton(this, QStringLiteral("Command2"), QStringLiteral("Tarvo-2"));

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(Image1, 0, 0);
    grid->addWidget(Image2, 0, 1);
    grid->addWidget(Image3, 0, 2);
    grid->addWidget(Command4, 1, 0);
    grid->addWidget(Command3, 1, 1);
    grid->addWidget(Command2, 1, 2);

    connect(Command2, &QPushButton::clicked, this, &frmWelcome::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWelcome::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmWelcome::Command4_Click);
}

void frmWelcome::Command2_Click() { unload(); }
void frmWelcome::Command3_Click() { unload(); }
void frmWelcome::Command4_Click() { unload(); }

void frmWelcome::unload()
{
    hide();
    close(); // deletes the window
}
