#include "gui/analysis/CellPicture.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace welkor::gui;

TEST(CellPicture, CellsOnTheGridPitchWithWhiteSeams)
{
    CellPicture picture;
    EXPECT_EQ(picture.size(), QSize(728, 225));
    picture.fillCell(3, 2, qRgb(255, 0, 0));
    picture.fillCell(13, 0, qRgb(0, 0, 255)); // outside: ignored
    picture.fillCell(-1, 9, qRgb(0, 0, 255));

    QImage painted(picture.size(), QImage::Format_RGB32);
    painted.fill(Qt::black);
    {
        QPainter painter(&painted);
        picture.paint(painter, QPoint(0, 0));
    }
    const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255);
    // Cell (3, 2) spans x 168..222, y 50..73; its seams are x 223 and y 74.
    for (const QPoint& p : {QPoint(168, 50), QPoint(222, 73), QPoint(195, 60)}) {
        EXPECT_EQ(picture.pixel(p.x(), p.y()), red) << p.x() << "," << p.y();
        EXPECT_EQ(painted.pixel(p), red) << p.x() << "," << p.y();
    }
    for (const QPoint& p : {QPoint(223, 60), QPoint(195, 74), QPoint(167, 60), QPoint(0, 0), QPoint(727, 224)}) {
        EXPECT_EQ(picture.pixel(p.x(), p.y()), white) << p.x() << "," << p.y();
        EXPECT_EQ(painted.pixel(p), white) << p.x() << "," << p.y();
    }
    EXPECT_EQ(picture.pixel(-1, 5), white);
    EXPECT_EQ(picture.pixel(728, 5), white);
}
