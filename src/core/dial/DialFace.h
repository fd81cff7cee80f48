#pragma once

#include "core/dial/DialGeometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Everything on the dial's face that is measured rather than painted: where
// the disc, the texts, the zone, the ticks and the hour numbers go and how
// thick their lines are. The widget only paints what this says.
namespace welkor::dial {

// What the face's shape depends on.
struct FaceInputs {
    std::int32_t width = 210;
    std::int32_t height = 210;
    double thinFraction = 0.15; // minute ticks and zone depth, of the radius
    double thickFraction = 18.0 / 111.0; // hour ticks, of the radius
    bool alarmZone = true;
    float alarmZoneMin = 30.0f; // zone units of 4.5 degrees
    float alarmZoneMax = 31.0f;
};

struct FaceLayout {
    DialFrame frame;

    // The disc's box, corners (left, top) and (right, bottom).
    Point discTopLeft;
    Point discBottomRight;

    // Texts stand on these points, centred on them horizontally.
    std::int32_t textPointSize = 0; // maker, units and title
    Point maker;
    Point units;
    Point title;

    // The coloured zone: the outer arc from its start to its end in 1-degree
    // steps, then back along the inner arc. Empty when there is none.
    std::int32_t zonePenWidth = 0;
    std::vector<Point> zone;

    std::int32_t minuteTickPenWidth = 0;
    std::array<Segment, 60> minuteTicks {}; // outer end to inner end

    // Thirteen passes from twelve o'clock round to twelve o'clock again: pass
    // 0 has a tick only, passes 1 to 12 a tick and the number.
    std::int32_t numberPointSize = 0;
    std::int32_t hourTickPenWidth = 0;
    std::array<Segment, 13> hourTicks {};
    std::array<Point, 13> numberCentres {};
};

FaceLayout LayoutFace(const FaceInputs& inputs);

// The zone's outline for the given frame; empty when the zone's rounded end
// lies before its start or either bound is not a finite number. A zone wider
// than one turn is drawn as one turn.
std::vector<Point> ZoneOutline(const DialFrame& frame, double thinFraction, float zoneMin, float zoneMax);

// "I" ... "XII" for 1 ... 12; empty for anything else.
std::string RomanNumeral(int n);

// The text of hour `n` (1 ... 12) in decimal digits or Roman numerals.
std::string HourNumberText(int n, bool roman);

} // namespace welkor::dial
