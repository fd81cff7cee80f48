#include "core/report/ValueTokens.h"

#include <algorithm>

namespace welkor {

std::vector<std::string_view> ValueTokens(std::string_view line)
{
    std::vector<std::string_view> tokens;
    tokens.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')));
    ForEachValueToken(line, [&tokens](std::string_view token) { tokens.push_back(token); });
    return tokens;
}

} // namespace welkor
