#include "core/report/WellName.h"

namespace welkor {

std::string WellName(int row, int column)
{
    std::string name(1, static_cast<char>('A' + row));
    name += std::to_string(column + 1);
    return name;
}

std::optional<WellPosition> ParseWellName(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.size() < 2 || text.size() > 4)
        return std::nullopt;
    char letter = text.front();
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'H')
        return std::nullopt;
    int column = 0;
    for (char ch : text.substr(1)) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        column = column * 10 + (ch - '0');
    }
    if (column < 1 || column > 12)
        return std::nullopt;
    return WellPosition{letter - 'A', column - 1};
}

} // namespace welkor
