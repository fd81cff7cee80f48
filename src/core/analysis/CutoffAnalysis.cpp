#include "core/analysis/CutoffAnalysis.h"

#include "core/report/WellState.h"
#include "core/text/AsciiCase.h"
#include "core/text/NumberText.h"

#include <cstddef>
#include <string_view>

namespace welkor {

namespace {

const std::string kNegativeMark = " neg";
const std::string kPositiveMark = " poz";
const std::string kBelowMark = " poni\xBF" "ej";
const std::string kStatusPrefix = "Pr\xF3g: ";

bool IsControl(const std::string& lowerEditText)
{
    return lowerEditText == kNegativeMark || lowerEditText == kPositiveMark;
}

template <typename Visit>
void ForEachWell(Visit visit)
{
    for (std::size_t r = 1; r < static_cast<std::size_t>(kGridRows); ++r)
        for (std::size_t c = 1; c < static_cast<std::size_t>(kGridColumns); ++c)
            visit(r, c);
}

// The status panel is narrow: six characters, or seven when there may be a
// minus sign in front. The text is cut, not rounded.
std::string ThresholdText(double threshold)
{
    const std::size_t width = threshold > 0 ? 6 : 7;
    std::string text = FormatGeneral(threshold);
    if (text.size() > width)
        text.resize(width);
    return text;
}

} // namespace

void RunCutoffAnalysis(const GridTexts& measured, GridTexts& edit, bool& freshMeasurement, ControlCounts& counts,
                       const std::function<void(const std::string&)>& showStatus)
{
    ForEachWell([&](std::size_t r, std::size_t c) {
        std::string& cell = edit[r][c];
        if (cell == "neg")
            cell = kNegativeMark;
        if (cell == "poz")
            cell = kPositiveMark;
    });

    if (!freshMeasurement)
        return;

    double negativeSum = 0;
    counts = ControlCounts{};
    ForEachWell([&](std::size_t r, std::size_t c) {
        const std::string& text = measured[r][c];
        if (HasNoReading(text))
            return;
        const std::string mark = AsciiLower(edit[r][c]);
        if (mark == kNegativeMark) {
            // The sum is kept as a double; each addition runs in extended precision.
            negativeSum = static_cast<double>(static_cast<long double>(negativeSum) + StrToFloat(text));
            ++counts.negative;
        } else if (mark == kPositiveMark) {
            ++counts.positive;
        }
    });

    if (counts.negative > 0) {
        const double threshold =
            static_cast<double>(3.0L * static_cast<long double>(negativeSum) / static_cast<long double>(counts.negative));
        showStatus(kStatusPrefix + ThresholdText(threshold));

        ForEachWell([&](std::size_t r, std::size_t c) {
            const std::string& text = measured[r][c];
            if (HasNoReading(text))
                return;
            const long double x = StrToFloat(text);
            if (x < threshold && !IsControl(AsciiLower(edit[r][c])))
                edit[r][c] = kBelowMark;
        });
    }

    freshMeasurement = false;
}

} // namespace welkor
