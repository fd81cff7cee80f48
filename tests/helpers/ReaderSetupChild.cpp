// Opens the reader's set-up dialog, types the port given, presses "Sprawdź
// połączenie" and prints what the dialog says (line breaks as " | "): the
// other half of the test that runs the dialog as a user who may or may not
// open the port.
//   reader_setup_child PORT
#include "gui/reader/ReaderSetupDialog.h"
#include "gui/reader/SerialReaderLink.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

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
