#pragma once

#include <optional>
#include <string>
#include <string_view>

// Code page 1250 (Central European), the character set of every file the
// program reads or writes. Kept here as a table so the result never depends
// on which converters the platform happens to ship.
namespace welkor {

// The Unicode code point of one code page 1250 byte. The five bytes the code
// page leaves unassigned map to the C1 controls of the same number, so every
// byte survives a round trip.
char32_t Cp1250ToUnicode(unsigned char byte);

// The code page 1250 byte of a code point, or -1 when the code page lacks it.
int UnicodeToCp1250(char32_t codePoint);

// Whole texts: UTF-16 code units in and out (the GUI's strings). Characters
// the code page lacks become '?'.
std::u16string Cp1250ToUtf16(std::string_view bytes);
std::string Utf16ToCp1250(std::u16string_view text);

// UTF-8 for terminals, CSV files and pictures.
std::string Cp1250ToUtf8(std::string_view bytes);

// UTF-8 as it stands, with each byte that does not belong to a valid
// character (a broken or overlong sequence, a surrogate) replaced by U+FFFD:
// a name from an old share in another code page, made fit for a format
// that holds UTF-8 only.
std::string ValidUtf8(std::string_view bytes);

// A file another program wrote in UTF-8, as code page 1250 text. Nothing when
// the bytes are not strictly valid UTF-8, or hold neither a character beyond
// ASCII nor a byte-order mark (such bytes read the same either way, and a
// code page 1250 text is almost never valid UTF-8 with letters beyond ASCII).
// A leading byte-order mark is dropped; characters the code page lacks
// become '?' and are listed once each, in UTF-8, in `unstorable`.
struct Utf8Text {
    std::string cp1250;
    std::string unstorable;
};
std::optional<Utf8Text> ReadUtf8AsCp1250(std::string_view bytes);

} // namespace welkor
