#include "WindowFixture.h"

#include "core/dial/DialGeometry.h"
#include "qtbase/QtText.h"
#include "gui/dialogs/TOWelkor1.h"
#include "gui/dial/TClock.h"

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <limits>

using namespace welkor::gui;

using welkor::dial::PointAt;

namespace {

QPoint At(std::int64_t degrees, long double r, const welkor::dial::DialFrame& frame)
{
    const welkor::dial::Point p = PointAt(degrees, r, frame);
    return QPoint(p.x, p.y);
}

// The colour a pixel of the face takes under a hand of `colour` in
// exclusive-or.
QRgb Xored(const QImage& face, const QPoint& p, std::uint32_t colour)
{
    return face.pixel(p) ^ (ToQColor(colour).rgb() & 0x00FFFFFFu);
}

// Around `p`, a pixel or more show the face combined with `colour`, the
// others the face alone.
void ExpectCoveredOnce(const QImage& shown, const QImage& face, const QPoint& p, std::uint32_t colour)
{
    int covered = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (shown.pixel(q) == Xored(face, q, colour))
                ++covered;
            else
                EXPECT_EQ(shown.pixel(q), face.pixel(q)) << q.x() << "," << q.y();
        }
    EXPECT_GT(covered, 0) << p.x() << "," << p.y();
}

// Remembers the regions the dial is asked to paint.
class PaintRecorder : public QObject {
public:
    QList<QRegion> regions;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

class DialTest : public WindowTest {
protected:
    // The window on the plate page at `time`, painted.
    TClock& ShowPlateAt(const QTime& time)
    {
        clock.time = QDateTime(QDate(2026, 12, 8), time);
        TWel_Kor& w = Start();
        w.pcZakladki->setCurrentWidget(w.tsMikroplytka.tab());
        QCoreApplication::processEvents();
        return *w.tsMikroplytka->Clock1;
    }
};

} // namespace

TEST_F(DialTest, PlatePageDialIsSetAtStartAndOnEveryTick)
{
    TWel_Kor& w = Start();
    ASSERT_NE(w.tsMikroplytka->Clock1, nullptr);
    EXPECT_EQ(w.tsMikroplytka->Clock1->parentWidget(), w.tsMikroplytka.get());
    EXPECT_EQ(w.tsMikroplytka->Clock1->geometry(), QRect(352, 344, 105, 113));
    EXPECT_EQ(w.tsMikroplytka->Clock1->position(), 9 * 3600 + 30 * 60 + 15);
    // The form's values: the page's own colour behind the disc, no zone,
    // everything else as a new dial has it.
    EXPECT_EQ(w.tsMikroplytka->Clock1->colorBack(), 0xFF00000Fu);
    EXPECT_FALSE(w.tsMikroplytka->Clock1->alarmZone());
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->Clock1->thickFraction(), 18 / 111.0);

    clock.time = QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 999));
    w.Timer1Timer();
    EXPECT_EQ(w.tsMikroplytka->Clock1->position(), 86399.0f);
}

