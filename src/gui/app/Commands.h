#pragma once

#include "gui/artwork/ToolbarIcons.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QSpinBox;
class QToolBar;
class QToolButton;
class QWidget;

namespace welkor::gui {

class TWel_Kor;
struct CommandRow;

// A command's handler: one of the window's handlers, under the name the
// lab's documentation of the window gives it.
using CommandHandler = void (TWel_Kor::*)();

// The menus, the toolbar and the tables' context menu, built from the rows of
// the command table (CommandTable), with every item a user can see kept
// under its own name. Every command runs through the one runner given: a
// menu item, a toolbar button and a context menu item are all actions, and
// each action's trigger is connected in the same way.
class Commands {
public:
    using Runner = std::function<void(CommandHandler)>;
    Commands(QMainWindow& window, std::span<const CommandRow> rows, const Runner& run);

    // A widget on the toolbar is shown and hidden through its place there.
    void ShowOnToolbar(QWidget* widget, bool visible);

    // The reader's command number (udNumer), built at the first call: with
    // no reader it is never shown, and its line edit would load a font of
    // its own before the window first shows.
    QSpinBox* CommandNumber();

    // Menu "Pliki"
    QAction* Otwrz1 = nullptr;
    QAction* Zapisz1 = nullptr;
    QAction* Zapisz2 = nullptr;
    QAction* Zapiszschemat1 = nullptr;
    QAction* Otwrzscchemat1 = nullptr;
    QAction* Ustawieniadrukowania1 = nullptr;
    QAction* PodgladWydruku1 = nullptr; // "Podgląd wydruku"
    QAction* Drukuj1 = nullptr;
    QAction* Zamknij1 = nullptr;
    // Menu "Dane"
    QAction* Pobierz1 = nullptr;
    QAction* Przenie1 = nullptr;
    QAction* Analizuj1 = nullptr;
    QAction* Operator1 = nullptr;
    // Menu "Edycja"
    QAction* Edycjatekstu1 = nullptr;
    QAction* Edycjakolorw1 = nullptr;
    QAction* Kolor1 = nullptr;
    // Menu "Rozkazy" (the reader's commands)
    QMenu* Narzdzia1 = nullptr;
    QAction* UruchomTekst1 = nullptr;
    QAction* Zatrzymajtekst1 = nullptr;
    QAction* Pytanie1 = nullptr;
    QAction* Potwierdzenie1 = nullptr;
    QAction* Start1 = nullptr;
    QAction* Stop1 = nullptr;
    QAction* Bezpotwierdzenia1 = nullptr;
    QAction* Pocztek1 = nullptr;
    // Menu "Narzędzia"
    QMenu* Narzdzia2 = nullptr;
    QAction* Czytnik1 = nullptr; // "Czytnik…": the reader's set-up
    QMenu* Port1 = nullptr;
    QAction* Krzywastandardowa1 = nullptr; // "Krzywa standardowa…"
    QAction* Rejestracjatypupliku1 = nullptr;
    // Menu "Pomoc"
    QAction* Pomoc2 = nullptr;
    QAction* Indeks1 = nullptr;
    QAction* Stronafirmowa1 = nullptr;
    QAction* OWelkor11 = nullptr;
    // The tables' context menu pmTabela
    QMenu* pmTabela = nullptr;
    QAction* Edycja1 = nullptr;
    QAction* N8 = nullptr; // the separator under Edycja1
    QAction* Kopiuj1 = nullptr;
    QAction* Zaznaczwszystko1 = nullptr;
    QAction* miZapisz = nullptr;
    // Toolbar ToolBar1
    QToolBar* ToolBar1 = nullptr;
    QToolButton* tbPobierz = nullptr;
    QToolButton* tbOtworzRaport = nullptr;
    QToolButton* tbZapiszRaport = nullptr;
    QToolButton* tbZapisz = nullptr;
    QToolButton* tbPrzenies = nullptr;
    QToolButton* tbAnalizuj = nullptr;
    QToolButton* tbKolor = nullptr;
    QLabel* Label1 = nullptr;  // "Rozkaz:  ", beside the reader's command number
    QSpinBox* udNumer = nullptr; // the reader's command number, once CommandNumber() has built it
    QLabel* lR = nullptr;      // the green label at the right end

private:
    void AddToolbarLabels();

    QAction* commandNumberPlace_ = nullptr; // what udNumer goes before on the toolbar
};

// Where a row of the command table goes.
enum class CommandPlace : std::uint8_t {
    MenuBar, Popup, Pliki, Dane, Edycja, Rozkazy, Proste, Zlozone, Narzedzia, Port, Pomoc, Tabela, ToolBar,
};

// What a row of the command table makes.
enum class RowKind : std::uint8_t {
    Menu,      // a menu (on the menu bar, in a menu, or a context menu: Popup) that `opens` a place
    Item,      // a menu item
    Separator, // a menu separator
    Button,    // a toolbar button
    Gap,       // an 8-pixel gap on the toolbar
};

// One row of the command table: a command's text, shortcut, icon, status
// tip and handler, and where it is shown and kept.
struct CommandRow {
    CommandPlace place;
    RowKind kind;
    const char* text = nullptr; // the caption, UTF-8
    QAction* Commands::* item = nullptr;
    QToolButton* Commands::* button = nullptr;
    QMenu* Commands::* menu = nullptr;
    CommandPlace opens = CommandPlace::MenuBar; // the place a Menu row opens
    const char* shortcut = nullptr;
    std::optional<ToolIcon> icon{};
    const char* hint = nullptr; // "Tooltip|Status text", or one text for both
    CommandHandler handler = nullptr;
    bool checkable = false;
    bool hidden = false; // out of sight from the start
};

// The rows of the window's menus, context menu and toolbar, in order.
std::span<const CommandRow> CommandTable();

} // namespace welkor::gui
