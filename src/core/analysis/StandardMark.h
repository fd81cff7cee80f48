#pragma once

#include <string>
#include <string_view>

// A standard well as the user marks it in the edit grid: "std" followed by
// its known concentration ("std 12,5"). Read like the control marks: blanks
// (also tabs and the no-break spaces a saved cell holds) around it and
// between the word and the number, the word in any letter case, the number
// with a decimal comma or point.
namespace welkor {

enum class StandardMarkKind {
    None, // not a standard
    Standard, // "std" and a concentration
    Unreadable, // meant as a standard ("std" then a blank, a digit, a sign, a separator or nothing), but no
                // concentration follows
};

struct StandardMark {
    StandardMarkKind kind = StandardMarkKind::None;
    double concentration = 0;
    // The mark as the grid shows it afterwards: " std 12,5" (the number as
    // typed, its separator a comma). Empty unless kind is Standard.
    std::string text;
};

// A concentration is digits with at most one decimal comma or point (at least
// one digit, no sign, no exponent); zero is a concentration (a blank
// standard).
StandardMark ReadStandardMark(std::string_view cell);

// True for a cell the cut-off analysis leaves alone as a standard: a readable
// mark or one that is meant as one (nothing typed there is overwritten).
bool IsStandardCell(std::string_view cell);

} // namespace welkor
