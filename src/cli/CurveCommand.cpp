#include "cli/CurveCommand.h"

#include "core/analysis/PlateCurve.h"
#include "core/document/ReportDocument.h"
#include "core/output/CurveCsv.h"
#include "core/report/ReportFile.h"
#include "qtbase/UserError.h"
#include "qtbase/QtText.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

const QString kCurveHelp = QStringLiteral(
    "Użycie: welkor-lumo-cli krzywa RAPORT.rap [--standardy STUDZIENKA=STĘŻENIE,...]\n"
    "                               [--model 4pl|5pl|liniowy|loglog|punkty] [--waga 1/y2] [-o WYNIKI.csv]\n"
    "\n"
    "Krzywa standardowa: dopasowuje model do standardów płytki i odczytuje z niego stężenia\n"
    "pozostałych studzienek.\n"
    "\n"
    "Standardy podaje --standardy (np. A1=12.5,A2=12.5,B1=6.25 — stężenia z kropką dziesiętną);\n"
    "bez tej opcji są to studzienki zaznaczone w zapisanej analizie raportu jako „std 12,5”.\n"
    "Każda studzienka standardu jest osobnym punktem (powtórzeń się nie uśrednia).\n"
    "\n"
    "Modele:\n"
    "  4pl      (domyślny) y = d + (a − d) / (1 + (x / c)^b)\n"
    "  5pl      y = d + (a − d) / (1 + (x / c)^b)^g\n"
    "  liniowy  y = m·x + k\n"
    "  loglog   log10 y = m·log10 x + k\n"
    "  punkty   odcinki między średnimi odczytami kolejnych stężeń\n"
    "--waga 1/y2 waży każdy standard odwrotnością kwadratu jego odczytu (bez opcji: wagi równe).\n"
    "\n"
    "Wynik (CSV, UTF-8, kropka dziesiętna) trafia do pliku -o albo na standardowe wyjście:\n"
    "  studzienka,rola,wartosc,stezenie,uwaga\n"
    "jeden wiersz na studzienkę z odczytem; rola: standard, próbka, neg, poz. Stężenie dostaje tylko\n"
    "odczyt leżący w odpowiedzi krzywej między najniższym a najwyższym standardem; pozostałe mają\n"
    "w uwadze „poniżej zakresu” albo „powyżej zakresu” (bez ekstrapolacji). Standard ma stężenie\n"
    "odczytane z krzywej, a w uwadze stężenie nominalne i odzysk.\n"
    "Parametry modelu i R² trafiają na standardowe wyjście błędów.\n"
    "Kod wyjścia 1, gdy krzywej nie da się dopasować albo nie ma czego policzyć (wtedy nic nie jest\n"
    "zapisywane), 2 przy błędnym wywołaniu.\n");

