#include "gui/output/PrintedReport.h"

#include "gui/widgets/Fonts.h"
#include "qtbase/UserError.h"
#include "qtbase/QtText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace welkor::gui {

QFont PrintFont(welkor::PrintFace face)
{
    QFont font = FontOf(face == welkor::PrintFace::Heading ? SerifFamilies() : WindowFamilies());
    font.setPointSize(face == welkor::PrintFace::Heading ? 14 : 8);
    return font;
}

QColor PrintColour(welkor::PrintFace face)
{
    return face == welkor::PrintFace::Heading ? QColor(0x00, 0x80, 0x00) : QColor(Qt::black);
}

welkor::PrintMetrics MeasurePrint(const QPaintDevice& device)
{
    // Font metrics of the device itself: points become its dots.
    const QFontMetrics body(PrintFont(welkor::PrintFace::Body), &device);
    welkor::PrintMetrics metrics;
    metrics.dpi = device.logicalDpiY();
    metrics.pageHeight = device.height();
    metrics.bodyLineHeight = body.height();
    metrics.bodyTabWidth = 8 * body.averageCharWidth();
    metrics.bodyTextWidth = [body](std::string_view text) {
        return body.horizontalAdvance(FromCp1250(std::string(text)));
    };
    return metrics;
}

void PaintPrintedReport(QPainter& painter, const welkor::PrintContent& content, const QImage& logo,
                        const std::function<bool()>& newPage)
{
    QPaintDevice* device = painter.device();
    const welkor::PrintLayout layout = welkor::LayOutPrint(content, MeasurePrint(*device));

    const QFont faces[] = {PrintFont(welkor::PrintFace::Heading), PrintFont(welkor::PrintFace::Body)};
    // Texts are placed by their top-left corner; Qt writes from the baseline.
    const qreal ascents[] = {QFontMetricsF(faces[0], device).ascent(), QFontMetricsF(faces[1], device).ascent()};

    // The layout lists its texts page by page.
    int page = 0;
    auto turnTo = [&](int next) {
        for (; page < next; ++page)
            if (!newPage())
                throw UserError(QStringLiteral("Nie udało się rozpocząć strony %1 wydruku.").arg(page + 2));
    };
    if (layout.logo && !logo.isNull())
        painter.drawImage(QRect(layout.logo->x, layout.logo->y, layout.logo->width, layout.logo->height), logo);
    for (const welkor::PlacedText& text : layout.texts) {
        turnTo(text.page);
        const auto face = static_cast<std::size_t>(text.face == welkor::PrintFace::Heading ? 0 : 1);
        painter.setFont(faces[face]);
        painter.setPen(PrintColour(text.face));
        painter.drawText(QPointF(text.x, text.y + ascents[face]), FromCp1250(text.text));
    }
    turnTo(layout.pageCount - 1);
}

} // namespace welkor::gui
