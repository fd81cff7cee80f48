#include "cli/CliHelp.h"

const QString kGeneralHelp = QStringLiteral(
    "welkor-lumo-cli — wyniki programu Welkor Lumo 1 bez okna: dla serii raportów i potoków.\n"
    "Każdy wynik jest bajt w bajt taki, jaki dla tych samych danych daje okno programu.\n"
    "\n"
    "Użycie: welkor-lumo-cli POLECENIE [OPCJE] PLIK...\n"
    "\n"
    "Polecenia:\n"
    "  sprawdz PLIK.rap...        sprawdza raporty: jeden wiersz na plik, „ok” albo powód odrzucenia\n"
    "  eksport PLIK.rap... [-o KATALOG] [--format rap-txt|csv|dlugi|xlsx]\n"
    "                             wyniki do arkusza kalkulacyjnego, R albo Pythona\n"
    "  analizuj PLIK.rap --neg H4,H5,H6 [--poz G10] [-o WYNIK.rap]\n"
    "                             analiza progowa jak „Przenieś”, kontrole, „Analizuj” i „Zapisz”\n"
    "  obraz PLIK.rap -o PLYTA.png|.svg|.pdf [--skala barwy|zarzenia] [--powiekszenie N]\n"
    "                             obraz mikropłytki z legendą, do sprawozdań i prezentacji\n"
    "  transmisja ZAPIS.bin [-o RAPORT.rap] [--operator NAZWA]\n"
    "                             raport z zapisanej transmisji czytnika, jak po „Pobierz”\n"
    "  krzywa PLIK.rap [--standardy A1=12.5,...] [--model 4pl|5pl|liniowy|loglog|punkty] [--waga 1/y2]\n"
    "                  [-o WYNIKI.csv]\n"
    "                             stężenia próbek z krzywej standardowej (CSV)\n"
    "\n"
    "Katalog w miejscu pliku oznacza wszystkie jego pliki .rap; „-” czyta standardowe wejście.\n"
    "Komunikaty trafiają na standardowe wyjście błędów; pliki wyników są zapisywane w całości albo wcale.\n"
    "Kod wyjścia: 0 — wszystko w porządku, 1 — któryś plik odrzucony albo wynik niezapisany,\n"
    "2 — błędne wywołanie.\n"
    "\n"
    "Pomoc do polecenia: welkor-lumo-cli POLECENIE --help\n");

const QString kCheckHelp = QStringLiteral(
    "Użycie: welkor-lumo-cli sprawdz PLIK.rap...\n"
    "\n"
    "Sprawdza, czy pliki dają się otworzyć jako raporty z pomiaru, tak samo jak w oknie programu.\n"
    "Na standardowe wyjście trafia jeden wiersz na plik: „PLIK: ok” albo „PLIK: ” i powód odrzucenia.\n"
    "Kod wyjścia 1, gdy któryś plik odrzucono.\n");

