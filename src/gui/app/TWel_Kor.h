#pragma once

#include "core/analysis/CutoffAnalysis.h"
#include "core/analysis/TemplateFile.h"
#include "core/document/ReportDocument.h"
#include "core/output/PrintLayout.h"
#include "core/plate/PlateLooks.h"
#include "core/plate/TKonwersjaKoloru.h"
#include "core/reader/ReaderCommands.h"
#include "core/report/ReportTypes.h"
#include "core/text/Error.h"
#include "gui/analysis/CellPicture.h"
#include "qtbase/ClockSource.h"
#include "gui/dialogs/Dialogs.h"
#include "qtbase/UserError.h"
#include "qtbase/QtText.h"

#include <QImage>
#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;

namespace welkor::gui {

class CircleShape;
class DesktopShell;
class EditGrid;
class HelpViewer;
class PlateView;
class ReaderLink;
class StringGrid;
class TClock;

// What the window needs from its surroundings; tests pass fakes.
struct WindowServices {
    Dialogs* dialogs = nullptr;
    ClockSource* clock = nullptr;
    QString executableDir;  // Operator.ini, the logo and the help file live here
    QString executablePath; // the running program's own full path
    QStringList arguments;  // command-line arguments, program name excluded
    QString userConfigDir;  // the user's Operator.ini, read before the one beside the program
    DesktopShell* shell = nullptr; // file-type registration, web browser; null: the running desktop
    ReaderLink* reader = nullptr; // the line to the plate reader; none when null
};

// The services of the running program: its own directory and path, and the
// arguments after the program name.
WindowServices ProgramServices(Dialogs* dialogs, ClockSource* clock, int argc, char* argv[]);

// The main window. It owns the whole program state for the run. Handlers carry
// the names of the controls and events they serve; each is a few lines that
// call the core and show the result. The implementation is spread over one
// file per subsystem (report, plate, template, analysis).
//
// Members are public so tests can drive the handlers and read the controls
// exactly as a user would see them.
class TWel_Kor : public QMainWindow {
    Q_OBJECT
public:
    explicit TWel_Kor(const WindowServices& services, QWidget* parent = nullptr);
    ~TWel_Kor() override;

    // Runs one handler inside the error guard: a failing step ends the
    // handler, its message is shown and the program carries on.
    template <class F> void Guarded(F&& handler);

    // Runs a command (menu item, toolbar button, shortcut): an open cell
    // editor is ended first, keeping its text, then the handler runs guarded.
    template <class F> void Command(F&& handler)
    {
        CommitOpenEditors();
        Guarded(std::forward<F>(handler));
    }
    void CommitOpenEditors();

    // ---- Start-up, window, timer ------------------------------------------
    void FormCreate();
    void FormShow();
    void FormPaint();
    void Timer1Timer();
    void Zamknij1Click();
    QString CommandLineFileName() const;

    // ---- Reports ------------------------------------------------------------
    void Otwrz1Click();
    void Zapisz1Click();
    void LoadReport(const QString& fileName);
    void WriteGridHeadings();
    void FillPlaceholder(std::uint8_t columns, std::uint8_t rows);
    void RebuildReportText();
    void ShowValuesInGrid();
    // The memos and both grids show the report as it now stands.
    void ShowReport();
    // What the user typed into the comment memo and the edit grid goes into
    // the report before a command reads it.
    void TakeTypedWork();
    QStringList CommentMemoLines() const;
    // Characters of the comment or the edit grid that code page 1250 cannot
    // hold would become "?" in the file: the user is asked first ("Uwaga!",
    // naming them, the kind of file and what goes ahead). True when nothing
    // would change or the user agreed.
    bool AcceptUnstorableCharacters(const QString& fileKind, const QString& goAhead);
    // The "Uwaga!" question before a file is replaced; a directory is refused.
    bool ConfirmOverwrite(const QString& fileName);
    // The same before a report is saved: when the file is the report's own
    // and another program changed it since it was opened or saved here, the
    // question says so.
    bool ConfirmReplaceReport(const QString& fileName);
    // The name a save dialog offers: the current report's own, with the
    // command's extension, in its folder; a report in no file yet (a fetch)
    // is offered "Pomiar" in the folder used last, else the home folder.
    QString OfferedFileName(const QString& extension) const;
    // The file the report was opened from or saved to last (absolute);
    // empty for a fetched report and before any.
    const QString& ReportFile() const { return reportFile_; }
    void sgDaneSelectCell(int column, int row);
    void sgDaneMouseDown();

