#include "core/output/PrintLayout.h"

#include <algorithm>
#include <cstdint>

namespace welkor {

namespace {

std::string Printable(std::string_view text)
{
    std::string out(text);
    for (char& ch : out) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F)
            ch = ' ';
    }
    return out;
}

} // namespace

int DesignToDevice(int design, int dpi)
{
    const std::int64_t scaled = static_cast<std::int64_t>(design) * dpi;
    const std::int64_t half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi));
}

std::vector<TextPiece> ExpandTabs(std::string_view line, int x, int tabWidth,
                                  const std::function<int(std::string_view)>& textWidth)
{
    // Far beyond any paper: what would start further right is not placed at
    // all, and no position can overflow however long the line.
    constexpr std::int64_t kFarRight = std::int64_t{1} << 30;
    const std::int64_t stop = std::max(tabWidth, 1);
    std::int64_t at = std::max(x, 0);
    std::vector<TextPiece> pieces;
    std::size_t start = 0;
    while (at < kFarRight) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view field
            = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (!field.empty()) {
            pieces.push_back({static_cast<int>(at), Printable(field)});
            at += std::max(textWidth ? textWidth(pieces.back().text) : 0, 0);
        }
        if (tab == std::string_view::npos)
            break;
        at = (at / stop + 1) * stop;
        start = tab + 1;
    }
    return pieces;
}

PrintLayout LayOutPrint(const PrintContent& content, const PrintMetrics& metrics)
{
    const int dpi = metrics.dpi > 0 ? metrics.dpi : kDesignDpi;
    auto device = [dpi](int design) { return DesignToDevice(design, dpi); };
    PrintLayout layout;

    auto tabbedLine = [&](int page, int designY, const std::string& line) {
        for (TextPiece& piece : ExpandTabs(line, device(kTextX), metrics.bodyTabWidth, metrics.bodyTextWidth))
            layout.texts.push_back({page, piece.x, device(designY), PrintFace::Body, std::move(piece.text)});
    };

    layout.texts.push_back({0, device(kHeadingX), device(kHeadingY), PrintFace::Heading, Printable(content.heading)});
    if (content.logoWidth > 0 && content.logoHeight > 0)
        layout.logo = PlacedPicture{0, device(kLogoX), device(kLogoY), device(content.logoWidth),
                                    device(content.logoHeight)};

    const std::size_t reportCount
        = std::min(content.reportLines.size(), static_cast<std::size_t>(kPrintedReportLines));
    for (std::size_t i = 0; i < reportCount; ++i)
        tabbedLine(0, kReportTop + kLineStep * static_cast<int>(i), content.reportLines[i]);

    // The comment runs down the first page from its own top; what would not
    // fit above the bottom of the printable area goes on over the next pages.
    int page = 0;
    int designY = kCommentTop;
    bool pageHasComment = false;
    for (const std::string& line : content.commentLines) {
        const bool fits = device(designY) + metrics.bodyLineHeight <= metrics.pageHeight;
        // A page whose first comment line does not fit either still takes it,
        // so a tiny page cannot hold the print up.
        if (!fits && (page == 0 || pageHasComment)) {
            ++page;
            designY = kContinuationTop;
            pageHasComment = false;
        }
        tabbedLine(page, designY, line);
        pageHasComment = true;
        designY += kLineStep;
    }
    layout.pageCount = page + 1;
    return layout;
}

} // namespace welkor
