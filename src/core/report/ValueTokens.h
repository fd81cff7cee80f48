#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace welkor {

// Values in a report line are found by the tab that ends them. For a tab at
// position p the token runs from the nearest blank before p up to p - 1, the
// blank included; it may therefore swallow earlier tabs ("\t" directly after a
// token yields that token, its tab and nothing more). A blank right before the
// tab gives a token of that single blank. A tab with no blank before it on the
// line yields the text from the line start, or from just after the previous
// tab, up to the tab (possibly empty). Nothing outside the line is read.
//
// Calls f(token) once per tab, left to right; the views point into `line`.
template <class F>
void ForEachValueToken(std::string_view line, F&& f)
{
    constexpr std::size_t none = std::string_view::npos;
    std::size_t lastBlank = none;
    std::size_t afterLastTab = 0;
    const char* const data = line.data();
    const std::size_t size = line.size();
    for (std::size_t p = 0; p < size; ++p) {
        const char ch = data[p];
        if (ch == ' ') {
            lastBlank = p;
        } else if (ch == '\t') {
            const std::size_t begin = lastBlank != none ? lastBlank : afterLastTab;
            f(std::string_view(data + begin, p - begin));
            afterLastTab = p + 1;
        }
    }
}

// All value tokens of a line in order, one per tab.
std::vector<std::string_view> ValueTokens(std::string_view line);

} // namespace welkor
