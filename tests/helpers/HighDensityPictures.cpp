// Shows the window with a report on a screen of high density (run it with
// QT_SCALE_FACTOR=2 on the offscreen platform) and writes the pictures the
// program draws itself as the screen shows them, one PNG each, into the
// folder named: the other half of the high-density test. Prints the
// screen's device pixel ratio.
#include "gui/analysis/EditGrid.h"
#include "gui/app/ClockSource.h"
#include "gui/app/Dialogs.h"
#include "gui/app/TOWelkor1.h"
#include "gui/app/TWel_Kor.h"
#include "gui/dial/TClock.h"
#include "gui/plate/PlateView.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>

#include <cstdio>

namespace {

class NoDialogs : public Dialogs {
public:
    bool openFile(FileDialogState&) override { return false; }
    bool saveFile(FileDialogState&) override { return false; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    SaveChoice askSaveChanges(const QString&) override { return SaveChoice::Cancel; }
    void information(const QString&) override {}
    void error(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    std::optional<std::uint32_t> chooseColour(std::uint32_t) override { return std::nullopt; }
    void printerSetup(QPrinter&, const QString&) override {}
    void printPreview(QPrinter&, const QString&, const std::function<void(QPrinter&)>&) override {}
};

class TenPastTen : public ClockSource {
public:
    QDateTime now() override { return QDateTime(QDate(2026, 12, 8), QTime(10, 8, 30)); }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    NoDialogs dialogs;
    TenPastTen clock;
    WindowServices services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.executableDir = out.path();
    services.executablePath = out.filePath(QStringLiteral("welkor-lumo"));
    services.userConfigDir = out.filePath(QStringLiteral("config"));
    services.arguments = {QString::fromLocal8Bit(argv[2])};
    TWel_Kor window(services);
    window.show();
    QCoreApplication::processEvents();

    bool written = true;
    auto save = [&](const QImage& picture, const char* name) {
        written = picture.save(out.filePath(QString::fromLatin1(name))) && written;
    };
    window.pcZakladki->setCurrentWidget(window.tsMikroplytka);
    QCoreApplication::processEvents();
    save(window.Clock1->grab().toImage(), "dial.png");
    save(window.Clock1->faceImage(), "dial-face.png");
    save(window.plateView->grab().toImage(), "plate.png");
    for (QLabel* label : window.tsMikroplytka->findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            save(label->grab().toImage(), "emblem.png");
    // The toolbar's icon as its button asks for it at the screen's density.
    save(window.tbKolor->icon()
             .pixmap(window.tbKolor->iconSize(), window.tbKolor->devicePixelRatioF())
             .toImage(),
         "icon.png");
    window.pcZakladki->setCurrentWidget(window.tsTabela);
    QCoreApplication::processEvents();
    save(window.sgEdycja->viewport()->grab().toImage(), "grid.png");
    TOWelkor1 about(&window);
    about.ShowProduct(QStringLiteral("Welkor Lumo 1"));
    about.show();
    QCoreApplication::processEvents();
    save(about.iZnak->grab().toImage(), "about-emblem.png");

    std::printf("%g\n", window.Clock1->devicePixelRatioF());
    return written ? 0 : 1;
}
