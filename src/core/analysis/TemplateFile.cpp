#include "core/analysis/TemplateFile.h"

namespace welkor {

namespace {

constexpr std::size_t kValueBytes = 4;

std::size_t ValueOffset(std::size_t column, std::size_t row)
{
    return kValueBytes * (static_cast<std::size_t>(kGridRows) * column + row);
}

} // namespace

std::string EncodeTemplate(const CellColourArray& colours)
{
    std::string bytes(kTemplateFileBytes, '\0');
    for (std::size_t c = 0; c < static_cast<std::size_t>(kGridColumns); ++c) {
        for (std::size_t r = 0; r < static_cast<std::size_t>(kGridRows); ++r) {
            const Colour value = colours[r][c];
            const std::size_t at = ValueOffset(c, r);
            for (std::size_t k = 0; k < kValueBytes; ++k)
                bytes[at + k] = static_cast<char>(static_cast<unsigned char>((value >> (8 * k)) & 0xFFu));
        }
    }
    return bytes;
}

void DecodeTemplate(std::string_view bytes, CellColourArray& colours)
{
    for (std::size_t c = 0; c < static_cast<std::size_t>(kGridColumns); ++c) {
        for (std::size_t r = 0; r < static_cast<std::size_t>(kGridRows); ++r) {
            const std::size_t at = ValueOffset(c, r);
            Colour value = colours[r][c];
            for (std::size_t k = 0; k < kValueBytes && at + k < bytes.size(); ++k) {
                const Colour byte = static_cast<unsigned char>(bytes[at + k]);
                value = (value & ~(Colour{0xFFu} << (8 * k))) | (byte << (8 * k));
            }
            colours[r][c] = value;
        }
    }
}

void NormaliseTemplateColours(CellColourArray& colours)
{
    for (auto& row : colours)
        for (Colour& colour : row)
            if (colour == kBlack)
                colour = kSystemWindow;
}

CellColourArray DefaultCellColours()
{
    CellColourArray colours{};
    for (auto& row : colours)
        row.fill(kSystemWindow);
    return colours;
}

} // namespace welkor