const QString kExportHelp = QStringLiteral(
    "Użycie: welkor-lumo-cli eksport PLIK.rap... [-o KATALOG] [--format rap-txt|csv|dlugi|xlsx]\n"
    "\n"
    "Formaty:\n"
    "  rap-txt  (domyślny) dokładnie plik „Eksportuj” okna: tabela pomiaru, komentarz i tabela analizy,\n"
    "           tekst z tabulatorami w stronie kodowej 1250\n"
    "  csv      płytka 8 × 12 (wiersze A–H, kolumny 1–12), UTF-8, kropka dziesiętna; studzienka\n"
    "           bez liczby (blank, under, over) zostaje pusta, więc każda kolumna to liczby\n"
    "  dlugi    jeden wiersz na studzienkę: plik,studzienka,wiersz,kolumna,wartosc,stan,znacznik\n"
    "           (stan: liczba, blank, under, over; znacznik z zapisanej analizy: neg, poz, poniżej)\n"
    "  xlsx     skoroszyt programu Excel: arkusz „Płytka” jak strona „Tabela” (kolumny 1–12, wiersze A–H,\n"
    "           każdy odczyt jako liczba, blank, under, over jako tekst), pod nim tabela analizy\n"
    "           i komentarz; arkusz „Tabela długa” z wierszami formatu dlugi\n"
    "\n"
    "Który format do czego:\n"
    "  arkusz kalkulacyjny    xlsx: LibreOffice Calc, Excel; liczby są liczbami przy każdych\n"
    "                         ustawieniach regionalnych (przecinek czy kropka dziesiętna)\n"
    "  R, pandas              dlugi: jedna tabela wszystkich raportów ze stanami i znacznikami\n"
    "                         (read.csv, pandas.read_csv z ustawieniami domyślnymi); csv: sama płytka,\n"
    "                         12 kolumn liczbowych, puste pola jako brakujące wartości\n"
    "  jak „Eksportuj” okna   rap-txt: ten sam plik, z przecinkiem dziesiętnym, dla arkusza\n"
    "                         z polskimi ustawieniami\n"
    "\n"
    "Bez -o wynik trafia na standardowe wyjście: w formacie dlugi wszystkie pliki jako jedna tabela,\n"
    "w pozostałych tylko jeden plik (skoroszyt xlsx nie na terminal). Z -o KATALOG każdy raport daje\n"
    "własny plik (NAZWA.txt, NAZWA.csv albo NAZWA.xlsx); brakujący katalog jest zakładany. Odrzucony\n"
    "plik jest pomijany z komunikatem, a kod wyjścia wynosi 1.\n");

const QString kAnalyseHelp = QStringLiteral(
    "Użycie: welkor-lumo-cli analizuj PLIK.rap --neg H4,H5,H6 [--poz G10] [-o WYNIK.rap]\n"
    "\n"
    "Analiza progowa dokładnie jak w oknie: „Przenieś”, wpisane kontrole ujemne (neg) i dodatnie (poz),\n"
    "„Analizuj”. Próg to trzykrotna średnia kontroli ujemnych; próbki poniżej progu są oznaczane.\n"
    "Wypisuje „Próg: …” tak jak pasek stanu okna, a gdy ten skraca liczbę, także „Próg dokładnie: …”\n"
    "(z nim porównuje się próbki), oraz oznaczone studzienki. Z -o zapisuje raport tak jak „Zapisz” w oknie\n"
    "(„-o -”: na standardowe wyjście; wtedy podsumowanie trafia na standardowe wyjście błędów).\n"
    "Studzienki: litera wiersza A–H i numer kolumny 1–12, rozdzielone przecinkami.\n");

const QString kPictureHelp = QStringLiteral(
    "Użycie: welkor-lumo-cli obraz PLIK.rap -o PLYTA.png|PLYTA.svg|PLYTA.pdf [--skala barwy|zarzenia]\n"
    "                                [--powiekszenie N]\n"
    "\n"
    "Mikropłytka tak, jak pokazuje ją strona „Mikropłytka” zaraz po otwarciu raportu: 96 studzienek\n"
    "w ich barwach i obwódkach, opisy wierszy i kolumn, legenda i granice zakresu.\n"
    "Rodzaj pliku wynika z rozszerzenia. --powiekszenie N (1–8) powiększa obraz PNG.\n");

const QString kTransmissionHelp = QStringLiteral(
    "Użycie: welkor-lumo-cli transmisja ZAPIS.bin [-o RAPORT.rap] [--operator NAZWA]\n"
    "\n"
    "Zamienia zapisaną transmisję czytnika w raport tak, jak robi to „Pobierz” w oknie, i zapisuje\n"
    "go jak „Zapisz” zaraz potem. Data i czas pochodzą z zegara komputera (jeden odczyt), operator\n"
    "z opcji --operator albo, jak w oknie, z pliku Operator.ini (najpierw w folderze konfiguracji\n"
    "użytkownika, potem obok programu). Bez -o raport trafia na standardowe wyjście.\n");
