#pragma once

#include "core/text/Cp1250Table.h"

#include <cstddef>

// Polish texts written once, as they read, in the source (UTF-8) and turned
// into code page 1250 bytes when the program is compiled:
//
//     "Nieprawidłowa transmisja."_cp1250
//
// is a const char array of the code page's bytes (with the closing NUL), so it
// stands wherever the string literal of those bytes stood: in a
// std::string_view, a std::string or a concatenation. A character the code
// page lacks, or bytes that are not UTF-8, stop the compilation.
namespace welkor {

namespace cp1250_literal {

// The literal's UTF-8 bytes, the closing NUL included.
template <std::size_t N> struct Utf8Literal {
    char bytes[N]{};
    consteval Utf8Literal(const char (&text)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = text[i];
    }
};

// One character of UTF-8 from bytes[at]: its code point and its length.
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

constexpr Decoded DecodeUtf8(const char* bytes, std::size_t size, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 1;
    char32_t codePoint = lead;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, codePoint = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, codePoint = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, codePoint = lead & 0x07;
    else if (lead >= 0x80)
        throw "not UTF-8";
    if (at + length > size)
        throw "not UTF-8";
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0) != 0x80)
            throw "not UTF-8";
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return {codePoint, length};
}

// The number of characters of the text (without the closing NUL).
constexpr std::size_t CharacterCount(const char* bytes, std::size_t size)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < size; at += DecodeUtf8(bytes, size, at).length)
        ++count;
    return count;
}

template <std::size_t M> struct Bytes {
    char text[M]{};
};

template <Utf8Literal S> consteval auto Convert()
{
    constexpr std::size_t size = sizeof(S.bytes) - 1;
    Bytes<CharacterCount(S.bytes, size) + 1> out{};
    std::size_t put = 0;
    for (std::size_t at = 0; at < size;) {
        const Decoded character = DecodeUtf8(S.bytes, size, at);
        const int byte = Cp1250ByteOf(character.codePoint);
        if (byte < 0)
            throw "a character code page 1250 lacks";
        out.text[put++] = static_cast<char>(static_cast<unsigned char>(byte));
        at += character.length;
    }
    return out;
}

template <Utf8Literal S> inline constexpr auto kConverted = Convert<S>();

} // namespace cp1250_literal

template <cp1250_literal::Utf8Literal S> consteval const auto& operator""_cp1250()
{
    return cp1250_literal::kConverted<S>.text;
}

} // namespace welkor
