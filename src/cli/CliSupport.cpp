#include "cli/CliSupport.h"

#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace {

constexpr std::size_t kOutBlock = std::size_t{1} << 20;

QString OptionName(const QString& arg)
{
    if (arg == QLatin1String("-o"))
        return QStringLiteral("wyjscie");
    if (arg == QLatin1String("-h"))
        return QStringLiteral("help");
    QString name = arg.mid(2);
    if (name == QLatin1String("pomoc"))
        return QStringLiteral("help");
    return name;
}

} // namespace

QString Arguments::value(const QString& option, const QString& fallback) const
{
    const auto found = options.find(option);
    return found == options.end() || found->second.isEmpty() ? fallback : found->second.last();
}

Arguments ParseArguments(const QString& command, const QStringList& args, const std::set<QString>& allowed)
{
    Arguments out;
    out.command = command;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            out.inputs.push_back(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--")) && arg != QLatin1String("-o") && arg != QLatin1String("-h"))
            throw UsageError(QStringLiteral("Nieznana opcja „%1”.").arg(arg));
        QString name = OptionName(arg);
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            hasValue = true;
        }
        if (name == QLatin1String("help")) {
            out.help = true;
            continue;
        }
        if (!allowed.count(name))
            throw UsageError(QStringLiteral("Polecenie „%1” nie zna opcji „%2”.").arg(out.command, arg));
        if (!hasValue) {
            if (i + 1 >= args.size())
                throw UsageError(QStringLiteral("Po opcji „%1” brakuje wartości.").arg(arg));
            value = args[++i];
        }
        out.options[name].push_back(value);
    }
    return out;
}

QStringList ExpandFolders(const QStringList& inputs)
{
    QStringList out;
    for (const QString& input : inputs) {
        if (input == QLatin1String("-") || !IsFolder(input))
            out.push_back(input);
        else
            out.append(FolderFiles(input, QStringLiteral(".rap")));
    }
    return out;
}

std::string TerminalBytes(const QString& text)
{
#ifdef Q_OS_WIN
    return text.toLocal8Bit().toStdString();
#else
    return FileNameBytes(text).toStdString();
#endif
}

std::string ReadInput(const QString& name, std::size_t maxBytes)
{
    if (name != QLatin1String("-"))
        return ReadFileBytes(name, static_cast<qint64>(maxBytes));
    static bool taken = false;
    if (taken)
        throw UserError(QStringLiteral("Standardowe wejście można przeczytać tylko raz."));
    taken = true;
    std::string bytes;
    char block[65536];
    while (true) {
        const std::size_t got = std::fread(block, 1, sizeof block, stdin);
        bytes.append(block, got);
        if (bytes.size() > maxBytes)
            ThrowCannotOpen(QStringLiteral("-"), QStringLiteral("Plik jest za duży."));
        if (got < sizeof block) {
            if (std::ferror(stdin))
                ThrowCannotOpen(QStringLiteral("-"), SystemReason(errno));
            return bytes;
        }
    }
}

Console::~Console()
{
    EndProgress();
    if (!buffer_.empty())
        std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
    std::fflush(stdout);
}

void Console::Out(std::string_view bytes)
{
    buffer_.append(bytes);
    if (buffer_.size() >= kOutBlock)
        Flush();
}

void Console::Flush()
{
    const std::size_t size = buffer_.size();
    const bool written = std::fwrite(buffer_.data(), 1, size, stdout) == size && std::fflush(stdout) == 0;
    buffer_.clear();
    if (!written)
        throw UserError(QStringLiteral("Nie można pisać na standardowe wyjście: %1").arg(SystemReason(errno)));
}

void Console::Message(const QString& text)
{
    ClearProgress();
    std::cerr << TerminalBytes(text) << '\n' << std::flush;
}

void Console::StartProgress(const QString& label, std::size_t total)
{
    label_ = label;
    total_ = total;
    progressOn_ = total > 5 && isatty(STDERR_FILENO);
    lastProgressMs_ = -1;
}

void Console::Progress(std::size_t done)
{
    if (!progressOn_)
        return;
    // A terminal is redrawn ten times a second at most.
    const long long now = QDateTime::currentMSecsSinceEpoch();
    if (done < total_ && lastProgressMs_ >= 0 && now - lastProgressMs_ < 100)
        return;
    lastProgressMs_ = now;
    std::cerr << '\r' << QStringLiteral("%1 %2/%3").arg(label_).arg(done).arg(total_).toLocal8Bit().constData()
              << std::flush;
    progressShown_ = true;
}

void Console::EndProgress()
{
    ClearProgress();
    progressOn_ = false;
}

void Console::ClearProgress()
{
    if (!progressShown_)
        return;
    std::cerr << "\r\033[K" << std::flush;
    progressShown_ = false;
    lastProgressMs_ = -1; // the next progress call draws the line again
}

void WriteOutput(Console& console, const QString& name, std::string_view bytes, SaveBatch* batch)
{
    if (name == QLatin1String("-")) {
        console.Out(bytes);
        console.Flush();
        return;
    }
    if (const QString note = WriteFileAtomically(name, bytes, batch); !note.isEmpty())
        console.Message(note);
}
