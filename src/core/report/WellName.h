#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace welkor {

// A well by its name on the plate: row A-H, column 1-12 ("H4", "G10").
struct WellPosition {
    int row = 0;    // 0 = A
    int column = 0; // 0 = plate column 1

    bool operator==(const WellPosition&) const = default;
};

std::string WellName(int row, int column);

// "H4", "h4", " G10 " and "A01" name wells; anything else (a row past H, a
// column past 12, a missing or extra character) names none.
std::optional<WellPosition> ParseWellName(std::string_view text);

} // namespace welkor
