// Start-up, the command line, the timer and the wiring of every control to its
// handler. The handlers themselves live in one file per subsystem.
#include "gui/app/TWel_Kor.h"

#include <QFileInfo>

#include "core/app/OperatorFile.h"
#include "gui/analysis/EditGrid.h"
#include "qtbase/FileIO.h"
#include "qtbase/ClockTexts.h"
#include "qtbase/OperatorIni.h"
#include "gui/dial/TClock.h"
#include "gui/output/Logo.h"
#include "gui/widgets/StringGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace welkor::gui {

WindowServices ProgramServices(Dialogs* dialogs, ClockSource* clock, int argc, char* argv[])
{
    WindowServices services;
    services.dialogs = dialogs;
    services.clock = clock;
    const OperatorIniPlaces places = OperatorIniPlaces::OfThisProgram();
    services.executableDir = places.executableDir;
    services.executablePath = QCoreApplication::applicationFilePath();
    services.userConfigDir = places.userDir;
    // Raw arguments: a path with a blank that arrives in two pieces is joined
    // again by the window. On Windows argv holds the ANSI code page, which
    // loses characters of a registered document's path; Qt reads the wide
    // command line instead.
#ifdef Q_OS_WIN
    Q_UNUSED(argv);
    services.arguments = QCoreApplication::arguments().mid(1, argc - 1);
#else
    // A file's name is its bytes, whatever they are (see FileNameFromBytes).
    for (int i = 1; i < argc; ++i)
        services.arguments.push_back(FileNameFromBytes(QByteArray(argv[i])));
#endif
    return services;
}

TWel_Kor::TWel_Kor(const WindowServices& services, QWidget* parent) : QMainWindow(parent), services_(services)
{
    setObjectName(QStringLiteral("Wel_Kor"));
    // Where the designed face is missing, the desktop's own sans face stands in
    // (named, so no fallback search runs at start-up).
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QApplication::font().family()});
    font.setPointSize(8);
    setFont(font);

    OD = {QStringLiteral("Otwieranie wyników"), QString(), QStringLiteral("txt"), QString()};
    SD = {QStringLiteral("Zapis wyników"), QString(), QStringLiteral("txt"), QStringLiteral("Pomiar")};
    SDSchem = {QStringLiteral("Zapis szablon"), QStringLiteral("Szablon analizy (*.sza)"), QStringLiteral("sza"),
               QStringLiteral("Szablon")};
    ODSchem = {QStringLiteral("Otwieranie wyników"), QStringLiteral("Szablon analizy (*.sza)"), QStringLiteral("sza"),
               QString()};

    BuildActionsAndMenus();
    BuildToolbar();
    BuildPages();
    BuildStatusBar();
    WireGridEvents();
    WireShellCommands();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] {
        Guarded([this] { Timer1Timer(); });
        KeepTimer1OnTheSecond();
    });
    Timer1Phase = new QTimer(this);
    Timer1Phase->setSingleShot(true);
    Timer1Phase->setTimerType(Qt::PreciseTimer);
    connect(Timer1Phase, &QTimer::timeout, this, [this] {
        Timer1->start(); // its ticks fall on the second from now on
        Guarded([this] { Timer1Timer(); });
    });

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
    Guarded([this] { ConnectReader(); });
    Timer1->start();
    KeepTimer1OnTheSecond();
}

void TWel_Kor::KeepTimer1OnTheSecond()
{
    // The second hand and the time panel must never skip or repeat a second:
    // each tick is due a few milliseconds after a whole second of the clock
    // the window shows. When a tick is off that mark (at start, after a busy
    // moment or a clock change) Timer1 is started again on the next second.
    // Dropping the milliseconds rounds the wait up, never down.
    constexpr int kPastTheSecond = 5;
    constexpr int kLateness = 50;
    if (Timer1->interval() != 1000 || Timer1Phase->isActive())
        return;
    const int msec = std::clamp(services_.clock->now().time().msec(), 0, 999);
    if (msec >= kPastTheSecond && msec <= kPastTheSecond + kLateness)
        return;
    Timer1Phase->start(1000 - msec + kPastTheSecond);
}

