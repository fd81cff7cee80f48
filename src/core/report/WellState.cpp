#include "core/report/WellState.h"

#include "core/text/AsciiCase.h"

namespace welkor {

bool HasNoReading(std::string_view wellText)
{
    return wellText.empty() || EqualsIgnoringAsciiCase(wellText, kBlankWord)
        || EqualsIgnoringAsciiCase(wellText, kUnderWord) || EqualsIgnoringAsciiCase(wellText, kOverWord);
}

} // namespace welkor
