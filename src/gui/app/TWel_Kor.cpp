// The frame: start-up, the command line, the status bar, the timer, and the
// handlers that hand each command to its page or command group.
#include "gui/app/TWel_Kor.h"

#include "gui/analysis/AnalysisPage.h"
#include "gui/app/Commands.h"
#include "gui/app/SecondTimer.h"
#include "gui/curve/StandardCurveDialog.h"
#include "gui/dial/TClock.h"
#include "gui/output/OutputCommands.h"
#include "gui/plate/PlatePage.h"
#include "gui/reader/ReaderCommands.h"
#include "gui/report/ReportFiles.h"
#include "gui/report/ReportPage.h"
#include "gui/shell/ShellCommands.h"
#include "gui/widgets/Fonts.h"
#include "qtbase/ClockSource.h"
#include "qtbase/ClockTexts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolButton>

namespace welkor::gui {

TWel_Kor::TWel_Kor(const WindowServices& services, QWidget* parent) : QMainWindow(parent), services_(services)
{
    setObjectName(QStringLiteral("Wel_Kor"));
    // Where the designed face is missing, the desktop's own sans face stands in.
    QFont font = FontOf(WindowFamilies());
    font.setPointSize(8);
    setFont(font);

    commands = std::make_unique<Commands>(*this, CommandTable(), [this](CommandHandler handler) { Command(handler); });
    BuildPages();
    BuildStatusBar();

    const ReportPages pages{*tsRaport, tsTabela, tsMikroplytka};
    files = std::make_unique<ReportFiles>(report, pages, services_, *this);
    output = std::make_unique<OutputCommands>(report, *files, *tsRaport, tsTabela, *commands->lR, services_);
    shell = std::make_unique<ShellCommands>(services_, *this);
    reader = std::make_unique<ReaderCommands>(report, *files, pages, *commands, *shell, services_, *this);

    connect(shell.get(), &ShellCommands::operatorChanged, this,
            [this](const QString& name) { sbPanels[4]->setText(QStringLiteral("Operator: ") + name); });
    timer = std::make_unique<SecondTimer>(*services_.clock);
    connect(timer.get(), &SecondTimer::tick, this, [this] { Guarded([this] { Timer1Timer(); }); });

    // Client area 742 x 545 below the menu bar, centred on the desktop; the
    // window never gets smaller than that (its pages would overlap). Only a
    // screen too small for it gets a smaller window, whose pages scroll.
    QSize designed(742, 545 + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        designed = designed.boundedTo(screen->availableGeometry().size());
    setMinimumSize(designed);
    resize(designed);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Guarded([this] { FormCreate(); });
    Guarded([this] { reader->ConnectReader(); });
    timer->Start();
}

TWel_Kor::~TWel_Kor() = default;

void TWel_Kor::BuildPages()
{
    pcZakladki = new QTabWidget(this);
    tsRaport = new ReportPage;
    pcZakladki->addTab(tsRaport, QStringLiteral("Raport"));
    // A page may be built from a click on its tab: its start-up steps run
    // under the error guard, as they did at start-up.
    pcZakladki->addTab(tsTabela.Place(
                           QSize(0, 0), [this] { return new AnalysisPage(report, *services_.dialogs); },
                           [this](AnalysisPage& page) { Guarded([&] { AnalysisPageReady(page); }); }),
                       QStringLiteral("Tabela"));
    pcZakladki->addTab(tsMikroplytka.Place(
                           PlatePage::kDesignedSize,
                           [this] { return new PlatePage(report, services_.clock, *services_.dialogs); },
                           [this](PlatePage& page) { Guarded([&] { PlatePageReady(page); }); }),
                       QStringLiteral("Mikropłytka"));
    // A window held smaller than the pages need (a small screen) scrolls
    // them; it never squeezes a page until its controls overlap.
    auto* pages = new QScrollArea(this);
    pages->setObjectName(QStringLiteral("pagesScrollArea"));
    pages->setFrameShape(QFrame::NoFrame);
    pages->setWidgetResizable(true);
    pages->setWidget(pcZakladki);
    setCentralWidget(pages);
}

void TWel_Kor::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setFixedHeight(19);
    const int widths[] = {220, 110, 110, 100, 50};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(bar);
        panel->setTextFormat(Qt::PlainText); // the operator's name and hints are shown as written
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setObjectName(QStringLiteral("sbPanel%1").arg(i));
        if (i < 4) {
            panel->setFixedWidth(widths[i]);
            bar->addWidget(panel);
        } else {
            panel->setMinimumWidth(widths[i]);
            bar->addWidget(panel, 1); // the last panel reaches the right edge
        }
        sbPanels[static_cast<std::size_t>(i)] = panel;
    }
}

