#include "cli/PlateRendering.h"

#include "qtbase/QtText.h"
#include "qtbase/WellPainting.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

void Paint(QPainter& painter, const welkor::PlatePicture& picture)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const welkor::PictureCircle& circle : picture.circles)
        PaintWell(painter, QRectF(circle.x, circle.y, circle.size, circle.size), circle.look.fill,
                  circle.look.outline, circle.look.outlineWidth);

    // The window's face: the designed one where it exists, else the desktop's.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QGuiApplication::font().family()});
    font.setPixelSize(welkor::kPictureTextPixels);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const welkor::PictureText& text : picture.texts)
        painter.drawText(QRectF(text.x, text.y, picture.width - text.x, 2 * welkor::kPictureTextPixels),
                         Qt::AlignLeft | Qt::AlignTop, FromCp1250(text.text));
}

} // namespace

QByteArray PlatePng(const welkor::PlatePicture& picture, int zoom)
{
    QImage image(picture.width * zoom, picture.height * zoom, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(zoom, zoom);
        Paint(painter, picture);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray PlatePdf(const welkor::PlatePicture& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Welkor Lumo 1"));
        pdf.setTitle(QStringLiteral("Mikropłytka"));
        pdf.setResolution(300);
        // 96 page pixels to the inch, 72 points to the inch.
        pdf.setPageSize(QPageSize(QSizeF(picture.width * 0.75, picture.height * 0.75), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        painter.scale(pdf.resolution() / 96.0, pdf.resolution() / 96.0);
        Paint(painter, picture);
    }
    return bytes;
}
