// The main window's controls: menus, toolbar, the three pages and the status
// bar, laid out as the users know them.
#include "gui/analysis/EditGrid.h"
#include "gui/app/TWel_Kor.h"
#include "gui/artwork/ToolbarIcons.h"
#include "gui/dial/TClock.h"
#include "gui/plate/PlateView.h"
#include "gui/widgets/CircleShape.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtMath>

namespace welkor::gui {

namespace {

// A hint "Tooltip|Status text" shows its first part as the tooltip and its
// second in the status bar; a hint without a bar serves for both.
template <class T> void SetHint(T* target, const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    target->setToolTip(bar < 0 ? hint : hint.left(bar));
    target->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QAction* AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QLabel* PlacedLabel(QWidget* parent, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// The green label at the right of the toolbar. Its text begins with blanks
// that only push the letters to the right; the bar makes room for the
// letters alone, so the label never goes into the bar's overflow menu.
class ToolbarLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override
    {
        const int letters = fontMetrics().horizontalAdvance(text().trimmed());
        const QMargins margins = contentsMargins();
        return QSize(letters + margins.left() + margins.right() + 2 * margin() + 2, QLabel::sizeHint().height());
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

} // namespace

void TWel_Kor::BuildActionsAndMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* pliki = bar->addMenu(QStringLiteral("Pliki"));
    Otwrz1 = AddItem(pliki, QStringLiteral("Otwórz raport"), QKeySequence(QStringLiteral("Ctrl+O")));
    Otwrz1->setIcon(MakeToolIcon(ToolIcon::Open));
    Zapisz1 = AddItem(pliki, QStringLiteral("Zapisz raport"), QKeySequence(QStringLiteral("Ctrl+S")));
    Zapisz1->setIcon(MakeToolIcon(ToolIcon::Save));
    pliki->addSeparator();
    Zapisz2 = AddItem(pliki, QStringLiteral("Eksportuj"), QKeySequence(QStringLiteral("Ctrl+E")));
    Zapisz2->setIcon(MakeToolIcon(ToolIcon::Export));
    pliki->addSeparator();
    Zapiszschemat1 = AddItem(pliki, QStringLiteral("Zapisz szablon"));
    Otwrzscchemat1 = AddItem(pliki, QStringLiteral("Otwórz szablon"));
    pliki->addSeparator();
    Ustawieniadrukowania1 = AddItem(pliki, QStringLiteral("Ustawienia drukowania"));
    PodgladWydruku1 = AddItem(pliki, QStringLiteral("Podgląd wydruku"));
    Drukuj1 = AddItem(pliki, QStringLiteral("Drukuj"), QKeySequence(QStringLiteral("Ctrl+P")));
    Drukuj1->setIcon(MakeToolIcon(ToolIcon::Print));
    pliki->addSeparator();
    Zamknij1 = AddItem(pliki, QStringLiteral("Zamknij"));
    Zamknij1->setIcon(MakeToolIcon(ToolIcon::Close));

    QMenu* dane = bar->addMenu(QStringLiteral("Dane"));
    Pobierz1 = AddItem(dane, QStringLiteral("Pobierz"));
    Pobierz1->setIcon(MakeToolIcon(ToolIcon::Fetch));
    dane->addSeparator();
    Przenie1 = AddItem(dane, QStringLiteral("Przenieś"));
    Przenie1->setIcon(MakeToolIcon(ToolIcon::Transfer));
    Analizuj1 = AddItem(dane, QStringLiteral("Analizuj"));
    Analizuj1->setIcon(MakeToolIcon(ToolIcon::Analyse));
    dane->addSeparator();
    Operator1 = AddItem(dane, QStringLiteral("Operator"));

    QMenu* edycja = bar->addMenu(QStringLiteral("Edycja"));
    Edycjatekstu1 = AddItem(edycja, QStringLiteral("Edycja tekstu"));
    Edycjatekstu1->setCheckable(true);
    Edycjakolorw1 = AddItem(edycja, QStringLiteral("Edycja kolorów"));
    Edycjakolorw1->setCheckable(true);
    edycja->addSeparator();
    Kolor1 = AddItem(edycja, QStringLiteral("Kolor"));
    Kolor1->setIcon(MakeToolIcon(ToolIcon::Colour));

    // The reader's command menu stays out of sight until a link to a reader
    // is configured.
    Narzdzia1 = bar->addMenu(QStringLiteral("Rozkazy"));
    QMenu* proste = Narzdzia1->addMenu(QStringLiteral("Proste"));
    UruchomTekst1 = AddItem(proste, QStringLiteral("Uruchom tekst"));
    Zatrzymajtekst1 = AddItem(proste, QStringLiteral("Zatrzymaj tekst"));
    Pytanie1 = AddItem(proste, QStringLiteral("Pytanie"));
    Potwierdzenie1 = AddItem(proste, QStringLiteral("Potwierdzenie"));
    Start1 = AddItem(proste, QStringLiteral("Start"));
    Stop1 = AddItem(proste, QStringLiteral("Stop"));
    Bezpotwierdzenia1 = AddItem(proste, QStringLiteral("Bez potwierdzenia"));
    QMenu* zlozone = Narzdzia1->addMenu(QStringLiteral("Złożone"));
    Pocztek1 = AddItem(zlozone, QStringLiteral("Początek...koniec"));
    Narzdzia1->menuAction()->setVisible(false);

    Narzdzia2 = bar->addMenu(QStringLiteral("Narzędzia"));
    Port1 = Narzdzia2->addMenu(QStringLiteral("Port"));
    AddItem(Port1, QStringLiteral("Com 1"));
    AddItem(Port1, QStringLiteral("Com 2"));
    AddItem(Port1, QStringLiteral("Com 3"));
    Narzdzia2->addSeparator();
    Rejestracjatypupliku1 = AddItem(Narzdzia2, QStringLiteral("Rejestracja typu pliku"));

    QMenu* pomoc = bar->addMenu(QStringLiteral("Pomoc"));
    Pomoc2 = AddItem(pomoc, QStringLiteral("Pomoc"));
    Indeks1 = AddItem(pomoc, QStringLiteral("Indeks"));
    pomoc->addSeparator();
    Stronafirmowa1 = AddItem(pomoc, QStringLiteral("Strona firmowa"));
    pomoc->addSeparator();
    OWelkor11 = AddItem(pomoc, QStringLiteral("O Welkor Lumo 1"));

    // Context menu of the tables.
    pmTabela = new QMenu(this);
    Edycja1 = AddItem(pmTabela, QStringLiteral("Edycja tekstu"));
    Edycja1->setCheckable(true);
    N8 = pmTabela->addSeparator();
    Kopiuj1 = AddItem(pmTabela, QStringLiteral("Kopiuj"));
    Zaznaczwszystko1 = AddItem(pmTabela, QStringLiteral("Kopiuj wszystko"));
    pmTabela->addSeparator();
    miZapisz = AddItem(pmTabela, QStringLiteral("Eksportuj"));
}

void TWel_Kor::BuildToolbar()
{
    QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1 = bar;
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(38);
    bar->setIconSize(QSize(16, 16));
    bar->toggleViewAction()->setVisible(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);

    auto button = [bar](const QString& caption, const QString& hint, ToolIcon icon) {
        auto* b = new QToolButton(bar);
        b->setText(caption);
        b->setIcon(MakeToolIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        // 51 wide as designed, wider only when the caption needs it.
        b->setFixedHeight(36);
        b->setMinimumWidth(51);
        SetHint(b, hint);
        bar->addWidget(b);
        return b;
    };
    tbPobierz = button(QStringLiteral("Pobierz"), QStringLiteral("Pobranie nowego pomiaru"), ToolIcon::Fetch);
    tbOtworzRaport = button(QStringLiteral("Otwórz"), QStringLiteral("Otwarcie raportu"), ToolIcon::Open);
    tbZapiszRaport = button(QStringLiteral("Zapisz"), QStringLiteral("Zapis raportu"), ToolIcon::Save);
    tbZapisz = button(QStringLiteral("Eksportuj"), QStringLiteral("Eksportowanie pliku"), ToolIcon::Export);
    auto* gap = new QWidget(bar);
    gap->setFixedWidth(8);
    bar->addWidget(gap);
    tbPrzenies = button(QStringLiteral("Przenieś"), QStringLiteral("Ponowne wpisanie danych do analizy"),
                        ToolIcon::Transfer);
    tbAnalizuj = button(QStringLiteral("Analizuj"), QStringLiteral("Analiza wyników"), ToolIcon::Analyse);
    tbKolor = button(QStringLiteral("Kolor"), QStringLiteral("Zmiana koloru szablonu"), ToolIcon::Colour);

    // The command number of the reader link stays out of sight with it.
    Label1 = new QLabel(QStringLiteral("Rozkaz:  "), bar);
    udNumer = new QSpinBox(bar);
    udNumer->setRange(0, 255);
    bar->addWidget(Label1)->setVisible(false);
    bar->addWidget(udNumer)->setVisible(false);

    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    lR = new ToolbarLabel(QStringLiteral("            ZUTE -  Karsk"), bar);
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("DejaVu Serif")});
    font.setPixelSize(29);
    lR->setFont(font);
    lR->setStyleSheet(QStringLiteral("color: #008000;"));
    lR->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addWidget(lR);
}

void TWel_Kor::BuildReportPage()
{
    tsRaport = new QWidget;
    auto* splitter = new QSplitter(Qt::Vertical, tsRaport);
    splitter->setHandleWidth(3);
    splitter->setChildrenCollapsible(false);
    mOdebrany = new QPlainTextEdit(splitter);
    mKomentarz = new QPlainTextEdit(splitter);
    // The report text comes from the file's lines 0-17 and is never saved from
    // here: it can be read, selected and copied, not edited.
    mOdebrany->setReadOnly(true);
    // The report's columns are tab-separated: a fixed-pitch font keeps the
    // values under their column numbers.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(8);
    mOdebrany->setFont(fixed);
    for (QPlainTextEdit* memo : {mOdebrany, mKomentarz}) {
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setTabStopDistance(8 * memo->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    }
    SetHint(mOdebrany, QStringLiteral("Pole raportu"));
    SetHint(mKomentarz, QStringLiteral("Pole komentarza"));
    mKomentarz->setPlainText(QStringLiteral("Komentarz"));
    // The report text has 15 lines: the memo shows every one of them above
    // its horizontal scroll bar without scrolling.
    const int reportLines = 15 * mOdebrany->fontMetrics().lineSpacing()
        + 2 * qCeil(mOdebrany->document()->documentMargin()) + 2 * mOdebrany->frameWidth()
        + mOdebrany->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mOdebrany) + 1;
    splitter->setSizes({qMax(217, reportLines), 300});
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(tsRaport);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    // Context menu of the report memo: the standard edit actions, each enabled
    // only when it applies at the moment the menu opens.
    pmTekst = new QMenu(this);
    // The items belong to the window: a hovered item's hint is sent to its
    // owner, and the window shows it in panel 0 (the menu, a window of its
    // own, would keep it to itself).
    auto textItem = [this](const QString& caption, const QKeySequence& shortcut) {
        auto* action = new QAction(caption, this);
        action->setShortcut(shortcut);
        pmTekst->addAction(action);
        return action;
    };
    QAction* copy = textItem(QStringLiteral("&Kopiuj"), QKeySequence(QStringLiteral("Ctrl+C")));
    QAction* paste = textItem(QStringLiteral("&Wklej"), QKeySequence(QStringLiteral("Ctrl+V")));
    QAction* cut = textItem(QStringLiteral("Wy&tnij"), QKeySequence(QStringLiteral("Ctrl+X")));
    QAction* erase = textItem(QStringLiteral("&Usuń"), QKeySequence(QKeySequence::Delete));
    QAction* selectAll = textItem(QStringLiteral("Zaznacz &Wszystko"), QKeySequence(QStringLiteral("Ctrl+A")));
    SetHint(copy, QStringLiteral("Copy|Copies the selection and puts it on the Clipboard"));
    SetHint(paste, QStringLiteral("Paste|Inserts Clipboard contents"));
    SetHint(cut, QStringLiteral("Cut|Cuts the selection and puts it on the Clipboard"));
    SetHint(erase, QStringLiteral("Delete|Erases the selection"));
    SetHint(selectAll, QStringLiteral("Select All|Selects the entire document"));
    // The memo handles the keys itself; the menu only shows them.
    for (QAction* a : pmTekst->actions())
        a->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, mOdebrany, &QPlainTextEdit::copy);
    connect(paste, &QAction::triggered, mOdebrany, &QPlainTextEdit::paste);
    connect(cut, &QAction::triggered, mOdebrany, &QPlainTextEdit::cut);
    connect(erase, &QAction::triggered, mOdebrany, [this] { mOdebrany->textCursor().removeSelectedText(); });
    connect(selectAll, &QAction::triggered, mOdebrany, &QPlainTextEdit::selectAll);
    mOdebrany->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mOdebrany, &QWidget::customContextMenuRequested, this,
            [this, copy, paste, cut, erase, selectAll](const QPoint& pos) {
                const bool selection = mOdebrany->textCursor().hasSelection();
                const bool writable = !mOdebrany->isReadOnly();
                copy->setEnabled(selection);
                cut->setEnabled(selection && writable);
                erase->setEnabled(selection && writable);
                paste->setEnabled(writable && mOdebrany->canPaste());
                selectAll->setEnabled(!mOdebrany->document()->isEmpty());
                pmTekst->exec(mOdebrany->mapToGlobal(pos));
            });
}