    // ---- Unsaved work -----------------------------------------------------------
    // The lines a report save would write now (empty without a report).
    welkor::ReportLines CurrentSaveDocument() const;
    // The report as the file `fileName` now holds it (opened or saved);
    // `fileBytes` are the file's bytes, to tell a change another program
    // makes to it later.
    void MarkReportSaved(welkor::ReportLines document, const QString& fileName, std::string_view fileBytes);
    void MarkReportUnsaved(); // a report that has never been saved (a fetch)
    bool ReportHasUnsavedChanges() const;
    void MarkTemplateSaved();
    bool TemplateHasUnsavedChanges() const;
    // Asks "Zapisać zmiany?" when there is unsaved work in what the coming
    // step would throw away; false when the user keeps it (Anuluj, or a save
    // that was cancelled or failed).
    enum class UnsavedScope { Report, ReportAndTemplate };
    bool ConfirmDiscardUnsavedWork(UnsavedScope scope);

    // ---- Plate view and calibration ----------------------------------------
    void BuildPlate(QWidget* page);
    void RecolourPlate();
    void UpdateLegend();
    void SelectScale();
    void cbZarzenieClick();
    void FindRange();
    void ApplyLowerBound();
    void ApplyUpperBound();
    void tbDolnaChange();
    void tbGornaChange();

    // ---- Template edit grid and template files -----------------------------
    void ApplyTextMode();
    void FillCellBrush(welkor::Colour colour);
    void PaintTemplateCell(int column, int row);
    void RefreshTemplateOverlay();
    void DrawTemplateTexts();
    void ApplyTemplateColours();
    void CopyValuesToEditGrid();
    void sgEdycjaSelectCell(int column, int row);
    void sgEdycjaMouseDown();
    void sgEdycjaMouseUp();
    void sgEdycjaClick();
    void Edycja1Click();
    void Edycjatekstu1Click();
    void Edycjakolorw1Click();
    void tbKolorClick();
    void tbPrzeniesClick();
    void Zapiszschemat1Click();
    void Otwrzscchemat1Click();

    // ---- Analysis -----------------------------------------------------------
    void tbAnalizujClick();
    // Status panel 3 without a threshold (and without its tool tip).
    void ClearThreshold();

    // ---- Operator, desktop, help, about box --------------------------------
    void Operator1Click();
    void Rejestracjatypupliku1Click();
    void Pomoc2Click();
    void Indeks1Click();
    void Stronafirmowa1Click();
    void OWelkor11Click();
    // A file shipped with the program: beside it, or where an installation
    // puts it (../share/welkor-lumo); the first path when neither has it.
    QString DataFilePath(const QString& name) const;
    HelpViewer* helpViewer = nullptr; // made at the first "Pomoc" or "Indeks"

    // ---- Output: export, clipboard, printing -------------------------------
    void Zapisz2Click();
    void ExportResults();
    void Kopiuj1Click();
    void Zaznaczwszystko1Click();
    void CopyRangeToClipboard();
    // The second corner follows the grid's visible selection; the first
    // corner stays the cell selected last.
    void FollowSelection(const StringGrid& grid);
    void Drukuj1Click();
    void Ustawieniadrukowania1Click();
    void PodgladWydruku1Click();
    // The printer the next print goes to, with what the set-up chose; its
    // document name is that of the PDF file below.
    QPrinter& Printer();
    // The PDF a print to a file is offered as: the report's name with
    // ".pdf" in the report's folder ("raport.pdf" in the home folder while
    // the report is in no file).
    QString OfferedPdfFile() const;
    // What a print shows: the label, the report lines, the comment, the logo's size.
    welkor::PrintContent PrintedContent() const;
    // Prints on `printer`; `pdfFile` names the file a draft is written for.
    void PrintPages(QPrinter& printer, const QString& pdfFile = {});

