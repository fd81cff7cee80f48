#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace welkor {

// A decimal number held exactly: a sign, its significant digits and a power
// of ten. The analysis sums, divides and compares readings in it, so a
// reading written 0,150 is 0,150 and not the nearest binary fraction.
class DecimalNumber {
public:
    DecimalNumber() = default; // zero

    // Reads the notation StrToFloat reads (blanks around, a sign, a decimal
    // comma, an exponent "1,5E-3"). Nothing for any other text, and nothing
    // for magnitudes beyond 1E+-10000, which no reading reaches.
    static std::optional<DecimalNumber> Parse(std::string_view text);

    bool isZero() const { return digits_.empty(); }
    bool isNegative() const { return negative_; }

    // The significant digits, without leading or trailing zeros ("12" for
    // 0,0120; empty for zero), and the power of ten of the first of them
    // (-2 for 0,0120).
    const std::string& digits() const { return digits_; }
    std::int64_t leadingExponent() const { return exponent_ + static_cast<std::int64_t>(digits_.size()) - 1; }

    DecimalNumber operator+(const DecimalNumber& other) const;
    DecimalNumber times(std::uint32_t factor) const;

    // This number divided by divisor (not 0), rounded to `significant`
    // significant digits, an exact half going to the even neighbour.
    DecimalNumber dividedRounded(std::uint32_t divisor, int significant) const;

    // Negative, zero or positive as a is below, equal to or above b.
    friend int Compare(const DecimalNumber& a, const DecimalNumber& b);

private:
    void normalise();

    bool negative_ = false;
    std::string digits_;        // '0'-'9', most significant first
    std::int64_t exponent_ = 0; // value = digits_ x 10^exponent_
};

} // namespace welkor