void TWel_Kor::BuildTablePage()
{
    tsTabela = new QWidget;
    auto* splitter = new QSplitter(Qt::Vertical, tsTabela);
    splitter->setHandleWidth(3);
    splitter->setChildrenCollapsible(false);
    sgDane = new StringGrid(1, splitter);
    sgDane->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SetHint(sgDane, QStringLiteral("Tabela wyników pomiaru"));
    sgEdycja = new EditGrid(splitter);
    SetHint(sgEdycja, QStringLiteral("Tabela edycji i analizy wyników"));
    QFont gridFont = sgEdycja->font();
    gridFont.setPixelSize(11);
    sgEdycja->setFont(gridFont);
    splitter->setSizes({228, 260});
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(tsTabela);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    for (StringGrid* grid : {sgDane, static_cast<StringGrid*>(sgEdycja)}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [this, grid](const QPoint& pos) { pmTabela->exec(grid->viewport()->mapToGlobal(pos)); });
    }
}

void TWel_Kor::BuildPlatePage()
{
    tsMikroplytka = new QWidget;
    QWidget* page = tsMikroplytka;

    // Legend.
    auto* gbLegenda = new QGroupBox(QStringLiteral("Legenda"), page);
    gbLegenda->setGeometry(568, 240, 153, 209);
    auto legendShape = [gbLegenda](int top, const QString& caption) {
        auto* shape = new CircleShape(gbLegenda);
        shape->setGeometry(16, top, 30, 30);
        PlacedLabel(gbLegenda, caption, 56, top + 8);
        return shape;
    };
    sPonizej = legendShape(32, QStringLiteral("Poniżej (UNDER)"));
    sPusta = legendShape(64, QStringLiteral("Pusta (BLANK)"));
    sPonad = legendShape(96, QStringLiteral("Ponad (OVER)"));
    sMaksymalna = legendShape(128, QStringLiteral("Maksymalna"));
    sMinimalna = legendShape(160, QStringLiteral("Minimalna"));

    // Scale switch.
    auto* gbTypPracy = new QGroupBox(QStringLiteral("Typ podglądu"), page);
    gbTypPracy->setGeometry(568, 168, 153, 65);
    cbZarzenie = new QCheckBox(QStringLiteral("Skala żarzenie"), gbTypPracy);
    cbZarzenie->setGeometry(24, 24, 120, 17);
    SetHint(cbZarzenie, QStringLiteral("Ustawia typ podglądu"));

    // Calibration.
    auto* GroupBox1 = new QGroupBox(QStringLiteral("Kalibracja"), page);
    GroupBox1->setGeometry(568, 16, 153, 145);
    // The bounds' labels are 60 wide; a wider bound widens its label (ShowBound).
    lGorna = PlacedLabel(GroupBox1, QString(13, QLatin1Char(' ')), 32, 16);
    lGorna->resize(60, lGorna->height());
    lGornaNr = PlacedLabel(GroupBox1, QString(9, QLatin1Char(' ')), 104, 16);
    lGornaNr->setFixedWidth(40);
    auto makeTrackBar = [GroupBox1](int top) {
        auto* bar = new QSlider(Qt::Horizontal, GroupBox1);
        bar->setGeometry(8, top, 89, 22);
        bar->setRange(0, 5000);
        bar->setPageStep(1);
        bar->setSingleStep(1);
        bar->setValue(77);
        bar->setTickPosition(QSlider::TicksAbove);
        bar->setTickInterval(500);
        return bar;
    };
    tbGorna = makeTrackBar(32);
    PlacedLabel(GroupBox1, QStringLiteral("Górna"), 104, 40);
    sZero = new CircleShape(GroupBox1);
    sZero->setGeometry(40, 60, 30, 30);
    PlacedLabel(GroupBox1, QStringLiteral("Zero"), 104, 68);
    lDolna = PlacedLabel(GroupBox1, QString(13, QLatin1Char(' ')), 32, 96);
    lDolna->resize(60, lDolna->height());
    lDolnaNr = PlacedLabel(GroupBox1, QString(12, QLatin1Char(' ')), 104, 96);
    lDolnaNr->setFixedWidth(40);
    tbDolna = makeTrackBar(112);
    PlacedLabel(GroupBox1, QStringLiteral("Dolna"), 104, 120);

    // The dial shows the time of day; the disc stands on the page's own colour.
    Clock1 = new TClock(page);
    Clock1->setGeometry(352, 344, 105, 113);
    Clock1->setClockSource(services_.clock);
    Clock1->setColorBack(welkor::kSystemButtonFace);
    Clock1->setAlarmZone(false);

    // The emblem.
    auto* iZnak = new QLabel(page);
    iZnak->setGeometry(24, 360, 74, 88);
    iZnak->setPixmap(MakeEmblem(QSize(74, 88), qApp->devicePixelRatio()));
    iZnak->setScaledContents(true);

    // The page as designed: the groups end at 721, the dial at 457. Smaller,
    // it scrolls (see BuildPages) instead of cutting its controls off.
    page->setMinimumSize(729, 457);
}

void TWel_Kor::BuildPages()
{
    pcZakladki = new QTabWidget(this);
    BuildReportPage();
    BuildTablePage();
    BuildPlatePage();
    pcZakladki->addTab(tsRaport, QStringLiteral("Raport"));
    pcZakladki->addTab(tsTabela, QStringLiteral("Tabela"));
    pcZakladki->addTab(tsMikroplytka, QStringLiteral("Mikropłytka"));
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

} // namespace welkor::gui
