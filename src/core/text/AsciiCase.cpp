#include "core/text/AsciiCase.h"

namespace welkor {

std::string AsciiLower(std::string_view text)
{
    std::string out(text);
    for (char& ch : out) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return out;
}

} // namespace welkor
