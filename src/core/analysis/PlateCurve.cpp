#include "core/analysis/PlateCurve.h"

#include "core/analysis/StandardMark.h"
#include "core/report/WellState.h"
#include "core/text/AsciiCase.h"
#include "core/text/Cp1250Literal.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <cstddef>
#include <string_view>

namespace welkor {

namespace {

constexpr std::string_view kBlanks = " \t\xA0";

// " neg" / " poz" in any letter case with blanks around, as "Analizuj"
// reads them.
WellRole ControlRole(std::string_view cell)
{
    const std::size_t first = cell.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return WellRole::Sample;
    const std::string word = AsciiLower(cell.substr(first, cell.find_last_not_of(kBlanks) - first + 1));
    if (word == "neg")
        return WellRole::NegativeControl;
    if (word == "poz")
        return WellRole::PositiveControl;
    return WellRole::Sample;
}

std::string Quoted(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return "„”"_cp1250;
    return "„"_cp1250 + std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1)) + "”"_cp1250;
}

} // namespace

PlateCurveInput ReadPlateForCurve(
    const GridTexts& measured, const GridTexts& marks, const std::optional<std::vector<StandardWell>>& standards)
{
    PlateCurveInput plate;
    for (int r = 0; r < kPlateRows; ++r) {
        for (int c = 0; c < kPlateColumns; ++c) {
            const std::string& text = measured[static_cast<std::size_t>(r + 1)][static_cast<std::size_t>(c + 1)];
            const std::string& mark = marks[static_cast<std::size_t>(r + 1)][static_cast<std::size_t>(c + 1)];
            const std::string name = WellName(r, c);

            CurveWell well;
            well.well = {r, c};
            well.role = ControlRole(mark);
            if (standards) {
                for (const StandardWell& s : *standards)
                    if (s.well == well.well) {
                        well.role = WellRole::Standard;
                        well.nominal = s.concentration;
                    }
            } else if (const StandardMark standard = ReadStandardMark(mark);
                       standard.kind == StandardMarkKind::Standard) {
                well.role = WellRole::Standard;
                well.nominal = standard.concentration;
            } else if (standard.kind == StandardMarkKind::Unreadable) {
                plate.problems.push_back("Studzienka " + name + " " + Quoted(mark)
                    + ": po „std” ma stać samo stężenie standardu, np. „std 12,5” albo „std "
                      "0,5”."_cp1250);
                continue;
            }

            long double value = 0;
            const bool numeric
                = !HasNoReading(text) && TryStrToFloat(text, value) && std::isfinite(static_cast<double>(value));
            if (!numeric) {
                if (well.role == WellRole::Standard)
                    plate.notes.push_back("Standard " + name + " nie ma odczytu liczbowego (" + Quoted(text)
                        + ") i nie wchodzi do krzywej.");
                continue;
            }
            well.readingText = text;
            well.reading = static_cast<double>(value);
            plate.wells.push_back(std::move(well));
        }
    }
    return plate;
}

PlateCurveResult QuantifyPlate(const PlateCurveInput& plate, const CurveOptions& options)
{
    PlateCurveResult result;
    result.wells = plate.wells;
    result.notes = plate.notes;
    if (!plate.problems.empty()) {
        for (const std::string& problem : plate.problems)
            result.fit.problem += (result.fit.problem.empty() ? "" : "\n") + problem;
        return result;
    }
    if (plate.wells.empty()) {
        result.fit.problem
            = "Płytka nie ma żadnego odczytu liczbowego: nie ma czego odczytać z krzywej."_cp1250;
        return result;
    }

    std::vector<CurvePoint> standards;
    for (const CurveWell& well : plate.wells)
        if (well.role == WellRole::Standard)
            standards.push_back({*well.nominal, well.reading});
    if (standards.empty()) {
        result.fit.problem = plate.notes.empty() ? "Nie zaznaczono żadnego standardu: wpisz w tabeli edycji "
                                                   "„std” i stężenie, np. „std 12,5”."_cp1250
                                                 : "Żaden zaznaczony standard nie ma odczytu liczbowego."_cp1250;
        return result;
    }

    result.fit = FitStandardCurve(standards, options);
    result.notes.insert(result.notes.end(), result.fit.notes.begin(), result.fit.notes.end());
    if (!result.fit.curve)
        return result;
    const StandardCurve& curve = *result.fit.curve;

    for (CurveWell& well : result.wells) {
        if (well.role != WellRole::Standard) {
            const ReadOff read = curve.ReadConcentration(well.reading);
            well.concentration = read.concentration;
            well.flag = read.flag;
            continue;
        }
        // A standard is checked against its own concentration wherever the
        // curve reaches, a little beyond the standards included.
        well.concentration = curve.Inverse(well.reading);
        if (well.concentration && *well.concentration < 0)
            well.concentration.reset();
        if (!well.concentration) {
            const bool rising = curve.responseAtHighest() > curve.responseAtLowest();
            const bool high
                = rising ? well.reading > curve.responseAtHighest() : well.reading < curve.responseAtHighest();
            well.flag = high ? RangeFlag::AboveRange : RangeFlag::BelowRange;
        } else if (*well.nominal > 0) {
            well.recovery = 100 * *well.concentration / *well.nominal;
        }
    }
    return result;
}

std::string WellRoleText(WellRole role)
{
    switch (role) {
    case WellRole::Sample:
        return "próbka"_cp1250;
    case WellRole::Standard:
        return "standard";
    case WellRole::NegativeControl:
        return "neg";
    case WellRole::PositiveControl:
        return "poz";
    }
    return {};
}

} // namespace welkor
