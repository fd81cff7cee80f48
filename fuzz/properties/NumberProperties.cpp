#include "NumberProperties.h"

#include "core/plate/WellColouring.h"
#include "core/text/Error.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace welkor::fuzz {

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

std::string Number(long double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.21Lg", value);
    return buf;
}

// -?d{1,3}( d{3})*,dddd with no-break spaces between the groups; the
// grouping separators are dropped from `digits`.
bool IsGroupedFixed(std::string_view text, std::string& plain)
{
    plain.clear();
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        plain.push_back(text[i++]);
    std::size_t group = 0;
    bool first = true;
    for (; i < text.size() && text[i] != kDecimalSeparator; ++i) {
        if (text[i] == kThousandSeparator) {
            if ((first && (group < 1 || group > 3)) || (!first && group != 3))
                return false;
            first = false;
            group = 0;
            continue;
        }
        if (!IsDigit(text[i]))
            return false;
        plain.push_back(text[i]);
        ++group;
    }
    if ((first && (group < 1 || group > 3)) || (!first && group != 3))
        return false;
    if (i == text.size() || text.size() - i != 5)
        return false;
    plain.push_back(text[i++]);
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
        plain.push_back(text[i]);
    }
    return true;
}

} // namespace

void CheckGeneralFormat(long double value, Verdict& verdict)
{
    const std::string text = FormatGeneral(value);
    long double back = 0;
    if (!verdict.Expect(TryStrToFloat(text, back),
                        [&] { return "general format " + Shown(text) + " of " + Number(value) + " does not read back"; }))
        return;
    // Half a unit of the 15th digit, plus the rounding of reading it back.
    const long double tolerance =
        std::fabs(value) * (5e-15L + 0x1p-61L) + std::numeric_limits<long double>::denorm_min();
    verdict.Expect(std::fabs(back - value) <= tolerance, [&] {
        return "general format " + Shown(text) + " of " + Number(value) + " reads back as " + Number(back);
    });
    verdict.Expect(FormatGeneral(back) == text, [&] {
        return "general format " + Shown(text) + " formats again as " + Shown(FormatGeneral(back));
    });
}

void CheckFixed4Label(const std::string& label, long double value, Verdict& verdict)
{
    auto describe = [&](const char* what) {
        return [&, what] { return std::string("label ") + Shown(label) + " of " + Number(value) + ": " + what; };
    };
    if (!verdict.Expect(std::isfinite(value), describe("the value is not finite")))
        return;
    verdict.Expect(label.size() >= 4, describe("narrower than 4 characters"));
    std::string_view text = label;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);

    if (std::fabs(value) >= 1e15L) {
        long double back = 0;
        if (!verdict.Expect(TryStrToFloat(text, back), describe("does not read back")))
            return;
        verdict.Expect(std::fabs(back - value) <= std::fabs(value) * (5e-15L + 0x1p-61L), describe("reads back wrong"));
        return;
    }
    std::string plain;
    if (!verdict.Expect(IsGroupedFixed(text, plain), describe("is not four decimals with grouped thousands")))
        return;
    verdict.Expect(text.front() != '-' || text.find_first_not_of("-0,\xA0") != std::string_view::npos,
                   describe("a zero with a minus sign"));
    long double back = 0;
    if (!verdict.Expect(TryStrToFloat(plain, back), describe("does not read back")))
        return;
    const long double tolerance = 0.00005L + std::fabs(value) * 0x1p-60L;
    verdict.Expect(std::fabs(back - value) <= tolerance, describe("reads back as another value"));
}

std::string CheckNumberText(std::string_view bytes)
{
    Verdict verdict;
    long double full = 0;
    const bool fullOk = TryStrToFloat(bytes, full);
    // The shortcut of the report check never passes what the reader refuses.
    verdict.Expect(!IsPlainDecimal(bytes) || (fullOk && std::fabs(full) <= std::numeric_limits<double>::max()),
                   [&] { return "a plain decimal the reader refuses: " + Shown(bytes); });

    long double quick = 0;
    bool quickOk = true;
    try {
        quick = WellNumber(bytes);
    } catch (const ConversionError& e) {
        quickOk = false;
        verdict.Expect(e.text() == bytes, [&] { return "the quick reader's error names " + Shown(e.text()); });
    }
    verdict.Expect(fullOk == quickOk, [&] {
        return "the readers disagree whether " + Shown(bytes) + " is a number: full " + std::to_string(fullOk) +
               ", quick " + std::to_string(quickOk);
    });
    if (fullOk && quickOk)
        verdict.Expect(full == quick && std::signbit(full) == std::signbit(quick), [&] {
            return "the readers disagree on " + Shown(bytes) + ": " + Number(full) + " and " + Number(quick);
        });

    bool threw = false;
    try {
        (void)StrToFloat(bytes);
    } catch (const ConversionError& e) {
        threw = true;
        // The message names the text as it is (a C string: up to a NUL in it).
        const std::string_view named = bytes.substr(0, bytes.find('\0'));
        verdict.Expect(std::string_view(e.what()).find(named) != std::string_view::npos,
                       [&] { return "conversion message " + Shown(e.what()) + " does not name " + Shown(named); });
    }
    verdict.Expect(threw != fullOk, [&] { return "StrToFloat and TryStrToFloat disagree on " + Shown(bytes); });

    if (fullOk) {
        verdict.Expect(std::isfinite(full), [&] { return Shown(bytes) + " read as a value that is not finite"; });
        CheckGeneralFormat(full, verdict);
        CheckFixed4Label(FormatFixed4(full), full, verdict);
        if (std::fabs(full) < 0x1p62L) {
            const std::int64_t rounded = RoundHalfEven(full);
            const long double off = std::fabs(static_cast<long double>(rounded) - full);
            verdict.Expect(off < 0.5L || (off == 0.5L && rounded % 2 == 0),
                           [&] { return "rounding " + Number(full) + " gives " + std::to_string(rounded); });
        }
    }

    if (bytes.size() >= sizeof(double)) {
        double bits = 0;
        std::memcpy(&bits, bytes.data(), sizeof bits);
        if (std::isfinite(bits)) {
            CheckGeneralFormat(bits, verdict);
            CheckFixed4Label(FormatFixed4(bits), bits, verdict);
        }
    }
    return verdict.Failure();
}

} // namespace welkor::fuzz