TWel_Kor::~TWel_Kor() = default;

void TWel_Kor::WireGridEvents()
{
    auto on = [this](auto* sender, auto signal, auto handler) {
        connect(sender, signal, this, [this, handler](auto... args) { Guarded([&] { (this->*handler)(args...); }); });
    };
    // Commands. Each first ends an open cell editor, so what the user typed
    // is in the grid before the command reads it.
    auto command = [this](auto* sender, auto signal, void (TWel_Kor::*handler)()) {
        connect(sender, signal, this, [this, handler] { Command([&] { (this->*handler)(); }); });
    };
    command(Otwrz1, &QAction::triggered, &TWel_Kor::Otwrz1Click);
    command(tbOtworzRaport, &QToolButton::clicked, &TWel_Kor::Otwrz1Click);
    command(Zapisz1, &QAction::triggered, &TWel_Kor::Zapisz1Click);
    command(tbZapiszRaport, &QToolButton::clicked, &TWel_Kor::Zapisz1Click);
    command(Zamknij1, &QAction::triggered, &TWel_Kor::Zamknij1Click);
    command(Przenie1, &QAction::triggered, &TWel_Kor::tbPrzeniesClick);
    command(tbPrzenies, &QToolButton::clicked, &TWel_Kor::tbPrzeniesClick);
    command(Analizuj1, &QAction::triggered, &TWel_Kor::tbAnalizujClick);
    command(tbAnalizuj, &QToolButton::clicked, &TWel_Kor::tbAnalizujClick);
    command(Kolor1, &QAction::triggered, &TWel_Kor::tbKolorClick);
    command(tbKolor, &QToolButton::clicked, &TWel_Kor::tbKolorClick);
    command(Edycja1, &QAction::triggered, &TWel_Kor::Edycja1Click);
    command(Edycjatekstu1, &QAction::triggered, &TWel_Kor::Edycjatekstu1Click);
    command(Edycjakolorw1, &QAction::triggered, &TWel_Kor::Edycjakolorw1Click);
    command(Zapiszschemat1, &QAction::triggered, &TWel_Kor::Zapiszschemat1Click);
    command(Otwrzscchemat1, &QAction::triggered, &TWel_Kor::Otwrzscchemat1Click);
    command(Zapisz2, &QAction::triggered, &TWel_Kor::Zapisz2Click);
    command(tbZapisz, &QToolButton::clicked, &TWel_Kor::Zapisz2Click);
    command(miZapisz, &QAction::triggered, &TWel_Kor::Zapisz2Click);
    command(Kopiuj1, &QAction::triggered, &TWel_Kor::Kopiuj1Click);
    command(Zaznaczwszystko1, &QAction::triggered, &TWel_Kor::Zaznaczwszystko1Click);
    command(Ustawieniadrukowania1, &QAction::triggered, &TWel_Kor::Ustawieniadrukowania1Click);
    command(PodgladWydruku1, &QAction::triggered, &TWel_Kor::PodgladWydruku1Click);
    command(Drukuj1, &QAction::triggered, &TWel_Kor::Drukuj1Click);

    // Grids.
    on(sgDane, &StringGrid::selectCell, &TWel_Kor::sgDaneSelectCell);
    connect(sgDane, &StringGrid::mouseDown, this, [this] { Guarded([this] { sgDaneMouseDown(); }); });
    on(sgEdycja, &StringGrid::selectCell, &TWel_Kor::sgEdycjaSelectCell);
    connect(sgEdycja, &StringGrid::mouseDown, this, [this] { Guarded([this] { sgEdycjaMouseDown(); }); });
    connect(sgEdycja, &StringGrid::mouseUp, this, [this] { Guarded([this] { sgEdycjaMouseUp(); }); });
    connect(sgEdycja, &QAbstractItemView::clicked, this, [this] { Guarded([this] { sgEdycjaClick(); }); });
    // The copy range follows what each grid shows selected (after the cell
    // selection above has moved the first corner).
    for (StringGrid* grid : {sgDane, static_cast<StringGrid*>(sgEdycja)}) {
        auto follow = [this, grid] { Guarded([this, grid] { FollowSelection(*grid); }); };
        connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, follow);
        connect(grid, &StringGrid::selectCell, this, follow);
    }

    // Plate page.
    connect(cbZarzenie, &QCheckBox::clicked, this, [this] { Guarded([this] { cbZarzenieClick(); }); });
    connect(tbGorna, &QSlider::valueChanged, this, [this] { Guarded([this] { tbGornaChange(); }); });
    connect(tbDolna, &QSlider::valueChanged, this, [this] { Guarded([this] { tbDolnaChange(); }); });
}

