#include "gui/report/ReportPage.h"

#include "core/document/ReportDocument.h"
#include "gui/widgets/Fonts.h"
#include "gui/widgets/Hints.h"
#include "qtbase/QtText.h"

#include <QAction>
#include <QFontDatabase>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>

namespace welkor::gui {

namespace {

// The memo's lines as they are. toPlainText() would turn no-break spaces
// (0xA0 in the report's code page, the thousands separator of numbers) into
// plain blanks, so the raw text is taken and only the line breaks the editor
// keeps (paragraph and line separators) are turned into line ends.
QStringList MemoLines(const QPlainTextEdit& memo)
{
    QString text = memo.document()->toRawText();
    for (QChar& ch : text)
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
            ch = QLatin1Char('\n');
    return text.split(QLatin1Char('\n'));
}

} // namespace

ReportPage::ReportPage(QWidget* parent) : QWidget(parent)
{
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setHandleWidth(3);
    splitter->setChildrenCollapsible(false);
    mOdebrany = new QPlainTextEdit(splitter);
    mKomentarz = new QPlainTextEdit(splitter);
    // The report text comes from the file's lines 0-17 and is never saved from
    // here: it can be read, selected and copied, not edited.
    mOdebrany->setReadOnly(true);
    // The report's columns are tab-separated: a fixed-pitch font keeps the
    // values under their column numbers.
    QFont fixed = FixedPitchFont();
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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    BuildTextMenu();
}

void ReportPage::BuildTextMenu()
{
    // The standard edit actions, each enabled only when it applies at the
    // moment the menu opens. A hovered item's hint goes to the item's owner,
    // this page, and from it to the window's status bar (panel 0).
    pmTekst = new QMenu(this);
    auto textItem = [this](const QString& caption, const QKeySequence& shortcut, const QString& hint) {
        auto* action = new QAction(caption, this);
        action->setShortcut(shortcut);
        // The memo handles the keys itself; the menu only shows them.
        action->setShortcutContext(Qt::WidgetShortcut);
        SetHint(action, hint);
        pmTekst->addAction(action);
        return action;
    };
    QAction* copy = textItem(QStringLiteral("&Kopiuj"), QKeySequence(QStringLiteral("Ctrl+C")),
                             QStringLiteral("Copy|Copies the selection and puts it on the Clipboard"));
    QAction* paste = textItem(QStringLiteral("&Wklej"), QKeySequence(QStringLiteral("Ctrl+V")),
                              QStringLiteral("Paste|Inserts Clipboard contents"));
    QAction* cut = textItem(QStringLiteral("Wy&tnij"), QKeySequence(QStringLiteral("Ctrl+X")),
                            QStringLiteral("Cut|Cuts the selection and puts it on the Clipboard"));
    QAction* erase = textItem(QStringLiteral("&Usuń"), QKeySequence(QKeySequence::Delete),
                              QStringLiteral("Delete|Erases the selection"));
    QAction* selectAll = textItem(QStringLiteral("Zaznacz &Wszystko"), QKeySequence(QStringLiteral("Ctrl+A")),
                                  QStringLiteral("Select All|Selects the entire document"));
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

void ReportPage::RebuildReportText(const welkor::ReportDocument& report)
{
    mOdebrany->setPlainText(FromCp1250Lines(report.displayedLines()).join(QLatin1Char('\n')));
    mKomentarz->setPlainText(FromCp1250Lines(report.commentLines()).join(QLatin1Char('\n')));
}

QStringList ReportPage::CommentMemoLines() const
{
    // A memo the user emptied holds no line at all, not one empty line.
    if (mKomentarz->document()->isEmpty())
        return {};
    return MemoLines(*mKomentarz);
}

} // namespace welkor::gui
