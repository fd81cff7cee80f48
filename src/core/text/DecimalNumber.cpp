#include "core/text/DecimalNumber.h"

#include "core/text/NumberText.h"

#include <algorithm>
#include <cstddef>

namespace welkor {

namespace {

constexpr std::int64_t kMaxMagnitude = 10000; // leading exponents beyond this are refused
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Magnitudes as digit strings of equal exponent, most significant first.
int CompareMagnitudes(std::string_view a, std::string_view b)
{
    const std::size_t lead = std::min(a.find_first_not_of('0'), a.size());
    const std::size_t leadB = std::min(b.find_first_not_of('0'), b.size());
    a.remove_prefix(lead);
    b.remove_prefix(leadB);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::string AddMagnitudes(const std::string& a, const std::string& b)
{
    std::string sum(std::max(a.size(), b.size()) + 1, '0');
    int carry = 0;
    for (std::size_t k = 0; k < sum.size(); ++k) {
        int digit = carry;
        if (k < a.size())
            digit += a[a.size() - 1 - k] - '0';
        if (k < b.size())
            digit += b[b.size() - 1 - k] - '0';
        sum[sum.size() - 1 - k] = static_cast<char>('0' + digit % 10);
        carry = digit / 10;
    }
    return sum;
}

// a - b for a >= b.
std::string SubtractMagnitudes(const std::string& a, const std::string& b)
{
    std::string difference(a.size(), '0');
    int borrow = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        int digit = (a[a.size() - 1 - k] - '0') - borrow;
        if (k < b.size())
            digit -= b[b.size() - 1 - k] - '0';
        borrow = digit < 0 ? 1 : 0;
        difference[difference.size() - 1 - k] = static_cast<char>('0' + digit + 10 * borrow);
    }
    return difference;
}

} // namespace

std::optional<DecimalNumber> DecimalNumber::Parse(std::string_view text)
{
    text = WithoutBlanks(text);
    std::size_t i = 0;
    const std::size_t end = text.size();

    DecimalNumber number;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        number.negative_ = text[i++] == '-';
    std::int64_t decimals = 0;
    bool anyDigit = false;
    while (i < end && IsDigit(text[i])) {
        number.digits_.push_back(text[i++]);
        anyDigit = true;
    }
    if (i < end && text[i] == kDecimalSeparator) {
        ++i;
        while (i < end && IsDigit(text[i])) {
            number.digits_.push_back(text[i++]);
            ++decimals;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    std::int64_t exponent = 0;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        bool anyExponentDigit = false;
        while (i < end && IsDigit(text[i])) {
            exponent = std::min(exponent * 10 + (text[i++] - '0'), kExponentCap);
            anyExponentDigit = true;
        }
        if (!anyExponentDigit)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != end)
        return std::nullopt;
    number.exponent_ = exponent - decimals;
    number.normalise();
    if (!number.isZero() && (number.leadingExponent() > kMaxMagnitude || number.leadingExponent() < -kMaxMagnitude))
        return std::nullopt;
    return number;
}

void DecimalNumber::normalise()
{
    const std::size_t first = digits_.find_first_not_of('0');
    if (first == std::string::npos) {
        digits_.clear();
        exponent_ = 0;
        negative_ = false;
        return;
    }
    digits_.erase(0, first);
    const std::size_t last = digits_.find_last_not_of('0');
    exponent_ += static_cast<std::int64_t>(digits_.size() - 1 - last);
    digits_.erase(last + 1);
}

DecimalNumber DecimalNumber::operator+(const DecimalNumber& other) const
{
    if (isZero())
        return other;
    if (other.isZero())
        return *this;
    // Both magnitudes written out to the smaller exponent.
    const std::int64_t exponent = std::min(exponent_, other.exponent_);
    const std::string a = digits_ + std::string(static_cast<std::size_t>(exponent_ - exponent), '0');
    const std::string b = other.digits_ + std::string(static_cast<std::size_t>(other.exponent_ - exponent), '0');
    DecimalNumber sum;
    sum.exponent_ = exponent;
    if (negative_ == other.negative_) {
        sum.digits_ = AddMagnitudes(a, b);
        sum.negative_ = negative_;
    } else if (CompareMagnitudes(a, b) >= 0) {
        sum.digits_ = SubtractMagnitudes(a, b);
        sum.negative_ = negative_;
    } else {
        sum.digits_ = SubtractMagnitudes(b, a);
        sum.negative_ = other.negative_;
    }
    sum.normalise();
    return sum;
}

DecimalNumber DecimalNumber::times(std::uint32_t factor) const
{
    DecimalNumber product;
    product.negative_ = negative_;
    product.exponent_ = exponent_;
    product.digits_.assign(digits_.size() + 10, '0');
    std::uint64_t carry = 0;
    for (std::size_t k = 0; k < product.digits_.size(); ++k) {
        std::uint64_t digit = carry;
        if (k < digits_.size())
            digit += static_cast<std::uint64_t>(digits_[digits_.size() - 1 - k] - '0') * factor;
        product.digits_[product.digits_.size() - 1 - k] = static_cast<char>('0' + digit % 10);
        carry = digit / 10;
    }
    product.normalise();
    return product;
}

DecimalNumber DecimalNumber::dividedRounded(std::uint32_t divisor, int significant) const
{
    if (isZero() || divisor == 0 || significant <= 0)
        return DecimalNumber();
    // Long division over the digits followed by as many zeros as it takes:
    // the quotient digit at step p has the place value of digit p of the
    // dividend. One digit more than kept decides the rounding together with
    // what remains after it.
    DecimalNumber quotient;
    quotient.negative_ = negative_;
    std::uint64_t remainder = 0;
    std::int64_t step = 0;
    std::int64_t lastStep = 0;
    int guard = -1;
    for (;; ++step) {
        const std::size_t p = static_cast<std::size_t>(step);
        const int next = p < digits_.size() ? digits_[p] - '0' : 0;
        remainder = remainder * 10 + static_cast<std::uint64_t>(next);
        const int digit = static_cast<int>(remainder / divisor);
        remainder %= divisor;
        if (quotient.digits_.empty() && digit == 0)
            continue;
        if (static_cast<int>(quotient.digits_.size()) < significant) {
            quotient.digits_.push_back(static_cast<char>('0' + digit));
            lastStep = step;
            continue;
        }
        guard = digit;
        break;
    }
    const bool beyondGuard = remainder != 0 || static_cast<std::size_t>(step) + 1 < digits_.size();
    const bool odd = ((quotient.digits_.back() - '0') % 2) != 0;
    if (guard > 5 || (guard == 5 && (beyondGuard || odd))) {
        std::size_t k = quotient.digits_.size();
        while (k > 0 && quotient.digits_[k - 1] == '9')
            quotient.digits_[--k] = '0';
        if (k == 0)
            quotient.digits_.insert(quotient.digits_.begin(), '1'); // 999 became 1000 at the same places
        else
            ++quotient.digits_[k - 1];
    }
    quotient.exponent_ = exponent_ + static_cast<std::int64_t>(digits_.size()) - 1 - lastStep;
    quotient.normalise();
    return quotient;
}

int Compare(const DecimalNumber& a, const DecimalNumber& b)
{
    const int signA = a.isZero() ? 0 : (a.negative_ ? -1 : 1);
    const int signB = b.isZero() ? 0 : (b.negative_ ? -1 : 1);
    if (signA != signB)
        return signA < signB ? -1 : 1;
    if (signA == 0)
        return 0;
    int magnitude = 0;
    if (a.leadingExponent() != b.leadingExponent()) {
        magnitude = a.leadingExponent() < b.leadingExponent() ? -1 : 1;
    } else {
        // Same leading place: the digits compare as written, a shorter run
        // of digits being followed by zeros.
        const int order = a.digits_.compare(b.digits_);
        magnitude = order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    return signA * magnitude;
}

} // namespace welkor
