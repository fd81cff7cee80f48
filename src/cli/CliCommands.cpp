#include "cli/CliCommands.h"

#include "cli/CliHelp.h"
#include "cli/CurveCommand.h"
#include "cli/PlateRendering.h"
#include "core/document/ReportDocument.h"
#include "core/output/PlateCsv.h"
#include "core/output/WorkbookContent.h"
#include "core/plate/PlatePicture.h"
#include "core/reader/Transmission.h"
#include "core/report/ReportFile.h"
#include "core/report/WellName.h"
#include "core/text/Error.h"
#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"
#include "qtbase/OperatorIni.h"
#include "qtbase/QtText.h"
#include "qtbase/ClockTexts.h"
#include "qtbase/output/XlsxWorkbook.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <functional>
#include <unistd.h>

namespace {

const QString kProgram = QStringLiteral("welkor-lumo-cli");

// ---- Shared steps ---------------------------------------------------------------

QString ReportRefusal(const QString& name, const std::string& problem)
{
    return FromCp1250(std::string(welkor::kReportNotOpened)).arg(name, FromCp1250(problem));
}

// Opens one report; a file that cannot be read or is refused is told on
// standard error (as the window tells it) and gives nothing.
std::optional<welkor::ReportDocument> OpenReport(Console& console, const QString& name)
{
    try {
        welkor::OpenedReport opened = welkor::ReportDocument::Open(ReadInput(name, welkor::kMaxReportFileBytes));
        if (opened.ok())
            return std::move(opened.document);
        console.Message(ReportRefusal(name, opened.problem));
    } catch (const UserError& e) {
        console.Message(e.message());
    }
    return std::nullopt;
}

QString OneInput(const Arguments& args, const QString& what)
{
    if (args.inputs.size() != 1)
        throw UsageError(QStringLiteral("Polecenie „%1” bierze dokładnie jeden plik %2 (podano %3).")
                             .arg(args.command, what)
                             .arg(args.inputs.size()));
    return args.inputs.first();
}

// The reports named, folders by their .rap files.
QStringList ReportInputs(const Arguments& args, const QString& purpose)
{
    if (args.inputs.isEmpty())
        throw UsageError(QStringLiteral("Podaj pliki raportów do %1.").arg(purpose));
    const QStringList inputs = ExpandFolders(args.inputs);
    if (inputs.isEmpty())
        throw UsageError(QStringLiteral("W podanych katalogach nie ma plików .rap."));
    return inputs;
}

// ---- sprawdz --------------------------------------------------------------------

int Check(const Arguments& args, Console& console)
{
    const QStringList inputs = ReportInputs(args, QStringLiteral("sprawdzenia"));
    int status = kExitOk;
    console.StartProgress(QStringLiteral("sprawdz"), static_cast<std::size_t>(inputs.size()));
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const QString& name = inputs[i];
        QString verdict = QStringLiteral("ok");
        try {
            const welkor::OpenedReport opened
                = welkor::ReportDocument::Open(ReadInput(name, welkor::kMaxReportFileBytes));
            if (!opened.ok())
                verdict = FromCp1250(opened.problem);
        } catch (const UserError& e) {
            verdict = e.message();
        }
        if (verdict != QLatin1String("ok"))
            status = kExitRefused;
        console.Out(TerminalBytes(name + QStringLiteral(": ") + verdict + QLatin1Char('\n')));
        console.Progress(static_cast<std::size_t>(i + 1));
    }
    console.EndProgress();
    console.Flush();
    return status;
}

// ---- eksport --------------------------------------------------------------------

enum class ExportFormat { RapTxt, Csv, Long, Workbook };

ExportFormat ParseFormat(const QString& text)
{
    if (text == QLatin1String("rap-txt"))
        return ExportFormat::RapTxt;
    if (text == QLatin1String("csv"))
        return ExportFormat::Csv;
    if (text == QLatin1String("dlugi") || text == QLatin1String("długi"))
        return ExportFormat::Long;
    if (text == QLatin1String("xlsx"))
        return ExportFormat::Workbook;
    throw UsageError(QStringLiteral("Nieznany format „%1”: do wyboru rap-txt, csv, dlugi, xlsx.").arg(text));
}

QString FormatExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::RapTxt: return QStringLiteral("txt");
    case ExportFormat::Workbook: return QStringLiteral("xlsx");
    case ExportFormat::Csv:
    case ExportFormat::Long: break;
    }
    return QStringLiteral("csv");
}

