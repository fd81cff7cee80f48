// reader_setup_child PORT: the set-up dialog with PORT typed and "Sprawdź
// połączenie" pressed prints what it says (line breaks as " | "), as a
// user who may or may not open the port.
#include "gui/reader/ReaderSetupDialog.h"
#include "serial/SerialReaderLink.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace welkor::gui;

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SerialReaderLink link(dir.filePath(QStringLiteral("welkor.ini")), QString());
    ReaderSetupDialog dialog(link, nullptr);
    dialog.show();
    QTest::keyClicks(dialog.ePort, QString::fromLocal8Bit(argv[1]));
    QTest::mouseClick(dialog.bSprawdz, Qt::LeftButton);
    std::printf("%s\n", dialog.lWynik->text().replace(QLatin1Char('\n'), QStringLiteral(" | ")).toUtf8().constData());
    return 0;
}