void TWel_Kor::FormCreate()
{
    commands->ShowOnToolbar(commands->tbPobierz, false);
    commands->Pobierz1->setVisible(false);
    commands->Port1->menuAction()->setVisible(false);

    setWindowTitle(kProductCaption);
    commands->OWelkor11->setText(QStringLiteral("O Welkor Lumo 1"));

    files->WriteGridHeadings();
    // The menus show the edit grid's start-up mode before the page is built.
    AnalysisPage::ShowStartModes({commands->pmTabela, commands->Edycja1, commands->N8, commands->Edycjatekstu1,
                                  commands->Edycjakolorw1});

    shell->operatorName = shell->ReadOperatorName();

    const QDateTime dateNow = services_.clock->now();
    sbPanels[1]->setText(QStringLiteral("Data: ") + ShortDateText(QLocale::system(), dateNow.date()));
    const QDateTime timeNow = services_.clock->now();
    sbPanels[2]->setText(QStringLiteral("Czas: ") + LongTimeText(QLocale::system(), timeNow.time()));
    sbPanels[4]->setText(QStringLiteral("Operator: ") + shell->operatorName);

    // The logo is read at the first print (OutputCommands::Logo).
    pcZakladki->setCurrentWidget(tsRaport);
}

QString TWel_Kor::CommandLineFileName() const
{
    const QStringList& args = services_.arguments;
    QString name = (args.size() > 0 ? args[0] : QString()) + QLatin1Char(' ') + (args.size() > 1 ? args[1] : QString());
    qsizetype end = name.size();
    while (end > 0 && name[end - 1] <= QLatin1Char(' '))
        --end;
    name.truncate(end);
    return name;
}

// The start-up state of the page "Tabela", given when it is built: the
// report's grid, the edit grid in text mode, every template cell in the
// window colour.
void TWel_Kor::AnalysisPageReady(AnalysisPage& page)
{
    page.UseMenuItems({commands->pmTabela, commands->Edycja1, commands->N8, commands->Edycjatekstu1,
                       commands->Edycjakolorw1});
    connect(&page, &AnalysisPage::thresholdShown, this, [this](const QString& text, const QString& toolTip) {
        sbPanels[3]->setText(text);
        sbPanels[3]->setToolTip(toolTip);
    });
    page.ShowValuesInGrid();
    page.SetUpEditGrid();
    page.ApplyTemplateColours();
}

// The start-up state of the page "Mikropłytka": the wells and their labels,
// both bounds, the legend in the colour scale, the dial at the time of day.
void TWel_Kor::PlatePageReady(PlatePage& page)
{
    page.BuildPlate();
    page.ApplyLowerBound();
    page.ApplyUpperBound();
    page.UpdateLegend();
    page.SelectScale();
    page.glowScale = false;
    page.Clock1->ShowCurrentTime();
}

void TWel_Kor::BuildAllPages()
{
    tsTabela.get();
    tsMikroplytka.get();
}

void TWel_Kor::FormShow()
{
    const QString commandLineFileName = CommandLineFileName();
    const QString first = services_.arguments.isEmpty() ? QString() : services_.arguments.first();
    if (!first.isEmpty() && first != services_.executablePath) {
        BuildAllPages(); // as for a command: the report goes onto pages as they stood at start-up
        files->LoadReport(commandLineFileName);
    }
}

void TWel_Kor::FormPaint()
{
    if (tsTabela.built())
        tsTabela->FormPaint();
}

void TWel_Kor::Timer1Timer()
{
    // One reading of the clock: at midnight the date and the time agree.
    const QDateTime now = services_.clock->now();
    const QLocale locale = QLocale::system();
    sbPanels[1]->setText(QStringLiteral("Data: ") + ShortDateText(locale, now.date()));
    sbPanels[2]->setText(QStringLiteral("Czas: ") + LongTimeText(locale, now.time()));
    if (tsMikroplytka.built()) // a dial built later starts at the time of day
        tsMikroplytka->Clock1->ShowCurrentTime();
}

