#include "gui/output/Logo.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

namespace welkor::gui {

QImage DrawLogo()
{
    QImage image(600, 250, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Drawn on a 720 x 300 plan.
    p.scale(image.width() / 720.0, image.height() / 300.0);

    const QColor darkGreen(0, 100, 0);
    const QColor paleGreen(230, 245, 230);

    // The emblem: a small 3 x 3 plate in a rounded frame, its wells shading
    // from white to green.
    const QRectF frame(16, 16, 230, 268);
    p.setPen(QPen(darkGreen, 10));
    p.setBrush(paleGreen);
    p.drawRoundedRect(frame, 30, 30);
    const qreal dx = frame.width() / 4;
    const qreal dy = frame.height() / 4;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            p.setPen(QPen(Qt::black, 3));
            p.setBrush(QColor(255 - 60 * (i + j), 255, 255 - 60 * (i + j)));
            p.drawEllipse(QPointF(frame.left() + dx * (j + 1), frame.top() + dy * (i + 1)), dx / 2.6, dx / 2.6);
        }
    }

    // The name, with a rule under it and the line of work below.
    QFont name;
    name.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
                      QStringLiteral("Times New Roman")});
    name.setBold(true);
    // As large as the space beside the emblem allows in the face at hand.
    for (int pixels = 110; pixels > 20; pixels -= 4) {
        name.setPixelSize(pixels);
        if (QFontMetrics(name).horizontalAdvance(QStringLiteral("Marvant")) <= 420)
            break;
    }
    p.setFont(name);
    p.setPen(darkGreen);
    p.drawText(QRectF(272, 30, 440, 140), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Marvant"));
    p.fillRect(QRectF(276, 176, 420, 8), darkGreen);

    QFont line;
    line.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    line.setPixelSize(40);
    p.setFont(line);
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRectF(276, 196, 440, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("mikropłytki"));
    p.end();
    return image;
}

QImage LoadLogo(const QString& directory)
{
    QFile file(QDir(directory).filePath(kLogoFileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A bitmap file by its name: no search through the image format plugins.
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    // The picture is printed at one pixel per 1/600 inch: anything bigger
    // than a sheet of paper is not a logo.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > 6000 || size.height() > 8000)
        return {};
    return reader.read();
}

} // namespace welkor::gui
