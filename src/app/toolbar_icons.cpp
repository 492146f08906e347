#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int Size = 32;

struct Ink {
    QColor line;
    QColor fill;
    QColor accent;
};

void drawPlug(QPainter& p, const Ink& ink, bool broken)
{
    p.setPen(QPen(ink.line, 2));
    p.setBrush(ink.fill);
    p.drawRoundedRect(QRectF(4, 11, 10, 10), 2, 2);      // plug body
    p.drawLine(QPointF(1, 16), QPointF(4, 16));            // cable
    p.drawLine(QPointF(14, 13), QPointF(17, 13));          // pins
    p.drawLine(QPointF(14, 19), QPointF(17, 19));
    p.drawRoundedRect(QRectF(broken ? 22 : 17, 10, 10, 12), 2, 2); // socket
    p.drawLine(QPointF(broken ? 32 : 27, 16), QPointF(31, 16));
    if (broken) {
        p.setPen(QPen(ink.accent, 2.5));
        p.drawLine(QPointF(17, 6), QPointF(21, 26));
    }
}

void drawPage(QPainter& p, const Ink& ink)
{
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setPen(QPen(ink.line, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
    p.setPen(QPen(ink.fill, 1.5));
    for (int y = 13; y <= 25; y += 4)
        p.drawLine(QPointF(10, y), QPointF(23, y));
}

void drawIcon(QPainter& p, int index, const Ink& ink)
{
    switch (index) {
    case 1: // start connection
        drawPlug(p, ink, false);
        break;
    case 2: { // update unit: an arrow into the transmitter
        p.setPen(QPen(ink.line, 1.5));
        p.setBrush(ink.fill);
        p.drawRoundedRect(QRectF(6, 16, 20, 13), 3, 3);
        p.setBrush(ink.accent);
        QPolygonF arrow{{12, 2}, {20, 2}, {20, 9}, {24, 9}, {16, 16}, {8, 9}, {12, 9}};
        p.drawPolygon(arrow);
        break;
    }
    case 3: // end connection
        drawPlug(p, ink, true);
        break;
    case 5: // new configuration
        drawPage(p, ink);
        p.setPen(QPen(ink.accent, 2.5));
        p.drawLine(QPointF(24, 19), QPointF(24, 29));
        p.drawLine(QPointF(19, 24), QPointF(29, 24));
        break;
    case 6: { // open configuration: a folder
        p.setPen(QPen(ink.line, 1.5));
        p.setBrush(ink.accent);
        QPolygonF back{{3, 8}, {11, 8}, {14, 11}, {27, 11}, {27, 27}, {3, 27}};
        p.drawPolygon(back);
        p.setBrush(ink.fill);
        QPolygonF front{{3, 27}, {8, 15}, {31, 15}, {27, 27}};
        p.drawPolygon(front);
        break;
    }
    case 7: // save configuration: a diskette
        p.setPen(QPen(ink.line, 1.5));
        p.setBrush(ink.fill);
        p.drawRect(QRectF(4, 4, 24, 24));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.setBrush(ink.accent);
        p.drawRect(QRectF(8, 18, 16, 10));
        break;
    case 8: // close configuration
        drawPage(p, ink);
        p.setPen(QPen(ink.accent, 3));
        p.drawLine(QPointF(18, 18), QPointF(29, 29));
        p.drawLine(QPointF(29, 18), QPointF(18, 29));
        break;
    case 10: // view the connected unit: a screen with a trend
        p.setPen(QPen(ink.line, 1.5));
        p.setBrush(ink.fill);
        p.drawRoundedRect(QRectF(3, 4, 26, 19), 2, 2);
        p.drawLine(QPointF(16, 23), QPointF(16, 27));
        p.drawLine(QPointF(9, 28), QPointF(23, 28));
        p.setPen(QPen(ink.accent, 2));
        p.drawPolyline(QPolygonF{{6, 18}, {11, 12}, {15, 15}, {20, 8}, {26, 11}});
        break;
    case 11: // print
        p.setPen(QPen(ink.line, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(ink.fill);
        p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 10));
        p.setBrush(ink.accent);
        p.drawEllipse(QPointF(24, 16), 1.5, 1.5);
        break;
    case 12: { // help
        p.setPen(QPen(ink.line, 1.5));
        p.setBrush(ink.fill);
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont font = p.font();
        font.setPixelSize(20);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case 13: // reserved: an empty dashed square
        p.setPen(QPen(ink.line, 1.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(6, 6, 20, 20));
        break;
    case ExitButtonIcon: { // exit: an open door and an arrow going out
        p.setPen(QPen(ink.line, 1.5));
        p.setBrush(ink.fill);
        p.drawRect(QRectF(4, 3, 15, 26));
        p.setBrush(ink.accent);
        QPolygonF arrow{{14, 13}, {22, 13}, {22, 8}, {30, 16}, {22, 24}, {22, 19}, {14, 19}};
        p.drawPolygon(arrow);
        break;
    }
    default:
        break;
    }
}

QPixmap drawPixmap(int index, const Ink& ink)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawIcon(painter, index, ink);
    return pixmap;
}

} // namespace

QIcon ToolbarIcon(int index)
{
    const Ink enabled{QColor(30, 40, 70), QColor(60, 110, 190), QColor(220, 140, 30)};
    const Ink disabled{QColor(150, 150, 150), QColor(200, 200, 200), QColor(175, 175, 175)};
    QIcon icon;
    icon.addPixmap(drawPixmap(index, enabled), QIcon::Normal);
    icon.addPixmap(drawPixmap(index, disabled), QIcon::Disabled);
    return icon;
}
