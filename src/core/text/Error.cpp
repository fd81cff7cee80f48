#include "core/text/Error.h"

#include "core/text/Cp1250Literal.h"
#include "core/text/NumberText.h"

#include <algorithm>

namespace welkor {

std::string NotANumberMessage(std::string_view text)
{
    // "Wartość '...' nie jest liczbą."
    return "Wartość '"_cp1250 + std::string(text) + "' nie jest liczbą."_cp1250 + DecimalCommaHint(text);
}

std::string DecimalCommaHint(std::string_view text)
{
    if (text.find('.') == std::string_view::npos)
        return std::string();
    std::string withCommas(text);
    std::replace(withCommas.begin(), withCommas.end(), '.', kDecimalSeparator);
    long double value = 0;
    if (!TryStrToFloat(withCommas, value))
        return std::string();
    // A number with commas in place of its full stops has no comma of its
    // own, so the two texts differ in those characters only.
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    const std::string asWritten(text.substr(first, last - first + 1));
    std::string meant = asWritten;
    std::replace(meant.begin(), meant.end(), '.', kDecimalSeparator);
    // " Liczby zapisuje się z przecinkiem dziesiętnym: 1,5 zamiast 1.5."
    return " Liczby zapisuje się z przecinkiem dziesiętnym: "_cp1250 + meant + " zamiast " + asWritten + ".";
}

} // namespace welkor
