#pragma once

// What the plate page tests share: plates to load, the wells' expected looks
// and the fixture.
#include "WindowFixture.h"

#include "gui/plate/PlateView.h"
#include "gui/widgets/CircleShape.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <array>
#include <tuple>
#include <cstdlib>
#include <string>
#include <vector>

using namespace welkor::gui;

// Colours as painted, "#rrggbb". Computed ones carry their scale step.
const std::string kWhite = "#ffffff";
const std::string kBlack = "#000000";
const std::string kRed = "#ff0000";
const std::string kPureGreen = "#00ff00"; // last step of the colour scale
const std::string kDarkGreen = "#008000"; // blank wells and extreme outlines on the glow scale
const std::string kBlue = "#0000ff";
const std::string kGrey = "#808080";

inline std::string Name(QRgb pixel) { return QColor(pixel).name().toStdString(); }

// The thin outline is anti-aliased, so it is checked as "dark" rather than exact.
inline bool IsDark(QRgb pixel) { return qRed(pixel) < 64 && qGreen(pixel) < 64 && qBlue(pixel) < 64; }

// One plate of well texts, written as a report: four header lines, the date,
// the operator and one value line per plate column (rows A-H in order).
struct Plate {
    std::array<std::array<QByteArray, 12>, 8> wells; // [row][column], text without its leading blank
    int tokens = 96; // how many wells get a value, column by column; the others get none

    explicit Plate(const QByteArray& fill)
    {
        for (auto& row : wells)
            row.fill(fill);
    }

    // Well by name: "C11" is row C, column 11.
    Plate& set(const char* well, const QByteArray& text)
    {
        wells[static_cast<std::size_t>(well[0] - 'A')][static_cast<std::size_t>(std::atoi(well + 1) - 1)] = text;
        return *this;
    }

    QByteArray report() const
    {
        QByteArray out = "Welkor Lumo 1\r\nProgram: test\r\nFiltr: 450\r\nTryb: pojedynczy\r\n"
                         "DATE: 08.12.2026 TIME: 09:12:44\r\nOPERATOR: Marvant\r\n";
        int written = 0;
        for (int c = 0; c < 12; ++c) {
            QByteArray line = "Kol " + QByteArray::number(c + 1);
            for (int r = 0; r < 8 && written < tokens; ++r, ++written)
                line += " " + wells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] + "\t";
            out += line + "\r\n";
        }
        return out;
    }
};

struct WellCase {
    const char* well;
    std::string colourScale;
    std::string glowScale;
};

inline int RowOf(const char* well) { return well[0] - 'A'; }
inline int ColumnOf(const char* well) { return std::atoi(well + 1) - 1; }

class PlateTest : public WindowTest {
protected:
    TWel_Kor& StartOnPlate()
    {
        TWel_Kor& w = Start();
        w.pcZakladki->setCurrentWidget(w.tsMikroplytka.tab());
        return w;
    }

    void Load(const Plate& plate, const QString& name = QStringLiteral("plytka.rap"))
    {
        WriteFile(name, plate.report());
        window->Guarded([&] { window->files->LoadReport(Path(name)); });
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    }

    void SetGlow(bool glow)
    {
        window->tsMikroplytka->cbZarzenie->setChecked(glow);
        window->tsMikroplytka->cbZarzenieClick();
    }

    QImage Page() const { return window->tsMikroplytka->grab().toImage(); }

    // A well's top-left corner on the page.
    static QPoint WellOrigin(int row, int column) { return QPoint(55 + 33 * column, 55 + 33 * row); }

    // The centre of a well: always its fill.
    static std::string WellFill(const QImage& page, int row, int column)
    {
        return Name(page.pixel(WellOrigin(row, column) + QPoint(15, 15)));
    }
    static std::string WellFill(const QImage& page, const char* well) { return WellFill(page, RowOf(well), ColumnOf(well)); }

    // Two pixels in from the top of a well: inside a 4-pixel outline, the fill
    // of a well with the thin one.
    static std::string WellRing(const QImage& page, int row, int column)
    {
        return Name(page.pixel(WellOrigin(row, column) + QPoint(15, 2)));
    }
    static std::string WellRing(const QImage& page, const char* well) { return WellRing(page, RowOf(well), ColumnOf(well)); }

    std::string ShapeFill(const QImage& page, const CircleShape* shape) const
    {
        return Name(page.pixel(shape->mapTo(window->tsMikroplytka.get(), QPoint(15, 15))));
    }
    std::string ShapeRing(const QImage& page, const CircleShape* shape) const
    {
        return Name(page.pixel(shape->mapTo(window->tsMikroplytka.get(), QPoint(15, 2))));
    }

    // The legend's colours: "Poniżej" is always blue and "Ponad" grey; the
    // empty well, the maximum and the minimum follow the scale, the extremes
    // ringed in `outline`, the empty well in its thin own-colour outline.
    struct Legend {
        std::string pusta, maksymalna, minimalna, outline;
    };
    void ExpectLegend(const QImage& page, const Legend& legend) const
    {
        const PlatePage& p = *window->tsMikroplytka;
        EXPECT_EQ(ShapeFill(page, p.sPonizej), kBlue);
        EXPECT_EQ(ShapeFill(page, p.sPonad), kGrey);
        EXPECT_EQ(ShapeFill(page, p.sPusta), legend.pusta);
        EXPECT_EQ(ShapeRing(page, p.sPusta), legend.pusta);
        EXPECT_EQ(ShapeFill(page, p.sMaksymalna), legend.maksymalna);
        EXPECT_EQ(ShapeRing(page, p.sMaksymalna), legend.outline);
        EXPECT_EQ(ShapeFill(page, p.sMinimalna), legend.minimalna);
        EXPECT_EQ(ShapeRing(page, p.sMinimalna), legend.outline);
    }

    // Only the named wells carry the thick outline; every other well's ring
    // pixel is its own fill.
    static void ExpectThickOutlineOnlyAt(const QImage& page, const std::vector<const char*>& wells,
                                         const std::string& colour)
    {
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 12; ++c) {
                bool marked = false;
                for (const char* well : wells)
                    marked = marked || (RowOf(well) == r && ColumnOf(well) == c);
                if (marked)
                    EXPECT_EQ(WellRing(page, r, c), colour) << "row " << r << " column " << c;
                else
                    EXPECT_EQ(WellRing(page, r, c), WellFill(page, r, c)) << "row " << r << " column " << c;
            }
        }
    }

    void ExpectWells(const QImage& page, const std::vector<WellCase>& cases, bool glow) const
    {
        for (const WellCase& wc : cases)
            EXPECT_EQ(WellFill(page, wc.well), glow ? wc.glowScale : wc.colourScale)
                << wc.well << (glow ? " on the glow scale" : " on the colour scale");
    }
};

using PlateAtStart = PlateTest;
using PlateScales = PlateTest;
using PlateCalibration = PlateTest;
