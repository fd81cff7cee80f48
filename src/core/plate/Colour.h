#pragma once

#include <cstdint>

namespace welkor {

// 0x00BBGGRR for an RGB colour (red in the lowest byte), or 0xFF0000nn for
// the system colour with index nn.
using Colour = std::uint32_t;

inline constexpr Colour kWhite = 0x00FFFFFF;
inline constexpr Colour kBlack = 0x00000000;
inline constexpr Colour kRed = 0x000000FF;
inline constexpr Colour kPureGreen = 0x0000FF00;
inline constexpr Colour kDarkGreen = 0x00008000;
inline constexpr Colour kBlue = 0x00FF0000;
inline constexpr Colour kGrey = 0x00808080;
inline constexpr Colour kSystemWindow = 0xFF000005;    // window background
inline constexpr Colour kSystemButtonFace = 0xFF00000F;

inline constexpr bool IsSystemColour(Colour c) { return (c & 0xFF000000u) == 0xFF000000u; }
inline constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
inline constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
inline constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

} // namespace welkor
