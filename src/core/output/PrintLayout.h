#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// "Drukuj": where every text and the logo go on the printed pages. The page is
// designed in dots of 600 per inch from the top-left corner of the printable
// area; a printer of another resolution gets every position scaled by its
// resolution / 600, so the page looks the same on paper. Fonts keep their
// point sizes (the printer side measures them at its own resolution).
namespace welkor {

inline constexpr int kDesignDpi = 600;

// Design positions of the page.
inline constexpr int kHeadingX = 3200;
inline constexpr int kHeadingY = 1000;
inline constexpr int kLogoX = 200;
inline constexpr int kLogoY = 200;
inline constexpr int kTextX = 400;
inline constexpr int kReportTop = 1200;
inline constexpr int kCommentTop = 2940;
inline constexpr int kLineStep = 110;
inline constexpr int kPrintedReportLines = 15;
// Where the comment goes on when it runs past the first page.
inline constexpr int kContinuationTop = 200;

// The two faces of the page: the heading (a serif face, 14 points, green) and
// the body (the window's sans face, 8 points, black).
enum class PrintFace { Heading, Body };

// A text placed by the top-left corner of its first character, in printer
// dots. It holds no TAB: tabbed lines come as one piece per field.
struct PlacedText {
    int page = 0; // 0 = the first page
    int x = 0;
    int y = 0;
    PrintFace face = PrintFace::Body;
    std::string text;
};

struct PlacedPicture {
    int page = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// What is printed (code page 1250 like every core text).
struct PrintContent {
    std::string heading;                   // the toolbar label's text
    std::vector<std::string> reportLines;  // the displayed report lines; the first 15 are printed
    std::vector<std::string> commentLines; // every line of the comment memo, its heading included
    int logoWidth = 0;                     // pixels; 0 = print without a logo
    int logoHeight = 0;
};

// What the printer side measures, in printer dots.
struct PrintMetrics {
    int dpi = kDesignDpi;
    int pageHeight = 0;     // height of the printable area
    int bodyLineHeight = 0; // height of one line of the body face
    int bodyTabWidth = 0;   // eight average character widths of the body face
    std::function<int(std::string_view)> bodyTextWidth; // advance of a piece of body text
};

struct PrintLayout {
    int pageCount = 1;
    std::vector<PlacedText> texts;
    std::optional<PlacedPicture> logo;
};

// A design position in printer dots (rounded to the nearest dot).
int DesignToDevice(int design, int dpi);

// One piece of a tabbed line: its text and where it starts.
struct TextPiece {
    int x = 0;
    std::string text;
};

// A line written from x with default tab stops: every TAB moves on to the next
// multiple of tabWidth counted from x = 0 (the page's left edge, not the start
// of the line). Empty pieces are left out. Control characters other than TAB
// are printed as blanks.
std::vector<TextPiece> ExpandTabs(std::string_view line, int x, int tabWidth,
                                  const std::function<int(std::string_view)>& textWidth);

// The whole print: the first page as designed (heading, logo, up to 15 report
// lines, the comment from y = 2940, one line every 110), and the comment
// lines that would fall below the printable area on further pages, from the
// top of each.
PrintLayout LayOutPrint(const PrintContent& content, const PrintMetrics& metrics);

} // namespace welkor
