#include "core/analysis/StandardMark.h"

#include "core/text/NumberText.h"

#include <cmath>
#include <cstddef>

namespace welkor {

namespace {

constexpr std::string_view kBlanks = " \t\xA0";

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// "12", "12,5", "12.5", ",5", "12,": the number's text with a comma, or
// empty when it is none.
std::string ConcentrationText(std::string_view text)
{
    std::string out;
    bool separator = false;
    bool digit = false;
    for (const char ch : text) {
        if (IsDigit(ch)) {
            digit = true;
            out.push_back(ch);
        } else if ((ch == ',' || ch == '.') && !separator) {
            separator = true;
            out.push_back(kDecimalSeparator);
        } else {
            return {};
        }
    }
    return digit ? out : std::string();
}

} // namespace

StandardMark ReadStandardMark(std::string_view cell)
{
    StandardMark mark;
    const std::string_view text = TrimBlanks(cell);
    if (text.size() < 3)
        return mark;
    for (std::size_t i = 0; i < 3; ++i) {
        const char lower = (text[i] >= 'A' && text[i] <= 'Z') ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (lower != "std"[i])
            return mark;
    }
    // "stdev", "std-dev" and the like are words of their own, not marks.
    const std::string_view rest = text.substr(3);
    if (!rest.empty()) {
        const char next = rest.front();
        const bool meant = kBlanks.find(next) != std::string_view::npos || IsDigit(next) || next == ',' || next == '.'
            || next == '+' || next == '-';
        if (!meant)
            return mark;
    }
    mark.kind = StandardMarkKind::Unreadable;

    const std::string number = ConcentrationText(TrimBlanks(rest));
    long double value = 0;
    if (number.empty() || !TryStrToFloat(number, value) || !std::isfinite(static_cast<double>(value)))
        return mark;
    mark.kind = StandardMarkKind::Standard;
    mark.concentration = static_cast<double>(value);
    mark.text = " std " + number;
    return mark;
}

bool IsStandardCell(std::string_view cell)
{
    return ReadStandardMark(cell).kind != StandardMarkKind::None;
}

} // namespace welkor