void TWel_Kor::FormCreate()
{
    // A widget on a tool bar is shown and hidden through its action.
    for (QAction* action : ToolBar1->actions())
        if (ToolBar1->widgetForAction(action) == tbPobierz)
            action->setVisible(false);
    Pobierz1->setVisible(false);
    Port1->menuAction()->setVisible(false);

    setWindowTitle(productCaption);
    OWelkor11->setText(QStringLiteral("O Welkor Lumo 1"));
    columnCount = 12;
    rowCount = 8;

    BuildPlate(tsMikroplytka);
    WriteGridHeadings();
    ApplyLowerBound();
    ApplyUpperBound();

    operatorName = ReadOperatorName();

    const QDateTime dateNow = services_.clock->now();
    sbPanels[1]->setText(QStringLiteral("Data: ") + ShortDateText(QLocale::system(), dateNow.date()));
    const QDateTime timeNow = services_.clock->now();
    sbPanels[2]->setText(QStringLiteral("Czas: ") + LongTimeText(QLocale::system(), timeNow.time()));
    sbPanels[4]->setText(QStringLiteral("Operator: ") + operatorName);

    UpdateLegend();
    SelectScale();
    glowScale = false;

    textMode = true;
    Edycja1->setChecked(true);
    Edycjatekstu1->setChecked(true);
    ApplyTextMode();

    CellWidth = StringGrid::kColumnPitch;
    CellHeight = StringGrid::kRowPitch;
    TemplatePicture = CellPicture(); // white
    CellBrush = QImage(CellPicture::kCellWidth, CellPicture::kCellHeight, QImage::Format_RGB32);
    sgEdycja->setTemplatePicture(&TemplatePicture);

    PaintColour = welkor::kSystemWindow;
    FillCellBrush(PaintColour);
    CellColours = welkor::DefaultCellColours();
    MarkTemplateSaved();

    Clock1->ShowCurrentTime();

    // Only printing needs the logo: without it the report prints without one.
    // An installed program finds it under share (see DataFilePath).
    logoBitmap = LoadLogo(QFileInfo(DataFilePath(kLogoFileName)).absolutePath());

    pcZakladki->setCurrentWidget(tsRaport);
}

QString TWel_Kor::ReadOperatorName()
{
    // A file that cannot be read (too large, not a file) is reported, and
    // start-up goes on with the name of no file.
    try {
        return ReadOperatorIni({services_.userConfigDir, services_.executableDir});
    } catch (const UserError& e) {
        ShowError(e.message());
        return FromCp1250(welkor::OperatorNameFrom(std::nullopt));
    }
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

void TWel_Kor::FormShow()
{
    ApplyTemplateColours();
    commandLineFileName = CommandLineFileName();
    const QString first = services_.arguments.isEmpty() ? QString() : services_.arguments.first();
    if (!first.isEmpty() && first != services_.executablePath)
        LoadReport(commandLineFileName);
}

void TWel_Kor::Timer1Timer()
{
    sbPanels[1]->setText(QStringLiteral("Data: ") + ShortDateText(QLocale::system(), services_.clock->now().date()));
    sbPanels[2]->setText(QStringLiteral("Czas: ") + LongTimeText(QLocale::system(), services_.clock->now().time()));
    Clock1->ShowCurrentTime();
}

void TWel_Kor::Zamknij1Click() { close(); }

void TWel_Kor::CommitOpenEditors()
{
    sgDane->commitOpenEditor();
    sgEdycja->commitOpenEditor();
}

void TWel_Kor::ShowError(const QString& message) { services_.dialogs->error(message); }

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
