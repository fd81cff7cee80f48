#include "core/text/Cp1250.h"

#include "core/text/Cp1250Table.h"

namespace welkor {

char32_t Cp1250ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? char32_t(byte) : char32_t(kCp1250HighHalf[byte - 0x80]);
}

int UnicodeToCp1250(char32_t codePoint) { return Cp1250ByteOf(codePoint); }

std::u16string Cp1250ToUtf16(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (char ch : bytes)
        out.push_back(static_cast<char16_t>(Cp1250ToUnicode(static_cast<unsigned char>(ch))));
    return out;
}

std::string Utf16ToCp1250(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        // A surrogate pair is one character the code page cannot hold.
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        const int byte = (unit >= 0xD800 && unit <= 0xDFFF) ? -1 : UnicodeToCp1250(unit);
        out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return out;
}

namespace {

// One character of strictly valid UTF-8 at `at`: its code point and length,
// or a length of 0 for an overlong form, a surrogate, a value past U+10FFFF
// or a broken sequence.
struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

Utf8Char DecodeUtf8(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (bytes.size() - at < length)
        return {};
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0) != 0x80)
            return {};
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return {cp, length};
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

std::string Cp1250ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes)
        AppendUtf8(out, Cp1250ToUnicode(static_cast<unsigned char>(ch)));
    return out;
}

std::string ValidUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const Utf8Char ch = DecodeUtf8(bytes, at);
        if (ch.length == 0) {
            AppendUtf8(out, 0xFFFD);
            ++at;
            continue;
        }
        out.append(bytes.substr(at, ch.length));
        at += ch.length;
    }
    return out;
}

std::optional<Utf8Text> ReadUtf8AsCp1250(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (marked)
        bytes.remove_prefix(kByteOrderMark.size());
    Utf8Text text;
    text.cp1250.reserve(bytes.size());
    bool beyondAscii = false;
    std::u32string listed;
    for (std::size_t at = 0; at < bytes.size();) {
        const Utf8Char ch = DecodeUtf8(bytes, at);
        if (ch.length == 0)
            return std::nullopt;
        at += ch.length;
        beyondAscii = beyondAscii || ch.codePoint >= 0x80;
        const int byte = UnicodeToCp1250(ch.codePoint);
        // The five unassigned bytes decode to C1 controls; a C1 control in a
        // UTF-8 file is not one of them.
        if (byte >= 0 && !(ch.codePoint >= 0x80 && ch.codePoint < 0xA0)) {
            text.cp1250.push_back(static_cast<char>(byte));
            continue;
        }
        text.cp1250.push_back('?');
        if (listed.find(ch.codePoint) == std::u32string::npos) {
            listed.push_back(ch.codePoint);
            if (!text.unstorable.empty())
                text.unstorable.push_back(' ');
            AppendUtf8(text.unstorable, ch.codePoint);
        }
    }
    if (!beyondAscii && !marked)
        return std::nullopt;
    return text;
}

} // namespace welkor