TEST_F(DialTest, TimerIsKeptJustAfterEachWholeSecond)
{
    const auto at = [](int s, int ms) { return QDateTime(QDate(2026, 12, 8), QTime(9, 30, s, ms)); };
    clock.time = at(15, 250);
    TWel_Kor& w = Start();
    EXPECT_EQ(w.timer->Timer1->timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(w.timer->Timer1->isActive());
    // Started off the second: it is started again 5 ms after the next one.
    ASSERT_TRUE(w.timer->Timer1Phase->isActive());
    EXPECT_LE(w.timer->Timer1Phase->remainingTime(), 755);
    EXPECT_GT(w.timer->Timer1Phase->remainingTime(), 650);

    clock.time = at(16, 5);
    ASSERT_TRUE(QMetaObject::invokeMethod(w.timer->Timer1Phase, "timeout"));
    w.timer->Timer1Phase->stop(); // as once a single-shot timer has fired
    EXPECT_EQ(w.sbPanels[2]->text(), QStringLiteral("Czas: 09:30:16"));
    EXPECT_EQ(w.tsMikroplytka->Clock1->position(), 9 * 3600 + 30 * 60 + 16);
    EXPECT_GT(w.timer->Timer1->remainingTime(), 900); // started again just now

    // A tick on its mark leaves the timer alone, a late one puts it back.
    clock.time = at(17, 8);
    ASSERT_TRUE(QMetaObject::invokeMethod(w.timer->Timer1, "timeout"));
    EXPECT_FALSE(w.timer->Timer1Phase->isActive());
    clock.time = at(18, 900);
    ASSERT_TRUE(QMetaObject::invokeMethod(w.timer->Timer1, "timeout"));
    EXPECT_EQ(w.sbPanels[2]->text(), QStringLiteral("Czas: 09:30:18"));
    ASSERT_TRUE(w.timer->Timer1Phase->isActive());
    EXPECT_LE(w.timer->Timer1Phase->remainingTime(), 105);
}

TEST_F(DialTest, HandsEndWhereTheyShouldAndCombineWithTheFace)
{
    TClock& dial = ShowPlateAt(QTime(10, 8, 30));
    ASSERT_EQ(dial.position(), 36510.0f);
    const QImage shown = dial.grab().toImage();
    const QImage& face = dial.faceImage();
    const auto& frame = dial.faceLayout().frame;

    // Hour hand (green, 3 wide) to (27, 39), minute hand (orange, 2 wide) to
    // (88, 27), second hand (blue, 1 wide) to (52, 102): each tip is
    // covered, the face a little beyond it is not.
    struct Tip {
        QPoint tip;
        std::int64_t angle;
        long double beyond;
        std::uint32_t colour;
    };
    const Tip tips[] = { { { 27, 39 }, 304, 33.5L, 0x008000 }, { { 88, 27 }, 51, 49.0L, 0x0080FF },
        { { 52, 102 }, 180, 47.0L, 0xFF0000 } };
    for (const Tip& t : tips) {
        EXPECT_EQ(shown.pixel(t.tip), Xored(face, t.tip, t.colour)) << t.angle;
        const QPoint beyond = At(t.angle, t.beyond, frame);
        EXPECT_EQ(shown.pixel(beyond), face.pixel(beyond)) << t.angle;
        // Half way along only this hand covers the face: around its line
        // each pixel is either the face or the face combined once with it.
        ExpectCoveredOnce(shown, face, At(t.angle, 15, frame), t.colour);
    }
    // The second hand's tail, 3 wide, up to (52, 42).
    EXPECT_EQ(shown.pixel(52, 45), Xored(face, QPoint(52, 45), 0xFF0000));
    EXPECT_EQ(shown.pixel(52, 40), face.pixel(52, 40));

    // The second hand's cap covers the middle: white inside a blue ring.
    EXPECT_EQ(shown.pixel(52, 56), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(55, 56), qRgb(0, 0, 255));
    // The hour hand's wider cap shows around it, combined with the face.
    EXPECT_EQ(shown.pixel(56, 56), Xored(face, QPoint(56, 56), 0x008000));
    EXPECT_EQ(shown.pixel(57, 56), face.pixel(57, 56));
}

TEST_F(DialTest, HandsDrawnTwiceLeaveTheFaceAsItWas)
{
    TClock& dial = ShowPlateAt(QTime(3, 0, 0)); // minute and second hands on one another
    QImage twice = dial.faceImage().copy();
    dial.DrawHands(twice, twice.rect());
    EXPECT_NE(twice.pixel(52, 20), dial.faceImage().pixel(52, 20)); // the hands are there
    dial.DrawHands(twice, twice.rect());
    // Only the second hand's cap, drawn over everything, stays.
    const QRect cap(52 - 4, 56 - 4, 9, 9);
    int differing = 0;
    for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x)
            if (!cap.contains(x, y) && twice.pixel(x, y) != dial.faceImage().pixel(x, y))
                ++differing;
    EXPECT_EQ(differing, 0);
}

TEST_F(DialTest, EachSecondRepaintsOnlyTheDialsSquare)
{
    TClock& dial = ShowPlateAt(QTime(10, 8, 30));
    const int builds = dial.faceBuilds();
    PaintRecorder recorder;
    dial.installEventFilter(&recorder);
    clock.time = QDateTime(QDate(2026, 12, 8), QTime(10, 8, 31));
    window->Timer1Timer();
    QCoreApplication::processEvents();
    dial.removeEventFilter(&recorder);

    ASSERT_EQ(recorder.regions.size(), 1);
    EXPECT_EQ(recorder.regions[0], QRegion(0, 4, 105, 109)); // rows 4 to 112
    EXPECT_EQ(dial.faceBuilds(), builds);
    // The second hand moved on by 6 degrees.
    const QImage shown = dial.grab().toImage();
    const QPoint tip = At(186, 46.08L, dial.faceLayout().frame);
    EXPECT_EQ(shown.pixel(tip), Xored(dial.faceImage(), tip, 0xFF0000));
}

TEST_F(DialTest, NewDialBuildsItsFaceOnFirstPaintWithTheZone)
{
    TClock dial; // 210 x 210, silver, zone 30 to 31 in red
    EXPECT_EQ(dial.faceBuilds(), 0);

    const QImage shown = dial.grab().toImage();
    EXPECT_EQ(dial.faceBuilds(), 1);
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0xC0, 0xC0, 0xC0));
    // The zone, 135 to 140 degrees from three o'clock, between 85.85 and
    // 95.95 pixels out.
    EXPECT_EQ(shown.pixel(40, 168), qRgb(255, 0, 0));
}