namespace {

welkor::CurveModel ParseModel(const QString& text)
{
    const QString name = text.toLower();
    if (name == QLatin1String("4pl"))
        return welkor::CurveModel::FourPL;
    if (name == QLatin1String("5pl"))
        return welkor::CurveModel::FivePL;
    if (name == QLatin1String("liniowy"))
        return welkor::CurveModel::Linear;
    if (name == QLatin1String("loglog") || name == QLatin1String("log-log"))
        return welkor::CurveModel::LogLog;
    if (name == QLatin1String("punkty") || name == QLatin1String("punkt-punkt"))
        return welkor::CurveModel::PointToPoint;
    throw UsageError(QStringLiteral("Nieznany model „%1”: do wyboru 4pl, 5pl, liniowy, loglog, punkty.").arg(text));
}

welkor::CurveWeighting ParseWeighting(const QString& text)
{
    if (text == QLatin1String("1/y2") || text == QStringLiteral("1/y²") || text == QLatin1String("1/y^2"))
        return welkor::CurveWeighting::InverseSquare;
    throw UsageError(QStringLiteral("Nieznane ważenie „%1”: jedyne do wyboru to 1/y2 (bez opcji wagi są równe).")
                         .arg(text));
}

// "A1=12.5,A2=12.5": every item a well and a concentration with a decimal
// point.
std::vector<welkor::StandardWell> ParseStandards(const QStringList& lists)
{
    std::vector<welkor::StandardWell> standards;
    for (const QString& list : lists) {
        for (const QString& rawItem : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString item = rawItem.trimmed();
            const qsizetype eq = item.indexOf(QLatin1Char('='));
            const std::optional<welkor::WellPosition> well
                = eq > 0 ? welkor::ParseWellName(item.left(eq).toStdString()) : std::nullopt;
            const std::string number = eq > 0 ? item.mid(eq + 1).trimmed().toStdString() : std::string();
            double value = 0;
            const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
            const bool numberOk = !number.empty() && ec == std::errc() && end == number.data() + number.size()
                && std::isfinite(value) && value >= 0 && number.find_first_of("eEnN") == std::string::npos;
            if (!well || !numberOk)
                throw UsageError(QStringLiteral("--standardy: „%1” nie jest parą STUDZIENKA=STĘŻENIE "
                                                "(studzienka A1–H12, stężenie nieujemne z kropką dziesiętną, "
                                                "np. A1=12.5).")
                                     .arg(item));
            for (const welkor::StandardWell& earlier : standards)
                if (earlier.well == *well)
                    throw UsageError(QStringLiteral("--standardy: studzienka %1 podana dwa razy.")
                                         .arg(QString::fromStdString(welkor::WellName(well->row, well->column))));
            standards.push_back({*well, value});
        }
    }
    if (standards.empty())
        throw UsageError(QStringLiteral("--standardy: podaj studzienki standardów, np. A1=12.5,A2=12.5."));
    return standards;
}

} // namespace

std::set<QString> CurveOptionNames()
{
    return {QStringLiteral("wyjscie"), QStringLiteral("standardy"), QStringLiteral("model"), QStringLiteral("waga")};
}

int Curve(const Arguments& args, Console& console)
{
    if (args.inputs.size() != 1)
        throw UsageError(QStringLiteral("Polecenie „krzywa” bierze dokładnie jeden plik raportu (podano %1).")
                             .arg(args.inputs.size()));
    const QString input = args.inputs.first();
    welkor::CurveOptions options;
    options.model = ParseModel(args.value(QStringLiteral("model"), QStringLiteral("4pl")));
    if (args.has(QStringLiteral("waga")))
        options.weighting = ParseWeighting(args.value(QStringLiteral("waga")));
    std::optional<std::vector<welkor::StandardWell>> standards;
    if (args.has(QStringLiteral("standardy")))
        standards = ParseStandards(args.options.at(QStringLiteral("standardy")));
    const QString output = args.value(QStringLiteral("wyjscie"), QStringLiteral("-"));

    std::optional<welkor::ReportDocument> doc;
    try {
        welkor::OpenedReport opened = welkor::ReportDocument::Open(ReadInput(input, welkor::kMaxReportFileBytes));
        if (!opened.ok()) {
            console.Message(
                FromCp1250(std::string(welkor::kReportNotOpened)).arg(input, FromCp1250(opened.problem)));
            return kExitRefused;
        }
        doc = std::move(opened.document);
    } catch (const UserError& e) {
        console.Message(e.message());
        return kExitRefused;
    }

    // The marks of the saved analysis, as the window's edit grid shows them
    // after opening the report.
    const welkor::PlateCurveResult result = welkor::QuantifyPlate(
        welkor::ReadPlateForCurve(doc->measuredGrid(), doc->storedAnalysis(), standards), options);
    const QString summary = QString::fromUtf8(welkor::CurveSummary(result, options)).trimmed();
    if (!result.ok()) {
        console.Message(QStringLiteral("%1: %2").arg(input, summary));
        return kExitRefused;
    }
    try {
        WriteOutput(console, output, welkor::CurveCsv(result));
    } catch (const UserError& e) {
        console.Message(e.message());
        return kExitRefused;
    }
    console.Message(summary);
    return kExitOk;
}
