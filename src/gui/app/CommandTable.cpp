// Every command of the window, once: its text, shortcut, icon, status tip and
// handler, and where it shows. The menus, the tables' context menu and the
// toolbar are built from these rows (Commands), in this order.
#include "gui/app/Commands.h"
#include "gui/app/TWel_Kor.h"

namespace welkor::gui {

namespace {

using P = CommandPlace;
using K = RowKind;
using C = Commands;
using W = TWel_Kor;

constexpr CommandRow Menu(P place, const char* text, P opens, QMenu* C::*menu = nullptr, bool hidden = false)
{
    return {.place = place, .kind = K::Menu, .text = text, .menu = menu, .opens = opens, .hidden = hidden};
}

constexpr CommandRow Item(P place, const char* text, QAction* C::*item, CommandHandler handler,
                          const char* shortcut = nullptr, std::optional<ToolIcon> icon = {}, bool checkable = false)
{
    return {.place = place,
            .kind = K::Item,
            .text = text,
            .item = item,
            .shortcut = shortcut,
            .icon = icon,
            .handler = handler,
            .checkable = checkable};
}

constexpr CommandRow Separator(P place, QAction* C::*item = nullptr)
{
    return {.place = place, .kind = K::Separator, .item = item};
}

constexpr CommandRow Button(const char* text, QToolButton* C::*button, ToolIcon icon, const char* hint,
                            CommandHandler handler)
{
    return {.place = P::ToolBar, .kind = K::Button, .text = text, .button = button, .icon = icon, .hint = hint,
            .handler = handler};
}

const CommandRow kRows[] = {
    Menu(P::MenuBar, "Pliki", P::Pliki),
    Item(P::Pliki, "Otwórz raport", &C::Otwrz1, &W::Otwrz1Click, "Ctrl+O", ToolIcon::Open),
    Item(P::Pliki, "Zapisz raport", &C::Zapisz1, &W::Zapisz1Click, "Ctrl+S", ToolIcon::Save),
    Separator(P::Pliki),
    Item(P::Pliki, "Eksportuj", &C::Zapisz2, &W::Zapisz2Click, "Ctrl+E", ToolIcon::Export),
    Separator(P::Pliki),
    Item(P::Pliki, "Zapisz szablon", &C::Zapiszschemat1, &W::Zapiszschemat1Click),
    Item(P::Pliki, "Otwórz szablon", &C::Otwrzscchemat1, &W::Otwrzscchemat1Click),
    Separator(P::Pliki),
    Item(P::Pliki, "Ustawienia drukowania", &C::Ustawieniadrukowania1, &W::Ustawieniadrukowania1Click),
    Item(P::Pliki, "Podgląd wydruku", &C::PodgladWydruku1, &W::PodgladWydruku1Click),
    Item(P::Pliki, "Drukuj", &C::Drukuj1, &W::Drukuj1Click, "Ctrl+P", ToolIcon::Print),
    Separator(P::Pliki),
    Item(P::Pliki, "Zamknij", &C::Zamknij1, &W::Zamknij1Click, nullptr, ToolIcon::Close),

    Menu(P::MenuBar, "Dane", P::Dane),
    Item(P::Dane, "Pobierz", &C::Pobierz1, &W::Pocztek1Click, nullptr, ToolIcon::Fetch),
    Separator(P::Dane),
    Item(P::Dane, "Przenieś", &C::Przenie1, &W::tbPrzeniesClick, nullptr, ToolIcon::Transfer),
    Item(P::Dane, "Analizuj", &C::Analizuj1, &W::tbAnalizujClick, nullptr, ToolIcon::Analyse),
    Separator(P::Dane),
    Item(P::Dane, "Operator", &C::Operator1, &W::Operator1Click),

    Menu(P::MenuBar, "Edycja", P::Edycja),
    Item(P::Edycja, "Edycja tekstu", &C::Edycjatekstu1, &W::Edycjatekstu1Click, nullptr, {}, true),
    Item(P::Edycja, "Edycja kolorów", &C::Edycjakolorw1, &W::Edycjakolorw1Click, nullptr, {}, true),
    Separator(P::Edycja),
    Item(P::Edycja, "Kolor", &C::Kolor1, &W::tbKolorClick, nullptr, ToolIcon::Colour),

    // The reader's command menu stays out of sight until a link to a reader
    // is configured.
    Menu(P::MenuBar, "Rozkazy", P::Rozkazy, &C::Narzdzia1, true),
    Menu(P::Rozkazy, "Proste", P::Proste),
    Item(P::Proste, "Uruchom tekst", &C::UruchomTekst1, &W::UruchomTekst1Click),
    Item(P::Proste, "Zatrzymaj tekst", &C::Zatrzymajtekst1, &W::Zatrzymajtekst1Click),
    Item(P::Proste, "Pytanie", &C::Pytanie1, &W::Pytanie1Click),
    Item(P::Proste, "Potwierdzenie", &C::Potwierdzenie1, &W::Potwierdzenie1Click),
    Item(P::Proste, "Start", &C::Start1, &W::Start1Click),
    Item(P::Proste, "Stop", &C::Stop1, &W::Stop1Click),
    Item(P::Proste, "Bez potwierdzenia", &C::Bezpotwierdzenia1, &W::Bezpotwierdzenia1Click),
    Menu(P::Rozkazy, "Złożone", P::Zlozone),
    Item(P::Zlozone, "Początek...koniec", &C::Pocztek1, &W::Pocztek1Click),

    Menu(P::MenuBar, "Narzędzia", P::Narzedzia, &C::Narzdzia2),
    Item(P::Narzedzia, "Czytnik…", &C::Czytnik1, &W::Czytnik1Click),
    // The reader's ports; the list is made again each time the menu opens.
    Menu(P::Narzedzia, "Port", P::Port, &C::Port1),
    Item(P::Port, "Com 1", nullptr, nullptr),
    Item(P::Port, "Com 2", nullptr, nullptr),
    Item(P::Port, "Com 3", nullptr, nullptr),
    Separator(P::Narzedzia),
    Item(P::Narzedzia, "Krzywa standardowa…", &C::Krzywastandardowa1, &W::Krzywastandardowa1Click),
    Separator(P::Narzedzia),
    Item(P::Narzedzia, "Rejestracja typu pliku", &C::Rejestracjatypupliku1, &W::Rejestracjatypupliku1Click),

    Menu(P::MenuBar, "Pomoc", P::Pomoc),
    Item(P::Pomoc, "Pomoc", &C::Pomoc2, &W::Pomoc2Click),
    Item(P::Pomoc, "Indeks", &C::Indeks1, &W::Indeks1Click),
    Separator(P::Pomoc),
    Item(P::Pomoc, "Strona firmowa", &C::Stronafirmowa1, &W::Stronafirmowa1Click),
    Separator(P::Pomoc),
    Item(P::Pomoc, "O Welkor Lumo 1", &C::OWelkor11, &W::OWelkor11Click),

    // The context menu of both tables.
    Menu(P::Popup, nullptr, P::Tabela, &C::pmTabela),
    Item(P::Tabela, "Edycja tekstu", &C::Edycja1, &W::Edycja1Click, nullptr, {}, true),
    Separator(P::Tabela, &C::N8),
    Item(P::Tabela, "Kopiuj", &C::Kopiuj1, &W::Kopiuj1Click),
    Item(P::Tabela, "Kopiuj wszystko", &C::Zaznaczwszystko1, &W::Zaznaczwszystko1Click),
    Separator(P::Tabela),
    Item(P::Tabela, "Eksportuj", &C::miZapisz, &W::Zapisz2Click),

    // The toolbar, left to right (every button shows its hint as a tooltip).
    Button("Pobierz", &C::tbPobierz, ToolIcon::Fetch, "Pobranie nowego pomiaru", &W::Pocztek1Click),
    Button("Otwórz", &C::tbOtworzRaport, ToolIcon::Open, "Otwarcie raportu", &W::Otwrz1Click),
    Button("Zapisz", &C::tbZapiszRaport, ToolIcon::Save, "Zapis raportu", &W::Zapisz1Click),
    Button("Eksportuj", &C::tbZapisz, ToolIcon::Export, "Eksportowanie pliku", &W::Zapisz2Click),
    {.place = P::ToolBar, .kind = K::Gap},
    Button("Przenieś", &C::tbPrzenies, ToolIcon::Transfer, "Ponowne wpisanie danych do analizy", &W::tbPrzeniesClick),
    Button("Analizuj", &C::tbAnalizuj, ToolIcon::Analyse, "Analiza wyników", &W::tbAnalizujClick),
    Button("Kolor", &C::tbKolor, ToolIcon::Colour, "Zmiana koloru szablonu", &W::tbKolorClick),
};

} // namespace

std::span<const CommandRow> CommandTable() { return kRows; }

} // namespace welkor::gui
