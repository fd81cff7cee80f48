// The plate page: wells, legend, scale switch and calibration range.
#include "gui/plate/PlatePage.h"

#include "core/document/ReportDocument.h"
#include "core/plate/PlateGeometry.h"
#include "core/plate/WellColouring.h"
#include "core/report/RowLetter.h"
#include "gui/artwork/ToolbarIcons.h"
#include "gui/dial/TClock.h"
#include "gui/dialogs/ErrorGuard.h"
#include "gui/plate/PlateView.h"
#include "gui/widgets/CircleShape.h"
#include "gui/widgets/Hints.h"
#include "qtbase/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace welkor::gui {

namespace {

QLabel* PlacedLabel(QWidget* parent, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void SetShape(CircleShape* shape, const welkor::ShapeLook& look)
{
    shape->setLook(look.fill, look.outline, look.outlineWidth);
}

welkor::ShapeLook LookOf(const CircleShape* shape)
{
    return welkor::ShapeLook{shape->fill(), shape->outline(), shape->outlineWidth()};
}

// A bound of the calibration group, shown whole. Its label stands at x = 32
// and is 60 pixels wide as laid out; a wider text takes the room to its
// right up to the position label, then to its left as far as the track
// bar's edge, and only a text wider than all of that gets a smaller face.
void ShowBound(QLabel* label, const QString& text)
{
    constexpr int kLeft = 32;
    constexpr int kWidth = 60;
    constexpr int kFarLeft = 8;    // the track bar's left edge
    constexpr int kFarRight = 100; // 4 pixels before the position label at 104
    QFont font = label->parentWidget()->font();
    auto needed = [&text](const QFont& face) {
        return QFontMetrics(face).boundingRect(QRect(), Qt::AlignLeft | Qt::TextSingleLine, text).width() + 1;
    };
    int width = needed(font);
    constexpr int room = kFarRight - kFarLeft;
    while (width > room && (font.pointSizeF() > 1 || font.pixelSize() > 1)) {
        if (font.pointSizeF() > 0)
            font.setPointSizeF(std::max<qreal>(1, font.pointSizeF() - 0.5));
        else
            font.setPixelSize(font.pixelSize() - 1);
        width = needed(font);
    }
    label->setFont(font);
    label->setText(text);
    const int left = width <= kFarRight - kLeft ? kLeft : std::max(kFarLeft, kFarRight - width);
    label->setGeometry(left, label->y(), std::max(kWidth, std::min(width, kFarRight - left)), label->height());
}

} // namespace

PlatePage::PlatePage(welkor::ReportDocument& report, ClockSource* clock, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), report_(report)
{
    // Legend.
    auto* gbLegenda = new QGroupBox(QStringLiteral("Legenda"), this);
    gbLegenda->setGeometry(568, 240, 153, 209);
    auto legendShape = [gbLegenda](int top, const QString& caption) {
        auto* shape = new CircleShape(gbLegenda);
        shape->setGeometry(16, top, 30, 30);
        PlacedLabel(gbLegenda, caption, 56, top + 8);
        return shape;
    };
    sPonizej = legendShape(32, QStringLiteral("Poniżej (UNDER)"));
    sPusta = legendShape(64, QStringLiteral("Pusta (BLANK)"));
    sPonad = legendShape(96, QStringLiteral("Ponad (OVER)"));
    sMaksymalna = legendShape(128, QStringLiteral("Maksymalna"));
    sMinimalna = legendShape(160, QStringLiteral("Minimalna"));

    // Scale switch.
    auto* gbTypPracy = new QGroupBox(QStringLiteral("Typ podglądu"), this);
    gbTypPracy->setGeometry(568, 168, 153, 65);
    cbZarzenie = new QCheckBox(QStringLiteral("Skala żarzenie"), gbTypPracy);
    cbZarzenie->setGeometry(24, 24, 120, 17);
    SetHint(cbZarzenie, QStringLiteral("Ustawia typ podglądu"));

    // Calibration.
    auto* GroupBox1 = new QGroupBox(QStringLiteral("Kalibracja"), this);
    GroupBox1->setGeometry(568, 16, 153, 145);
    // The bounds' labels are 60 wide; a wider bound widens its label (ShowBound).
    lGorna = PlacedLabel(GroupBox1, QString(13, QLatin1Char(' ')), 32, 16);
    lGorna->resize(60, lGorna->height());
    lGornaNr = PlacedLabel(GroupBox1, QString(9, QLatin1Char(' ')), 104, 16);
    lGornaNr->setFixedWidth(40);
    auto makeTrackBar = [GroupBox1](int top) {
        auto* bar = new QSlider(Qt::Horizontal, GroupBox1);
        bar->setGeometry(8, top, 89, 22);
        bar->setRange(0, 5000);
        bar->setPageStep(1);
        bar->setSingleStep(1);
        bar->setValue(77);
        bar->setTickPosition(QSlider::TicksAbove);
        bar->setTickInterval(500);
        return bar;
    };
    tbGorna = makeTrackBar(32);
    PlacedLabel(GroupBox1, QStringLiteral("Górna"), 104, 40);
    sZero = new CircleShape(GroupBox1);
    sZero->setGeometry(40, 60, 30, 30);
    PlacedLabel(GroupBox1, QStringLiteral("Zero"), 104, 68);
    lDolna = PlacedLabel(GroupBox1, QString(13, QLatin1Char(' ')), 32, 96);
    lDolna->resize(60, lDolna->height());
    lDolnaNr = PlacedLabel(GroupBox1, QString(12, QLatin1Char(' ')), 104, 96);
    lDolnaNr->setFixedWidth(40);
    tbDolna = makeTrackBar(112);
    PlacedLabel(GroupBox1, QStringLiteral("Dolna"), 104, 120);

    // The dial shows the time of day; the disc stands on the page's own colour.
    Clock1 = new TClock(this);
    Clock1->setGeometry(352, 344, 105, 113);
    Clock1->setClockSource(clock);
    Clock1->setColorBack(welkor::kSystemButtonFace);
    Clock1->setAlarmZone(false);

    // The emblem.
    iZnak = new QLabel(this);
    iZnak->setGeometry(24, 360, 74, 88);
    iZnak->setPixmap(MakeEmblem(QSize(74, 88), qApp->devicePixelRatio()));
    iZnak->setScaledContents(true);

    setMinimumSize(kDesignedSize);

    auto guarded = [&dialogs](auto handler) { return [&dialogs, handler] { Guarded(dialogs, handler); }; };
    connect(cbZarzenie, &QCheckBox::clicked, this, guarded([this] { cbZarzenieClick(); }));
    connect(tbGorna, &QSlider::valueChanged, this, guarded([this] { tbGornaChange(); }));
    connect(tbDolna, &QSlider::valueChanged, this, guarded([this] { tbDolnaChange(); }));
}

void PlatePage::BuildPlate()
{
    using welkor::PlateGeometry;
    for (int c = 0; c < welkor::kPlateColumns; ++c) {
        auto* label = new QLabel(QString::number(c + 1), this);
        const welkor::PlacePoint place = PlateGeometry::ColumnLabel(c);
        label->move(place.x, place.y);
        label->adjustSize();
        lColumnNumbers[static_cast<std::size_t>(c)] = label;
    }
    for (int r = 0; r < welkor::kPlateRows; ++r) {
        std::string letter;
        welkor::RowLetter(r, letter);
        auto* label = new QLabel(QString::fromLatin1(letter.c_str()), this);
        const welkor::PlacePoint place = PlateGeometry::RowLabel(r);
        label->move(place.x, place.y);
        label->adjustSize();
        lRowNames[static_cast<std::size_t>(r)] = label;
    }
    plateView = new PlateView(this);
    plateView->move(PlateGeometry::kWellsLeft, PlateGeometry::kWellsTop);
    plateView->show();
}

void PlatePage::RecolourPlate()
{
    std::array<welkor::ShapeLook, welkor::kWellCount> wells;
    for (int r = 0; r < welkor::kPlateRows; ++r)
        for (int c = 0; c < welkor::kPlateColumns; ++c)
            wells[static_cast<std::size_t>(r * welkor::kPlateColumns + c)] = plateView->well(r, c);
    welkor::ShapeLook zero = LookOf(sZero);
    try {
        welkor::RecolourWells(report_.values(), range, glowScale, converter, wells, zero);
    } catch (...) {
        // The wells before the failing one keep their new colours.
        plateView->setWells(wells);
        throw;
    }
    plateView->setWells(wells);
    SetShape(sZero, zero);
}

void PlatePage::UpdateLegend()
{
    const welkor::LegendLooks legend =
        welkor::LegendFor(glowScale, report_.hasData(), report_.values(), range, converter);
    SetShape(sPonizej, legend.ponizej);
    SetShape(sPusta, legend.pusta);
    SetShape(sPonad, legend.ponad);
    SetShape(sMaksymalna, legend.maksymalna);
    SetShape(sMinimalna, legend.minimalna);
}

void PlatePage::SelectScale()
{
    glowScale = cbZarzenie->isChecked();
    cbZarzenie->setText(glowScale ? QStringLiteral("Skala żarzenia") : QStringLiteral("Skala barwy"));
    UpdateLegend();
    RecolourPlate();
}

void PlatePage::cbZarzenieClick() { SelectScale(); }

void PlatePage::FindRange()
{
    const welkor::RangeFound found = welkor::FindRange(report_.values(), range);
    lGornaNr->setText(FromCp1250(found.maxLabel));
    lDolnaNr->setText(FromCp1250(found.minLabel));
    {
        const QSignalBlocker lower(tbDolna);
        const QSignalBlocker upper(tbGorna);
        tbDolna->setValue(found.lowerPosition);
        tbGorna->setValue(found.upperPosition);
    }
    // Both bounds follow the new data, also where a bar kept its position:
    // the labels and the range never stay those of an earlier plate.
    ApplyLowerBound();
    ApplyUpperBound();
}

void PlatePage::ApplyLowerBound()
{
    const welkor::BoundResult bound =
        welkor::ApplyLowerBound(report_.hasData(), tbDolna->value(), tbGorna->value(), range);
    range.lowerOffset = bound.lowerOffset;
    ShowBound(lDolna, FromCp1250(bound.label));
    range.span = bound.span;
    RecolourPlate();
}

void PlatePage::ApplyUpperBound()
{
    const welkor::BoundResult bound = welkor::ApplyUpperBound(tbGorna->value(), range);
    range.span = bound.span;
    ShowBound(lGorna, FromCp1250(bound.label));
    RecolourPlate();
}

// The legend's extreme fills are colours of the range, so they follow a move.
void PlatePage::tbDolnaChange()
{
    ApplyLowerBound();
    UpdateLegend();
}

void PlatePage::tbGornaChange()
{
    ApplyUpperBound();
    UpdateLegend();
}

void PlatePage::ShowNewPlate()
{
    FindRange();
    RecolourPlate();
    UpdateLegend();
}

} // namespace welkor::gui
