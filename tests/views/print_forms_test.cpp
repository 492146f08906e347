#include "views/frm_print_con.h"
#include "views/frm_printsts.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <gtest/gtest.h>

TEST(PrintForms, HiddenPagesWithRowsInLineAndTheDatePlacedFromThePageWidth)
{
    QWidget owner;
    auto* con = new frmPrintCon(&owner);
    owner.show();
    EXPECT_FALSE(con->isVisible());
    EXPECT_EQ(con->frDate->geometry(), QRect(544, 40, 161, 25));
    QImage page(con->size(), QImage::Format_RGB32);
    QPainter painter(&page);
    con->render(&painter);  // lays the hidden form out as printing does
    // {heading, value, unit}: the output limits and damping stand beside the heading of another index.
    for (const auto& [head, value, unit] : {std::array{4, 4, 0}, {11, 10, -1}, {12, 11, -1}, {10, 12, -1}, {17, 17, 5}}) {
        const QRect h = con->LbHead[head]->geometry(), d = con->LbData[value]->geometry();
        EXPECT_EQ(h.center().y(), d.center().y()) << "heading " << head;
        EXPECT_LT(h.right(), d.left()) << "heading " << head;
        if (unit >= 0) {
            EXPECT_EQ(con->LbUnit[unit]->geometry().center().y(), d.center().y()) << "unit " << unit;
            EXPECT_LT(d.right(), con->LbUnit[unit]->geometry().left()) << "unit " << unit;
        }
    }
    for (QLabel* l : con->findChildren<QLabel*>())
        EXPECT_EQ(l->textFormat(), Qt::PlainText) << l->objectName().toStdString();

    frmPrintsts sts;
    for (const auto& [pageWidth, left] : {std::pair{11906, 577}, std::pair{12240, 599}}) {
        sts.placeDate(pageWidth);
        EXPECT_EQ(sts.frDate->geometry(), QRect(left, 40, 161, 25)) << pageWidth;
    }
}
