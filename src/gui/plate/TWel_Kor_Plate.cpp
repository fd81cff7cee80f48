// The plate page: wells, legend, scale switch and calibration range.
#include "core/plate/CalibrationRange.h"
#include "core/plate/WellColouring.h"
#include "core/report/RowLetter.h"
#include "gui/app/TWel_Kor.h"
#include "gui/plate/PlateView.h"
#include "gui/widgets/CircleShape.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace {

void SetShape(CircleShape* shape, const welkor::ShapeLook& look)
{
    shape->setLook(look.fill, look.outline, look.outlineWidth);
}

welkor::ShapeLook LookOf(const CircleShape* shape)
{
    return welkor::ShapeLook{shape->fill(), shape->outline(), shape->outlineWidth()};
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
    lDolna->setText(FromCp1250(bound.label));
    range.span = bound.span;
    RecolourPlate();
}

void TWel_Kor::ApplyUpperBound()
{
    const welkor::BoundResult bound = welkor::ApplyUpperBound(tbGorna->value(), range);
    range.span = bound.span;
    lGorna->setText(FromCp1250(bound.label));
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
