#pragma once

#include "core/document/ReportDocument.h"
#include "gui/app/WindowServices.h"
#include "gui/dialogs/ErrorGuard.h"
#include "gui/widgets/LazyPage.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <utility>

class QLabel;
class QTabWidget;

namespace welkor::gui {

class AnalysisPage;
class Commands;
class OutputCommands;
class PlatePage;
class ReaderCommands;
class ReportFiles;
class ReportPage;
class SecondTimer;
class ShellCommands;

// The main window: a frame of three pages and four command groups. It holds
// the one report the pages show, builds the menus and the toolbar from the
// command table, runs every command (an open cell editor ended first, under
// the error guard) and keeps the status bar and the timer. Its handlers carry
// the names of the controls and events they serve and hand the work to the
// page or command group it belongs to.
class TWel_Kor : public QMainWindow {
    Q_OBJECT
public:
    explicit TWel_Kor(const WindowServices& services, QWidget* parent = nullptr);
    ~TWel_Kor() override;

    // Runs one handler inside the error guard: a failing step ends the
    // handler, its message is shown and the program carries on.
    template <class F> void Guarded(F&& handler) { gui::Guarded(*services_.dialogs, std::forward<F>(handler)); }

    // Runs a command (menu item, toolbar button, shortcut): every page is
    // built, so a command finds the window as it stood since start-up; an
    // open cell editor is ended, keeping its text; then the handler runs
    // guarded.
    template <class F> void Command(F&& handler)
    {
        BuildAllPages();
        CommitOpenEditors();
        Guarded(std::forward<F>(handler));
    }
    void Command(void (TWel_Kor::*handler)()) { Command([this, handler] { (this->*handler)(); }); }
    void CommitOpenEditors();
    void BuildAllPages();

    // ---- Start-up, window, timer ------------------------------------------
    void FormCreate();
    void FormShow();
    void FormPaint();
    void Timer1Timer();
    void Zamknij1Click();
    QString CommandLineFileName() const;

    // ---- Commands, each handed to its page or command group -----------------
    void Otwrz1Click();
    void Zapisz1Click();
    void Zapisz2Click();
    void Zapiszschemat1Click();
    void Otwrzscchemat1Click();
    void Ustawieniadrukowania1Click();
    void PodgladWydruku1Click();
    void Drukuj1Click();
    void tbPrzeniesClick();
    void tbAnalizujClick();
    void Operator1Click();
    void Edycjatekstu1Click();
    void Edycjakolorw1Click();
    void tbKolorClick();
    void UruchomTekst1Click();
    void Zatrzymajtekst1Click();
    void Pytanie1Click();
    void Potwierdzenie1Click();
    void Start1Click();
    void Stop1Click();
    void Bezpotwierdzenia1Click();
    void Pocztek1Click();
    void Czytnik1Click();
    void Krzywastandardowa1Click();
    void Rejestracjatypupliku1Click();
    void Pomoc2Click();
    void Indeks1Click();
    void Stronafirmowa1Click();
    void OWelkor11Click();
    void Edycja1Click();
    void Kopiuj1Click();
    void Zaznaczwszystko1Click();

    // ---- The report, its pages and the command groups -------------------------
    // The report: the pages show it; the comment memo and the edit grid are
    // where the user writes its own part.
    welkor::ReportDocument report;
    QTabWidget* pcZakladki = nullptr;
    ReportPage* tsRaport = nullptr;      // "Raport": the two memos
    // The two pages behind the first are built when first needed.
    LazyPage<AnalysisPage> tsTabela;     // "Tabela": both grids, template, analysis
    LazyPage<PlatePage> tsMikroplytka;   // "Mikropłytka": wells, calibration, dial
    std::array<QLabel*, 5> sbPanels{};   // the status bar's five panels
    std::unique_ptr<Commands> commands;  // menus, toolbar and the tables' context menu
    std::unique_ptr<SecondTimer> timer;  // Timer1
    std::unique_ptr<ReportFiles> files;  // open, save, unsaved work
    std::unique_ptr<OutputCommands> output; // export, clipboard, printing
    std::unique_ptr<ShellCommands> shell;   // operator, file type, help, about box
    std::unique_ptr<ReaderCommands> reader; // the plate reader

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildPages();
    void BuildStatusBar();
    void AnalysisPageReady(AnalysisPage& page);
    void PlatePageReady(PlatePage& page);

    WindowServices services_;
    bool shown_ = false;
};

} // namespace welkor::gui
