// The plate page: wells, legend, scale switch and calibration range.
#include "core/plate/CalibrationRange.h"
#include "core/plate/WellColouring.h"
#include "core/report/RowLetter.h"
#include "gui/app/TWel_Kor.h"
#include "gui/plate/PlateView.h"
#include "gui/widgets/CircleShape.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace welkor::gui {

namespace {

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

void TWel_Kor::BuildPlate(QWidget* page)
{
    for (int c = 0; c < 12; ++c) {
        auto* label = new QLabel(QString::number(c + 1), page);
        label->move(63 + 33 * c, 22);
        label->adjustSize();
        lColumnNumbers[static_cast<std::size_t>(c)] = label;
    }
    for (int r = 0; r < 8; ++r) {
        std::string letter;
        welkor::RowLetter(r, letter);
        auto* label = new QLabel(QString::fromLatin1(letter.c_str()), page);
        label->move(22, 63 + 33 * r);
        label->adjustSize();
        lRowNames[static_cast<std::size_t>(r)] = label;
    }
    plateView = new PlateView(page);
    plateView->move(55, 55);
    plateView->show();
}

void TWel_Kor::RecolourPlate()
{
    std::array<welkor::ShapeLook, 96> wells;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            wells[static_cast<std::size_t>(r * 12 + c)] = plateView->well(r, c);
    welkor::ShapeLook zero = LookOf(sZero);
    try {
        welkor::RecolourWells(report.values(), range, glowScale, converter, wells, zero);
    } catch (...) {
        // The wells before the failing one keep their new colours.
        plateView->setWells(wells);
        throw;
    }
    plateView->setWells(wells);
    SetShape(sZero, zero);
}

void TWel_Kor::UpdateLegend()
{
    const welkor::LegendLooks legend = welkor::LegendFor(glowScale, report.hasData(), report.values(), range, converter);
    SetShape(sPonizej, legend.ponizej);
    SetShape(sPusta, legend.pusta);
    SetShape(sPonad, legend.ponad);
    SetShape(sMaksymalna, legend.maksymalna);
    SetShape(sMinimalna, legend.minimalna);
}

void TWel_Kor::SelectScale()
{
    glowScale = cbZarzenie->isChecked();
    cbZarzenie->setText(glowScale ? QStringLiteral("Skala żarzenia") : QStringLiteral("Skala barwy"));
    UpdateLegend();
    RecolourPlate();
}

void TWel_Kor::cbZarzenieClick() { SelectScale(); }

void TWel_Kor::FindRange()
{
    const welkor::RangeFound found = welkor::FindRange(report.values(), range);
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

void TWel_Kor::ApplyLowerBound()
{
    const welkor::BoundResult bound = welkor::ApplyLowerBound(report.hasData(), tbDolna->value(), tbGorna->value(), range);
    range.lowerOffset = bound.lowerOffset;
    ShowBound(lDolna, FromCp1250(bound.label));
    range.span = bound.span;
    RecolourPlate();
}

void TWel_Kor::ApplyUpperBound()
{
    const welkor::BoundResult bound = welkor::ApplyUpperBound(tbGorna->value(), range);
    range.span = bound.span;
    ShowBound(lGorna, FromCp1250(bound.label));
    RecolourPlate();
}

// The legend's extreme fills are colours of the range, so they follow a move.
void TWel_Kor::tbDolnaChange()
{
    ApplyLowerBound();
    UpdateLegend();
}

void TWel_Kor::tbGornaChange()
{
    ApplyUpperBound();
    UpdateLegend();
}

} // namespace welkor::gui