void TWel_Kor::Zamknij1Click() { close(); }

void TWel_Kor::CommitOpenEditors()
{
    if (tsTabela.built())
        tsTabela->CommitOpenEditors();
}

// ---- Commands ---------------------------------------------------------------------

void TWel_Kor::Otwrz1Click() { files->Otwrz1Click(); }
void TWel_Kor::Zapisz1Click() { files->Zapisz1Click(); }
void TWel_Kor::Zapisz2Click() { output->Zapisz2Click(); }
void TWel_Kor::Zapiszschemat1Click() { tsTabela->Zapiszschemat1Click(); }
void TWel_Kor::Otwrzscchemat1Click() { tsTabela->Otwrzscchemat1Click(); }
void TWel_Kor::Ustawieniadrukowania1Click() { output->Ustawieniadrukowania1Click(); }
void TWel_Kor::PodgladWydruku1Click() { output->PodgladWydruku1Click(); }
void TWel_Kor::Drukuj1Click() { output->Drukuj1Click(); }
void TWel_Kor::tbPrzeniesClick() { tsTabela->tbPrzeniesClick(); }
void TWel_Kor::tbAnalizujClick() { tsTabela->tbAnalizujClick(); }
void TWel_Kor::Operator1Click() { shell->Operator1Click(); }
void TWel_Kor::Edycjatekstu1Click() { tsTabela->Edycjatekstu1Click(); }
void TWel_Kor::Edycjakolorw1Click() { tsTabela->Edycjakolorw1Click(); }
void TWel_Kor::tbKolorClick() { tsTabela->tbKolorClick(); }
void TWel_Kor::UruchomTekst1Click() { reader->UruchomTekst1Click(); }
void TWel_Kor::Zatrzymajtekst1Click() { reader->Zatrzymajtekst1Click(); }
void TWel_Kor::Pytanie1Click() { reader->Pytanie1Click(); }
void TWel_Kor::Potwierdzenie1Click() { reader->Potwierdzenie1Click(); }
void TWel_Kor::Start1Click() { reader->Start1Click(); }
void TWel_Kor::Stop1Click() { reader->Stop1Click(); }
void TWel_Kor::Bezpotwierdzenia1Click() { reader->Bezpotwierdzenia1Click(); }
void TWel_Kor::Pocztek1Click() { reader->Pocztek1Click(); }
void TWel_Kor::Czytnik1Click() { reader->Czytnik1Click(); }
void TWel_Kor::Rejestracjatypupliku1Click() { shell->Rejestracjatypupliku1Click(); }

void TWel_Kor::Krzywastandardowa1Click()
{
    // The dialog reads the report as it stands, with what was just typed.
    files->TakeTypedWork();
    StandardCurveDialog dialog(report, *services_.dialogs, files->ReportFile(), this);
    services_.dialogs->runModal(dialog);
}
void TWel_Kor::Pomoc2Click() { shell->Pomoc2Click(); }
void TWel_Kor::Indeks1Click() { shell->Indeks1Click(); }
void TWel_Kor::Stronafirmowa1Click() { shell->Stronafirmowa1Click(); }
void TWel_Kor::OWelkor11Click() { shell->OWelkor11Click(); }
void TWel_Kor::Edycja1Click() { tsTabela->Edycja1Click(); }
void TWel_Kor::Kopiuj1Click() { output->Kopiuj1Click(); }
void TWel_Kor::Zaznaczwszystko1Click() { output->Zaznaczwszystko1Click(); }

// ---- Window events ------------------------------------------------------------------

bool TWel_Kor::event(QEvent* event)
{
    // Hints go to the first status panel, not over the whole bar.
    if (event->type() == QEvent::StatusTip) {
        if (!sbPanels[0])
            return true;
        sbPanels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TWel_Kor::closeEvent(QCloseEvent* event)
{
    // Should the question itself fail, the window stays open.
    bool close = false;
    Guarded([&] { close = files->ConfirmDiscardUnsavedWork(ReportFiles::UnsavedScope::ReportAndTemplate); });
    if (close)
        event->accept();
    else
        event->ignore();
}

void TWel_Kor::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    Guarded([this] { FormPaint(); });
}

void TWel_Kor::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        Guarded([this] { FormShow(); });
    }
}

} // namespace welkor::gui
