#include "core/analysis/CutoffAnalysis.h"

#include "core/analysis/StandardMark.h"
#include "core/analysis/ThresholdText.h"
#include "core/report/WellState.h"
#include "core/text/AsciiCase.h"
#include "core/text/Cp1250Literal.h"
#include "core/text/DecimalNumber.h"
#include "core/text/Error.h"
#include "core/text/NumberText.h"

#include <cstddef>
#include <string_view>

namespace welkor {

namespace {

const std::string kNegativeMark = " neg";
const std::string kPositiveMark = " poz";
const std::string kBelowMark = " poniżej"_cp1250;
const std::string kStatusPrefix = "Próg: "_cp1250;

enum class Mark { None, Negative, Positive, Standard };

// A mark is read the way the user means it: any letter case, blanks around
// (a saved cell keeps a trailing blank as a no-break space). A standard
// ("std 12,5") is a control of its own: never a sample, never a negative.
Mark MarkOf(std::string_view cell)
{
    if (IsStandardCell(cell))
        return Mark::Standard;
    constexpr std::string_view blanks = " \t\xA0";
    const std::size_t first = cell.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return Mark::None;
    cell = cell.substr(first, cell.find_last_not_of(blanks) - first + 1);
    if (cell.size() != 3)
        return Mark::None;
    const std::string lower = AsciiLower(std::string(cell));
    if (lower == "neg")
        return Mark::Negative;
    if (lower == "poz")
        return Mark::Positive;
    return Mark::None;
}

template <typename Visit>
void ForEachWell(Visit visit)
{
    for (std::size_t r = 1; r < static_cast<std::size_t>(kGridRows); ++r)
        for (std::size_t c = 1; c < static_cast<std::size_t>(kGridColumns); ++c)
            visit(r, c);
}

// A reading as the exact decimal it is written as. The texts accepted and the
// error for the others are those of every other place that reads a value.
DecimalNumber Reading(const std::string& text)
{
    StrToFloat(text);
    const std::optional<DecimalNumber> value = DecimalNumber::Parse(text);
    if (!value)
        throw ConversionError(text);
    return *value;
}

} // namespace

CutoffOutcome RunCutoffAnalysis(const GridTexts& measured, GridTexts& edit, bool& freshMeasurement,
                                ControlCounts& counts, const std::function<void(const std::string&)>& showStatus)
{
    ForEachWell([&](std::size_t r, std::size_t c) {
        std::string& cell = edit[r][c];
        const Mark mark = MarkOf(cell);
        if (mark == Mark::Negative) {
            cell = kNegativeMark;
        } else if (mark == Mark::Positive) {
            cell = kPositiveMark;
        } else if (mark == Mark::Standard) {
            // " std 12,5"; a mark whose number does not read stays as typed.
            StandardMark standard = ReadStandardMark(cell);
            if (standard.kind == StandardMarkKind::Standard)
                cell = std::move(standard.text);
        }
    });

    if (!freshMeasurement)
        return CutoffOutcome::MarksOnly;

    DecimalNumber negativeSum;
    counts = ControlCounts{};
    ForEachWell([&](std::size_t r, std::size_t c) {
        const std::string& text = measured[r][c];
        if (HasNoReading(text))
            return;
        const Mark mark = MarkOf(edit[r][c]);
        if (mark == Mark::Negative) {
            negativeSum = negativeSum + Reading(text);
            ++counts.negative;
        } else if (mark == Mark::Positive) {
            ++counts.positive;
        }
    });
    if (counts.negative == 0)
        return CutoffOutcome::NoNegativeControl;

    counts.negativeSum = negativeSum;
    const auto controls = static_cast<std::uint32_t>(counts.negative);
    const DecimalNumber threeTimesSum = negativeSum.times(3);
    showStatus(kStatusPrefix + ThresholdText(threeTimesSum.dividedRounded(controls, 15)));

    // x < 3·sum / n exactly when n·x < 3·sum: no division, nothing rounded.
    ForEachWell([&](std::size_t r, std::size_t c) {
        const std::string& text = measured[r][c];
        if (HasNoReading(text))
            return;
        if (Compare(Reading(text).times(controls), threeTimesSum) < 0 && MarkOf(edit[r][c]) == Mark::None)
            edit[r][c] = kBelowMark;
    });

    freshMeasurement = false;
    return CutoffOutcome::Marked;
}

std::string ExactThresholdText(const ControlCounts& counts)
{
    if (counts.negative <= 0)
        return {};
    const auto controls = static_cast<std::uint32_t>(counts.negative);
    const DecimalNumber threeTimesSum = counts.negativeSum.times(3);
    const DecimalNumber panel = threeTimesSum.dividedRounded(controls, 15);
    // Dividing by at most 96 controls adds at most seven digits to a
    // quotient that ends at all.
    const int enough = static_cast<int>(threeTimesSum.digits().size()) + 8;
    const DecimalNumber quotient = threeTimesSum.dividedRounded(controls, enough);
    if (Compare(quotient.times(controls), threeTimesSum) == 0) {
        const std::string exact = GeneralText(quotient);
        return exact == ThresholdText(panel) ? std::string() : exact;
    }
    return "3 × "_cp1250 + GeneralText(counts.negativeSum) + " / " + std::to_string(controls) + " = "
        + GeneralText(panel) + "…"_cp1250;
}

} // namespace welkor
