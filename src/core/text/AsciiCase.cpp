#include "core/text/AsciiCase.h"

namespace welkor {

namespace {

char LowerAscii(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

} // namespace

std::string AsciiLower(std::string_view text)
{
    std::string out(text);
    AsciiLowerInPlace(out);
    return out;
}

void AsciiLowerInPlace(std::string& text)
{
    for (char& ch : text)
        ch = LowerAscii(ch);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

} // namespace welkor
