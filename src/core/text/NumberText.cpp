#include "core/text/NumberText.h"

#include "core/text/Error.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace welkor {

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Rewrites the text into the C form that from_chars reads ("-12.5e-3"), or
// fails when it is not a number in our notation.
bool Normalise(std::string_view text, std::string& out)
{
    text = WithoutBlanks(text);
    std::size_t i = 0;
    const std::size_t end = text.size();
    if (i == end)
        return false;

    out.clear();
    if (text[i] == '+' || text[i] == '-') {
        if (text[i] == '-')
            out.push_back('-');
        ++i;
    }
    bool digits = false;
    while (i < end && IsDigit(text[i])) {
        out.push_back(text[i++]);
        digits = true;
    }
    if (i < end && text[i] == kDecimalSeparator) {
        out.push_back('.');
        ++i;
        while (i < end && IsDigit(text[i])) {
            out.push_back(text[i++]);
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (out.back() == '.')
        out.push_back('0');
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        out.push_back('e');
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            out.push_back(text[i++]);
        bool expDigits = false;
        while (i < end && IsDigit(text[i])) {
            out.push_back(text[i++]);
            expDigits = true;
        }
        if (!expDigits)
            return false;
    }
    return i == end;
}

} // namespace

bool TryStrToFloat(std::string_view text, long double& out)
{
    std::string c;
    if (!Normalise(text, c))
        return false;
    long double value = 0;
    const char* first = c.data();
    const char* last = c.data() + c.size();
    // from_chars does not take a leading minus as part of the magnitude
    // check, but it does accept it: the whole string must be consumed.
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

std::string_view WithoutBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsPlainDecimal(std::string_view text)
{
    std::size_t digits = 0;
    bool comma = false;
    for (char ch : WithoutBlanks(text)) {
        if (IsDigit(ch))
            ++digits;
        else if (ch == kDecimalSeparator && !comma)
            comma = true;
        else
            return false;
    }
    return digits > 0 && digits <= 15;
}

long double StrToFloat(std::string_view text)
{
    long double value = 0;
    if (!TryStrToFloat(text, value))
        throw ConversionError(std::string(text));
    return value;
}

std::int64_t RoundHalfEven(long double value)
{
    if (std::isnan(value))
        return 0;
    constexpr long double kMax = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
    constexpr long double kMin = static_cast<long double>(std::numeric_limits<std::int64_t>::min());
    if (value >= kMax)
        return std::numeric_limits<std::int64_t>::max();
    if (value <= kMin)
        return std::numeric_limits<std::int64_t>::min();
    // The default floating-point environment rounds to nearest, ties to even;
    // llrint rounds in that mode without the cost of a truncating cast.
    return static_cast<std::int64_t>(std::llrint(value));
}

std::string FormatGeneral(long double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // 15 significant digits: d.dddddddddddddde±x
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", value);
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const std::size_t ePos = s.find('e');
    const int exponent = std::stoi(s.substr(ePos + 1));
    std::string digits;
    for (std::size_t k = 0; k < ePos; ++k)
        if (IsDigit(s[k]))
            digits.push_back(s[k]);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent < -5 || exponent >= 15) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back(kDecimalSeparator);
            out.append(digits, 1, std::string::npos);
        }
        out += "E" + std::to_string(exponent);
        return out;
    }
    if (exponent < 0) {
        out += "0";
        out.push_back(kDecimalSeparator);
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
    } else {
        out.append(digits, 0, intDigits);
        out.push_back(kDecimalSeparator);
        out.append(digits, intDigits, std::string::npos);
    }
    return out;
}

std::string FormatFixed4(long double value)
{
    // From 10^15 on a value has more integer digits than the 15 significant
    // ones it carries: it is shown as the general format shows it ("1E122"),
    // not as a row of digits that were never measured.
    if (!std::isfinite(value) || std::fabs(value) >= 1e15L)
        return FormatGeneral(value);
    char buf[64]; // at most 16 integer digits, a sign, the point and 4 decimals
    std::snprintf(buf, sizeof buf, "%.4Lf", value);
    std::string s(buf);
    bool negative = false;
    if (!s.empty() && s[0] == '-') {
        negative = true;
        s.erase(0, 1);
    }
    if (s.find_first_not_of("0.") == std::string::npos)
        negative = false; // -0,0000 shows as 0,0000
    const std::size_t dot = s.find('.');
    const std::string intPart = s.substr(0, dot);
    std::string grouped;
    for (std::size_t k = 0; k < intPart.size(); ++k) {
        if (k > 0 && (intPart.size() - k) % 3 == 0)
            grouped.push_back(kThousandSeparator);
        grouped.push_back(intPart[k]);
    }
    std::string out = (negative ? "-" : "") + grouped + kDecimalSeparator + s.substr(dot + 1);
    if (out.size() < 4)
        out.insert(0, 4 - out.size(), ' ');
    return out;
}

} // namespace welkor
