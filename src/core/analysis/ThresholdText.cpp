#include "core/analysis/ThresholdText.h"

#include "core/text/NumberText.h"

#include <cstddef>
#include <cstdint>

namespace welkor {

namespace {

constexpr int kGeneralDigits = 15;

std::string Scientific(bool negative, const std::string& digits, std::int64_t exponent, std::size_t width)
{
    std::string mantissa = negative ? "-" : "";
    mantissa.push_back(digits[0]);
    if (digits.size() > 1) {
        mantissa.push_back(kDecimalSeparator);
        mantissa.append(digits, 1, std::string::npos);
    }
    if (mantissa.size() > width)
        mantissa.resize(width);
    if (mantissa.back() == kDecimalSeparator)
        mantissa.pop_back();
    return mantissa + "E" + std::to_string(exponent);
}

// The general format: scientific below 1E-5 and from 1E15 on.
std::string General(bool negative, const std::string& digits, std::int64_t exponent)
{
    if (exponent < -5 || exponent >= kGeneralDigits)
        return Scientific(negative, digits, exponent, std::string::npos);
    std::string out = negative ? "-" : "";
    if (exponent < 0) {
        out += "0";
        out.push_back(kDecimalSeparator);
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        return out + digits;
    }
    const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return out + digits + std::string(integerDigits - digits.size(), '0');
    out.append(digits, 0, integerDigits);
    out.push_back(kDecimalSeparator);
    out.append(digits, integerDigits, std::string::npos);
    return out;
}

std::size_t SignificantDigitsIn(const std::string& text)
{
    std::size_t count = 0;
    bool started = false;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            continue;
        started = started || ch != '0';
        if (started)
            ++count;
    }
    return count;
}

} // namespace

std::string GeneralText(const DecimalNumber& number)
{
    if (number.isZero())
        return "0";
    return General(number.isNegative(), number.digits(), number.leadingExponent());
}

std::string ThresholdText(const DecimalNumber& threshold)
{
    const DecimalNumber value = threshold.dividedRounded(1, kGeneralDigits);
    if (value.isZero())
        return "0";
    const bool negative = value.isNegative();
    const std::string& digits = value.digits();
    const std::int64_t exponent = value.leadingExponent();
    const std::size_t width = negative ? 7 : 6;

    const std::string general = General(negative, digits, exponent);
    if (general.size() <= width)
        return general;
    if (exponent >= -5 && exponent < kGeneralDigits) {
        std::string cut = general.substr(0, width);
        if (cut.back() == kDecimalSeparator)
            cut.pop_back();
        const std::size_t integerDigits = exponent >= 0 ? static_cast<std::size_t>(exponent) + 1 : 1;
        const bool keepsIntegerPart = (negative ? 1 : 0) + integerDigits <= width;
        if (keepsIntegerPart && SignificantDigitsIn(cut) >= 2)
            return cut;
    }
    return Scientific(negative, digits, exponent, width);
}

} // namespace welkor
