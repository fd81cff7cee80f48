// Draws the logo into the BMP file named by the first argument (24 bits per
// pixel), written in one step so a broken build never leaves half a picture.
#include "gui/output/Logo.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

using namespace welkor::gui;

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: marvant-logo <file.bmp>\n");
        return 2;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "marvant-logo: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    QImageWriter writer(&file, "bmp");
    if (!writer.write(DrawLogo().convertToFormat(QImage::Format_RGB888)) || !file.commit()) {
        std::fprintf(stderr, "marvant-logo: %s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
