// The window opening the report named on its command line, as the program
// does, then showing the report page with the comment memo. Prints the time
// from the start of the load to the painted page, the process's peak
// resident memory and whether the report was opened or refused (see
// bench/big_report).
#include "QuietDialogs.h"
#include "qtbase/ClockSource.h"
#include "gui/analysis/AnalysisPage.h"
#include "gui/app/Commands.h"
#include "gui/app/SecondTimer.h"
#include "gui/app/TWel_Kor.h"
#include "gui/output/OutputCommands.h"
#include "gui/plate/PlatePage.h"
#include "gui/reader/ReaderCommands.h"
#include "gui/report/ReportFiles.h"
#include "gui/report/ReportPage.h"
#include "gui/shell/ShellCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <cstdio>
#include <sys/resource.h>

using namespace welkor::gui;

namespace {

// Dialogs that decline every question and keep the error shown last.
class RecordingDialogs : public NoDialogs {
public:
    QString lastError;
    void error(const QString& message) override { lastError = message; }
};

long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    RecordingDialogs dialogs;
    SystemClock clock;
    TWel_Kor window(ProgramServices(&dialogs, &clock, argc, argv));
    const long startKiB = PeakKiB();
    QElapsedTimer timer;
    timer.start();
    window.show(); // FormShow opens the report named on the command line
    window.pcZakladki->setCurrentWidget(window.tsRaport);
    (void)window.tsRaport->grab(); // the report page with the comment memo, painted
    const qint64 ms = timer.elapsed();
    std::printf("window: %lld ms, peak %ld MiB (%ld MiB before the load), %s, comment memo %d lines\n",
                static_cast<long long>(ms), PeakKiB() / 1024, startKiB / 1024,
                dialogs.lastError.isEmpty() ? "opened" : "refused", window.tsRaport->mKomentarz->blockCount());
    if (!dialogs.lastError.isEmpty())
        std::printf("  %s\n", dialogs.lastError.section(QLatin1Char('\n'), -1).toLocal8Bit().constData());
    return 0;
}