TEST_F(DialTest, SettersRebuildTheFaceOnlyForANewValue)
{
    TClock& dial = ShowPlateAt(QTime(10, 8, 30));
    int builds = dial.faceBuilds();

    dial.setTitle(QStringLiteral("Czas"));
    dial.setColorBack(0xFF00000F);
    dial.setLiniaGruba(18);
    dial.grab();
    EXPECT_EQ(dial.faceBuilds(), builds);

    // LiniaGruba 19 and back to 18 is 18 hundredths now, not 18/111: the
    // tick at three o'clock reaches a pixel further in.
    EXPECT_EQ(dial.faceImage().pixel(90, 56), qRgb(0, 0, 0));
    dial.setLiniaGruba(19);
    dial.setLiniaGruba(18);
    dial.grab();
    EXPECT_EQ(dial.faceBuilds(), ++builds);
    EXPECT_DOUBLE_EQ(dial.thickFraction(), 0.18);
    EXPECT_EQ(dial.faceImage().pixel(90, 56), qRgb(0, 255, 0));

    // A new title is on the face at the next paint.
    const QImage before = dial.faceImage().copy();
    dial.setTitle(QStringLiteral("Zegar laboratorium"));
    dial.grab();
    EXPECT_EQ(dial.faceBuilds(), ++builds);
    int changed = 0; // in the band the title stands in, above row 82
    for (int y = 70; y <= 82; ++y)
        for (int x = 10; x < 95; ++x)
            changed += before.pixel(x, y) != dial.faceImage().pixel(x, y);
    EXPECT_GT(changed, 0);

    // Centrum moves only the hands: no new face.
    dial.setCentrum(25);
    dial.grab();
    EXPECT_EQ(dial.faceBuilds(), builds);
}

TEST_F(DialTest, PositionsThatCannotBeDrawnAreKeptAsMidnight)
{
    TClock& dial = ShowPlateAt(QTime(10, 8, 30));
    for (float bad : { -5.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN() }) {
        dial.setPosition(1.0f);
        dial.setPosition(bad);
        EXPECT_EQ(dial.position(), 0.0f) << bad;
        // All three hands point to twelve: the minute hand's tip.
        const QImage shown = dial.grab().toImage();
        EXPECT_EQ(shown.pixel(52, 10), Xored(dial.faceImage(), QPoint(52, 10), 0x0080FF ^ 0xFF0000)) << bad;
    }
}

TEST_F(DialTest, NewPaletteGivesTheFaceTheNewButtonColour)
{
    TClock& dial = ShowPlateAt(QTime(10, 8, 30));
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    const QRgb corner = dial.grab().toImage().pixel(0, 0);
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
    EXPECT_EQ(corner, qRgb(0x35, 0x35, 0x35));
    EXPECT_EQ(dial.grab().toImage().pixel(0, 0), original.color(QPalette::Button).rgb());
}

// ---- A screen of high density ------------------------------------------------

namespace {

// Neighbouring device pixels of one 2 x 2 block that differ by at least
// `step` (over red, green and blue): a picture drawn in a screen's device
// pixels has such edges, one drawn a pixel per pixel and enlarged has none,
// whether enlarged in blocks or smoothly.
int FineEdges(const QImage& picture, int step)
{
    auto differ = [&](QPoint a, QPoint b) {
        const QRgb p = picture.pixel(a);
        const QRgb q = picture.pixel(b);
        return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) >= step;
    };
    int edges = 0;
    for (int y = 0; y + 1 < picture.height(); y += 2)
        for (int x = 0; x + 1 < picture.width(); x += 2)
            edges += differ({x, y}, {x + 1, y}) + differ({x, y}, {x, y + 1});
    return edges;
}

} // namespace

// The window at Qt's scale factor 2, as on a 4K monitor: the dial, the
// toolbar's icons and both emblems are drawn in the screen's device pixels,
// and the dial's hands still combine with the face. The scale is read at
// start, so the suite runs this test again in a process of its own.
TEST_F(DialTest, OnAScreenOfHighDensityThePicturesAreSharp)
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=DialTest.OnAScreenOfHighDensityThePicturesAreSharp")});
        ASSERT_TRUE(child.waitForFinished(300000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
        return;
    }
    TClock& dial = ShowPlateAt(QTime(10, 8, 30));
    ASSERT_EQ(dial.devicePixelRatioF(), 2.0);
    const QImage shown = dial.grab().toImage();
    const QImage& face = dial.faceImage();
    ASSERT_EQ(shown.size(), QSize(210, 226));
    ASSERT_EQ(face.size(), shown.size());
    EXPECT_GT(FineEdges(shown, 1), 400); // the ring, the ticks, the numbers, the hands
    // The second hand points down from the centre's pixel (52, 56), a pixel
    // wide: two device pixels in exclusive-or with the face, the face beside.
    for (const int x : {103, 104, 105, 106})
        EXPECT_EQ(shown.pixel(x, 170), face.pixel(x, 170) ^ (x == 104 || x == 105 ? 0x0000FFu : 0)) << x;

    // The colour icon, 16 pixels: a picture of its own, the circles' edges
    // in the finer pixels; the emblems of the plate page and the about box.
    const QImage icon = window->commands->tbKolor->icon().pixmap(QSize(16, 16), 2.0).toImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_GT(FineEdges(icon, 100), 20);
    for (QLabel* label : window->tsMikroplytka->findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            EXPECT_GT(FineEdges(label->grab().toImage(), 300), 200);
        }
    }
    TOWelkor1 about(window.get());
    EXPECT_GT(FineEdges(about.logo.toImage(), 300), 200);
}