int Export(const Arguments& args, Console& console)
{
    const ExportFormat format = ParseFormat(args.value(QStringLiteral("format"), QStringLiteral("rap-txt")));
    const QStringList inputs = ReportInputs(args, QStringLiteral("eksportu"));
    const QString folder = args.value(QStringLiteral("wyjscie"));

    // One file per report: every name is settled before anything is written.
    QStringList targets;
    if (!folder.isEmpty()) {
        const QString extension = FormatExtension(format);
        std::map<QString, QString> taken;
        for (const QString& input : inputs) {
            const QString base = input == QLatin1String("-") ? QStringLiteral("wejscie")
                                                              : QFileInfo(input).completeBaseName();
            const QString target = QDir(folder).filePath(base + QLatin1Char('.') + extension);
            if (const auto [it, fresh] = taken.emplace(target, input); !fresh)
                throw UsageError(QStringLiteral("Pliki „%1” i „%2” dałyby ten sam plik wyniku „%3”.")
                                     .arg(it->second, input, target));
            targets.push_back(target);
        }
        if (FileNameExists(folder) && !IsFolder(folder))
            throw UsageError(QStringLiteral("„%1” nie jest katalogiem: -o podaje katalog wyników.").arg(folder));
        if (!MakeFolderPath(folder)) {
            console.Message(QStringLiteral("Nie można założyć katalogu „%1”.").arg(folder));
            return kExitRefused;
        }
    } else if (format != ExportFormat::Long && inputs.size() > 1) {
        throw UsageError(QStringLiteral("Wiele raportów w formacie %1: podaj katalog wyników -o KATALOG "
                                        "(albo wybierz --format dlugi, jedną tabelę dla wszystkich).")
                             .arg(args.value(QStringLiteral("format"), QStringLiteral("rap-txt"))));
    } else if (format == ExportFormat::Workbook && isatty(STDOUT_FILENO)) {
        throw UsageError(QStringLiteral("Skoroszytu xlsx nie wypisuje się na terminal: podaj katalog wyników "
                                        "-o KATALOG albo skieruj wyjście do pliku (> NAZWA.xlsx)."));
    }

    int status = kExitOk;
    if (folder.isEmpty() && format == ExportFormat::Long)
        console.Out(welkor::kLongCsvHeader);
    std::string bytes;
    SaveBatch batch; // the output folder is searched for stray temporaries once
    console.StartProgress(QStringLiteral("eksport"), static_cast<std::size_t>(inputs.size()));
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const QString& name = inputs[i];
        console.Progress(static_cast<std::size_t>(i));
        std::optional<welkor::ReportDocument> doc = OpenReport(console, name);
        if (!doc) {
            status = kExitRefused;
            continue;
        }
        bytes.clear();
        switch (format) {
        case ExportFormat::RapTxt: bytes = doc->ExportBytes(); break;
        case ExportFormat::Csv: bytes = welkor::PlateCsv(doc->values()); break;
        case ExportFormat::Long:
            if (!folder.isEmpty())
                bytes = welkor::kLongCsvHeader;
            // The file's name as the system names it: UTF-8, or the bytes of
            // an older encoding as they are.
            welkor::AppendLongCsv(bytes, FileNameBytes(name).toStdString(), doc->values(), doc->storedAnalysis());
            break;
        case ExportFormat::Workbook:
            try {
                bytes = WorkbookBytes(welkor::ReportWorkbook(*doc, FileNameBytes(name).toStdString()));
            } catch (const UserError& e) {
                console.Message(QStringLiteral("%1: %2").arg(name, e.message()));
                status = kExitRefused;
                continue;
            }
            break;
        }
        if (folder.isEmpty()) {
            console.Out(bytes);
            continue;
        }
        try {
            WriteOutput(console, targets[i], bytes, &batch);
        } catch (const UserError& e) {
            console.Message(e.message());
            status = kExitRefused;
        }
    }
    console.EndProgress();
    console.Flush();
    return status;
}

// ---- analizuj -------------------------------------------------------------------

std::vector<welkor::WellPosition> ParseWells(const QStringList& lists, const QString& option)
{
    std::vector<welkor::WellPosition> wells;
    for (const QString& list : lists) {
        for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const std::optional<welkor::WellPosition> well = welkor::ParseWellName(item.toStdString());
            if (!well)
                throw UsageError(QStringLiteral("--%1: „%2” nie jest studzienką płytki "
                                                "(wiersz A–H i kolumna 1–12, np. H4).")
                                     .arg(option, item.trimmed()));
            wells.push_back(*well);
        }
    }
    return wells;
}