    // ---- Plate reader ---------------------------------------------------------
    void ConnectReader();
    void UruchomTekst1Click();
    void Zatrzymajtekst1Click();
    void Pytanie1Click();
    void Potwierdzenie1Click();
    void Start1Click();
    void Stop1Click();
    void Bezpotwierdzenia1Click();
    void Pocztek1Click();
    bool FetchFromReader(); // true when a transmission replaced the report
    void Port1Popup();

    // ---- Controls -----------------------------------------------------------
    QTabWidget* pcZakladki = nullptr;
    QWidget* tsRaport = nullptr;
    QWidget* tsTabela = nullptr;
    QWidget* tsMikroplytka = nullptr;
    QPlainTextEdit* mOdebrany = nullptr;
    QPlainTextEdit* mKomentarz = nullptr;
    StringGrid* sgDane = nullptr;
    EditGrid* sgEdycja = nullptr;
    QMenu* pmTekst = nullptr;
    QMenu* pmTabela = nullptr;
    std::array<QLabel*, 5> sbPanels{};
    QTimer* Timer1 = nullptr;
    QTimer* Timer1Phase = nullptr; // starts Timer1 again on a whole second

    // Toolbar
    QToolBar* ToolBar1 = nullptr;
    QToolButton* tbPobierz = nullptr;
    QToolButton* tbOtworzRaport = nullptr;
    QToolButton* tbZapiszRaport = nullptr;
    QToolButton* tbZapisz = nullptr;
    QToolButton* tbPrzenies = nullptr;
    QToolButton* tbAnalizuj = nullptr;
    QToolButton* tbKolor = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lR = nullptr;
    QSpinBox* udNumer = nullptr;

    // Menu items (and the menus that are shown or hidden as a whole)
    QAction* Otwrz1 = nullptr;
    QAction* Zapisz1 = nullptr;
    QAction* Zapisz2 = nullptr;
    QAction* Zapiszschemat1 = nullptr;
    QAction* Otwrzscchemat1 = nullptr;
    QAction* Ustawieniadrukowania1 = nullptr;
    QAction* Drukuj1 = nullptr;
    QAction* PodgladWydruku1 = nullptr; // "Podgląd wydruku"
    QAction* Zamknij1 = nullptr;
    QAction* Pobierz1 = nullptr;
    QAction* Przenie1 = nullptr;
    QAction* Analizuj1 = nullptr;
    QAction* Operator1 = nullptr;
    QAction* Edycjatekstu1 = nullptr;
    QAction* Edycjakolorw1 = nullptr;
    QAction* Kolor1 = nullptr;
    QMenu* Narzdzia1 = nullptr; // "Rozkazy"
    QAction* UruchomTekst1 = nullptr;
    QAction* Zatrzymajtekst1 = nullptr;
    QAction* Pytanie1 = nullptr;
    QAction* Potwierdzenie1 = nullptr;
    QAction* Start1 = nullptr;
    QAction* Stop1 = nullptr;
    QAction* Bezpotwierdzenia1 = nullptr;
    QAction* Pocztek1 = nullptr;
    QMenu* Narzdzia2 = nullptr; // "Narzędzia"
    QMenu* Port1 = nullptr;
    QAction* Rejestracjatypupliku1 = nullptr;
    QAction* Pomoc2 = nullptr;
    QAction* Indeks1 = nullptr;
    QAction* Stronafirmowa1 = nullptr;
    QAction* OWelkor11 = nullptr;
    QAction* Edycja1 = nullptr; // pmTabela
    QAction* N8 = nullptr;      // pmTabela separator under Edycja1
    QAction* Kopiuj1 = nullptr;
    QAction* Zaznaczwszystko1 = nullptr;
    QAction* miZapisz = nullptr;

    // Plate page
    PlateView* plateView = nullptr;
    std::array<QLabel*, 8> lRowNames{};
    std::array<QLabel*, 12> lColumnNumbers{};
    CircleShape* sPonizej = nullptr;
    CircleShape* sPusta = nullptr;
    CircleShape* sPonad = nullptr;
    CircleShape* sMaksymalna = nullptr;
    CircleShape* sMinimalna = nullptr;
    CircleShape* sZero = nullptr;
    QCheckBox* cbZarzenie = nullptr;
    QSlider* tbGorna = nullptr;
    QSlider* tbDolna = nullptr;
    QLabel* lGorna = nullptr;
    QLabel* lGornaNr = nullptr;
    QLabel* lDolna = nullptr;
    QLabel* lDolnaNr = nullptr;
    TClock* Clock1 = nullptr;

