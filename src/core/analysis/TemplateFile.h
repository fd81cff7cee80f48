#pragma once

#include "core/plate/Colour.h"
#include "core/report/ReportTypes.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace welkor {

// One colour per edit-grid cell, indexed [row][column].
using CellColourArray = std::array<std::array<Colour, kGridColumns>, kGridRows>;

// A template file (".sza") holds the 117 cell colours as 32-bit little-endian
// values, column by column: cell (c, r) lies at offset 4 * (9 * c + r).
inline constexpr std::size_t kTemplateFileBytes = 468;

// The whole file, always kTemplateFileBytes long.
std::string EncodeTemplate(const CellColourArray& colours);

// Lays the file's bytes over the colours. Nothing is checked: a short file
// replaces only the bytes it holds (a value cut in the middle keeps its high
// bytes), and bytes past the 117 values are ignored.
void DecodeTemplate(std::string_view bytes, CellColourArray& colours);

// Black (0) is never kept: it becomes the window background colour.
void NormaliseTemplateColours(CellColourArray& colours);

// Every cell in the window background colour, as at start.
CellColourArray DefaultCellColours();

} // namespace welkor
