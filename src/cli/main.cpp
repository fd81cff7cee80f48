// welkor-lumo-cli: the window program's results without the window.
#include "cli/CliCommands.h"
#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>

int main(int argc, char* argv[])
{
    // Arguments are file names as the system's bytes, whatever the bytes
    // (see FileNameFromBytes); Windows hands over its own code page.
    QStringList args;
    for (int i = 1; i < argc; ++i)
#ifdef Q_OS_WIN
        args.push_back(QString::fromLocal8Bit(argv[i]));
#else
        args.push_back(FileNameFromBytes(QByteArray(argv[i])));
#endif

    // Qt's own notes (a missing runtime folder, font substitutions) are no
    // business of a batch; only its real failures are told.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toLocal8Bit().constData() << '\n';
    });

    // Only a picture needs fonts and painting; it never needs a display.
    std::unique_ptr<QCoreApplication> app;
    if (!args.isEmpty() && CommandDraws(args.first())) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    Console console;
    try {
        return RunCommandLine(args, console);
    } catch (const UsageError& e) {
        console.Message(e.message());
        console.Message(QStringLiteral("Pomoc: welkor-lumo-cli --help"));
        return kExitUsage;
    } catch (const UserError& e) {
        console.Message(e.message());
    } catch (const std::bad_alloc&) {
        console.Message(QStringLiteral("Za mało pamięci, by dokończyć tę czynność."));
    } catch (const std::exception& e) {
        console.Message(QString::fromLocal8Bit(e.what()));
    }
    return kExitRefused;
}