int Analyse(const Arguments& args, Console& console)
{
    const QString input = OneInput(args, QStringLiteral("raportu"));
    const std::vector<welkor::WellPosition> negatives
        = ParseWells(args.has(QStringLiteral("neg")) ? args.options.at(QStringLiteral("neg")) : QStringList(),
                     QStringLiteral("neg"));
    const std::vector<welkor::WellPosition> positives
        = ParseWells(args.has(QStringLiteral("poz")) ? args.options.at(QStringLiteral("poz")) : QStringList(),
                     QStringLiteral("poz"));
    if (negatives.empty())
        throw UsageError(QStringLiteral("Podaj kontrole ujemne: --neg H4,H5,H6."));
    for (const welkor::WellPosition& n : negatives)
        for (const welkor::WellPosition& p : positives)
            if (n == p)
                throw UsageError(QStringLiteral("Studzienka %1 nie może być zarazem kontrolą ujemną i dodatnią.")
                                     .arg(QString::fromStdString(welkor::WellName(n.row, n.column))));
    const QString output = args.value(QStringLiteral("wyjscie"));

    std::optional<welkor::ReportDocument> doc = OpenReport(console, input);
    if (!doc)
        return kExitRefused;

    // "Przenieś", the marks typed into the edit grid, "Analizuj".
    doc->Transfer();
    for (const welkor::WellPosition& well : negatives)
        doc->setEditCell(well.column + 1, well.row + 1, "neg");
    for (const welkor::WellPosition& well : positives)
        doc->setEditCell(well.column + 1, well.row + 1, "poz");
    std::string status;
    welkor::ControlCounts counts;
    welkor::CutoffOutcome outcome = welkor::CutoffOutcome::MarksOnly;
    try {
        outcome = doc->Analyse(counts, [&](const std::string& shown) { status = shown; });
    } catch (const welkor::Error& e) {
        console.Message(QStringLiteral("%1: %2").arg(input, FromCp1250(e.what())));
        return kExitRefused;
    }
    if (outcome != welkor::CutoffOutcome::Marked) {
        console.Message(QStringLiteral("%1: Brak kontroli ujemnych (neg) — nie można wyznaczyć progu.").arg(input));
        return kExitRefused;
    }

    QString summary = FromCp1250(status) + QLatin1Char('\n');
    // The shown threshold is cut to the window's panel; the wells were judged
    // against the exact one.
    if (const std::string exact = welkor::ExactThresholdText(counts); !exact.empty())
        summary += QStringLiteral("Próg dokładnie: ") + FromCp1250(exact) + QLatin1Char('\n');
    for (const char* mark : {"neg", "poz", "poniżej"}) {
        QStringList wells;
        for (int r = 1; r <= welkor::kPlateRows; ++r)
            for (int c = 1; c <= welkor::kPlateColumns; ++c)
                if (welkor::AnalysisMarkName(doc->editGrid()[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                    == mark)
                    wells.push_back(QString::fromStdString(welkor::WellName(r - 1, c - 1)));
        summary += QString::fromUtf8(mark) + QStringLiteral(": ")
            + (wells.isEmpty() ? QStringLiteral("brak") : wells.join(QLatin1Char(' '))) + QLatin1Char('\n');
    }

    if (!output.isEmpty()) {
        const std::string saved = doc->SavedBytes();
        if (const std::string problem = welkor::SavedReportProblem(saved); !problem.empty()) {
            console.Message(QStringLiteral("%1: %2").arg(output, FromCp1250(problem)));
            return kExitRefused;
        }
        try {
            WriteOutput(console, output, saved);
        } catch (const UserError& e) {
            console.Message(e.message());
            return kExitRefused;
        }
    }
    if (output == QLatin1String("-"))
        console.Message(summary.chopped(1));
    else
        console.Out(summary.toLocal8Bit().toStdString());
    console.Flush();
    return kExitOk;
}

// ---- obraz ----------------------------------------------------------------------

int Picture(const Arguments& args, Console& console)
{
    const QString input = OneInput(args, QStringLiteral("raportu"));
    const QString output = args.value(QStringLiteral("wyjscie"));
    if (output.isEmpty() || output == QLatin1String("-"))
        throw UsageError(QStringLiteral("Podaj plik obrazu: -o PLYTA.png, PLYTA.svg albo PLYTA.pdf."));
    const QString kind = QFileInfo(output).suffix().toLower();
    if (kind != QLatin1String("png") && kind != QLatin1String("svg") && kind != QLatin1String("pdf"))
        throw UsageError(QStringLiteral("Nieznany rodzaj obrazu „%1”: plik musi kończyć się na .png, .svg albo .pdf.")
                             .arg(output));
    const QString scale = args.value(QStringLiteral("skala"), QStringLiteral("barwy"));
    const bool glow = scale == QLatin1String("zarzenia") || scale == QLatin1String("żarzenia");
    if (!glow && scale != QLatin1String("barwy"))
        throw UsageError(QStringLiteral("Nieznana skala „%1”: do wyboru barwy, zarzenia.").arg(scale));
    bool zoomOk = false;
    const int zoom = args.value(QStringLiteral("powiekszenie"), QStringLiteral("1")).toInt(&zoomOk);
    if (!zoomOk || zoom < 1 || zoom > 8)
        throw UsageError(QStringLiteral("--powiekszenie: liczba od 1 do 8."));

    std::optional<welkor::ReportDocument> doc = OpenReport(console, input);
    if (!doc)
        return kExitRefused;
    const welkor::PlatePicture picture = welkor::DrawPlate(doc->values(), glow);
    std::string bytes;
    if (kind == QLatin1String("svg"))
        bytes = welkor::PlateSvg(picture);
    else
        bytes = (kind == QLatin1String("png") ? PlatePng(picture, zoom) : PlatePdf(picture)).toStdString();
    try {
        WriteOutput(console, output, bytes);
    } catch (const UserError& e) {
        console.Message(e.message());
        return kExitRefused;
    }
    return kExitOk;
}

// ---- transmisja -------------------------------------------------------------------


int Transmission(const Arguments& args, Console& console)
{
    const QString input = OneInput(args, QStringLiteral("transmisji"));
    const QString output = args.value(QStringLiteral("wyjscie"), QStringLiteral("-"));
    std::string operatorName;
    std::string bytes;
    try {
        operatorName = args.has(QStringLiteral("operator")) ? ToCp1250(args.value(QStringLiteral("operator")))
                                                             : ToCp1250(ReadOperatorIni(OperatorIniPlaces::OfThisProgram()));
        bytes = ReadInput(input, welkor::kMaxTransmissionBytes);
    } catch (const UserError& e) {
        console.Message(e.message());
        return kExitRefused;
    }

    // One reading of the clock for the date and the time, as the fetch does.
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    welkor::OpenedReport opened = welkor::ReportDocument::FromTransmission(
        bytes, ToCp1250(TransmissionDate(locale, now.date())), ToCp1250(LongTimeText(locale, now.time())),
        operatorName);
    if (!opened.ok()) {
        console.Message(QStringLiteral("%1: %2").arg(input, FromCp1250(opened.problem)));
        return kExitRefused;
    }
    try {
        WriteOutput(console, output, opened.document->SavedBytes());
    } catch (const UserError& e) {
        console.Message(e.message());
        return kExitRefused;
    }
    return kExitOk;
}

// ---- The commands ----------------------------------------------------------------

struct CommandEntry {
    const char* name;
    std::set<QString> options;
    const QString* help;
    std::function<int(const Arguments&, Console&)> run;
};

const std::vector<CommandEntry>& Commands()
{
    static const std::vector<CommandEntry> commands = {
        {"sprawdz", {}, &kCheckHelp, Check},
        {"eksport", {QStringLiteral("wyjscie"), QStringLiteral("format")}, &kExportHelp, Export},
        {"analizuj", {QStringLiteral("wyjscie"), QStringLiteral("neg"), QStringLiteral("poz")}, &kAnalyseHelp, Analyse},
        {"obraz", {QStringLiteral("wyjscie"), QStringLiteral("skala"), QStringLiteral("powiekszenie")}, &kPictureHelp,
         Picture},
        {"transmisja", {QStringLiteral("wyjscie"), QStringLiteral("operator")}, &kTransmissionHelp, Transmission},
        {"krzywa", CurveOptionNames(), &kCurveHelp, Curve},
    };
    return commands;
}

const CommandEntry* FindCommand(const QString& name)
{
    for (const CommandEntry& entry : Commands())
        if (name == QLatin1String(entry.name))
            return &entry;
    return nullptr;
}

} // namespace

QString HelpText(const QString& command)
{
    if (command.isEmpty())
        return kGeneralHelp;
    const CommandEntry* entry = FindCommand(command);
    return entry ? *entry->help : QString();
}

bool CommandDraws(const QString& command) { return command == QLatin1String("obraz"); }

int RunCommandLine(const QStringList& args, Console& console)
{
    const QString first = args.isEmpty() ? QString() : args.first();
    if (first == QLatin1String("-h") || first == QLatin1String("--help") || first == QLatin1String("--pomoc")
        || first == QLatin1String("pomoc")) {
        const QString topic = args.size() > 1 ? args[1] : QString();
        const QString help = HelpText(topic);
        if (help.isEmpty())
            throw UsageError(QStringLiteral("Nieznane polecenie „%1”.").arg(topic));
        console.Out(help.toLocal8Bit().toStdString());
        console.Flush();
        return kExitOk;
    }
    if (first.isEmpty())
        throw UsageError(QStringLiteral("Podaj polecenie: sprawdz, eksport, analizuj, obraz, transmisja albo krzywa."));
    const CommandEntry* entry = FindCommand(first);
    if (!entry)
        throw UsageError(QStringLiteral("Nieznane polecenie „%1”.").arg(first));
    const Arguments parsed = ParseArguments(first, args.mid(1), entry->options);
    if (parsed.help) {
        console.Out(entry->help->toLocal8Bit().toStdString());
        console.Flush();
        return kExitOk;
    }
    return entry->run(parsed, console);
}