    // Dialog states
    FileDialogState OD;
    FileDialogState SD;
    FileDialogState SDSchem;
    FileDialogState ODSchem;

    // ---- State ----------------------------------------------------------------
    const QString productCaption = QStringLiteral("Welkor Lumo 1");
    std::uint8_t columnCount = 12;
    std::uint8_t rowCount = 8;
    // The report: the grids and memos show it; the comment memo and the edit
    // grid are where the user writes its own part (TakeTypedWork).
    welkor::ReportDocument report;
    QString commandLineFileName;

    // Copy range and copy source (true: the measured grid was pressed last).
    std::uint8_t firstCornerColumn = 0, secondCornerColumn = 0, firstCornerRow = 0, secondCornerRow = 0;
    bool copySourceIsDane = false;

    // Plate view and calibration
    welkor::TKonwersjaKoloru converter;
    welkor::RangeState range;
    bool glowScale = false;

    // Template: the two edit modes shown by the check marks of their items.
    bool textMode = true;
    bool colourMode = false;
    int CellWidth = 56;
    int CellHeight = 25;
    CellPicture TemplatePicture;
    QImage CellBrush;
    welkor::CellColourArray CellColours{};
    welkor::Colour PaintColour = 0xFF000005;
    welkor::Colour lastDialogColour = 0x00000000; // what the colour dialog shows next

    // Analysis
    welkor::ControlCounts controlCounts;

    // Operator
    QString operatorName;

    // Output
    QImage logoBitmap;          // null when Marvant.bmp is missing or unreadable
    int exportFilterIndex = 0;  // the export file type chosen last

    // Plate reader: the command last sent and the answer it got.
    welkor::ReaderControlBytes controlBytes;
    std::string outgoingCommand;
    std::string receivedTransmission;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildActionsAndMenus();
    void BuildToolbar();
    void BuildPages();
    void BuildReportPage();
    void BuildTablePage();
    void BuildPlatePage();
    void BuildStatusBar();
    void WireGridEvents();
    void WireShellCommands();
    DesktopShell& Shell();
    void ShowHelp(const QString& anchor);
    QString ReadOperatorName();
    void ShowError(const QString& message);
    void KeepTimer1OnTheSecond();
    struct ReaderMessage {
        QString text; // empty: nothing to say
        bool error = false;
    };
    void SendSimpleCommand(std::uint8_t controlByte);
    // What a command got: nothing usable, silence, or a report that replaced
    // the current one. `workAsked`: unsaved work was asked about before the
    // command went out; otherwise it is asked about before a report replaces it.
    enum class ReaderResult { Nothing, Silence, Report };
    ReaderResult ReceiveTransmission(ReaderMessage& message, bool workAsked);
    void ShowReaderMessage(const ReaderMessage& message);
    bool ConfirmFetchReplacesWork();
    void ShowFetchedPlate();

    // True when a cell of the edit grid holds text "Przenieś" would replace.
    bool EditGridHoldsWork() const;

    WindowServices services_;
    bool shown_ = false;
    std::optional<welkor::ReportLines> savedReportDocument_;
    // The report's file (absolute; empty for a fetched report) and a digest of
    // the bytes it held when this window read or wrote it, to tell a change
    // another program made since.
    QString reportFile_;
    std::size_t reportFileDigest_ = 0;
    std::unique_ptr<QPrinter> printer_; // made on first use: finding printers takes time
    welkor::CellColourArray savedTemplateColours_{};
};

template <class F> void TWel_Kor::Guarded(F&& handler)
{
    try {
        handler();
    } catch (const UserError& e) {
        ShowError(e.message());
    } catch (const welkor::Error& e) {
        ShowError(FromCp1250(e.what()));
    } catch (const std::bad_alloc&) {
        ShowError(QStringLiteral("Za mało pamięci, by dokończyć tę czynność."));
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace welkor::gui
