// The edit grid as the analysis work sheet: text and colour modes, the cell
// colours drawn through the template picture, template files, "Przenieś" and
// "Analizuj"; the measured grid above it, and the copy range of both.
#include "gui/analysis/AnalysisPage.h"

#include "core/document/ReportDocument.h"
#include "gui/analysis/EditGrid.h"
#include "gui/dialogs/ErrorGuard.h"
#include "gui/dialogs/FileQuestions.h"
#include "gui/widgets/Hints.h"
#include "gui/widgets/StringGrid.h"
#include "qtbase/FileIO.h"

#include <QFileInfo>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include <cstdlib>

namespace welkor::gui {

namespace {

const QString kTemplateFilter = QStringLiteral("Szablon analizy (*.sza)");
const QString kNoNegativeControl = QStringLiteral("Brak kontroli ujemnych (neg) — nie można wyznaczyć progu.");
const QString kAlreadyAnalysed =
    QStringLiteral("Ten pomiar jest już przeanalizowany.\n"
                   "Aby przeprowadzić nową analizę, kliknij „Przenieś”: wartości pomiaru wrócą do tabeli edycji. "
                   "Potem wpisz kontrole (neg, poz) i kliknij „Analizuj”.");

// A cell text without the blanks around it (a save puts one in front).
QString Bare(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar ch) { return ch == QLatin1Char(' ') || ch == QChar::Nbsp; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

AnalysisPage::AnalysisPage(welkor::ReportDocument& report, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), report_(report), dialogs_(dialogs)
{
    SDSchem = {QStringLiteral("Zapis szablon"), kTemplateFilter, QStringLiteral("sza"), QStringLiteral("Szablon")};
    ODSchem = {QStringLiteral("Otwieranie wyników"), kTemplateFilter, QStringLiteral("sza"), QString()};

    auto* splitter = new QSplitter(Qt::Vertical, this);
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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    for (StringGrid* grid : {sgDane, static_cast<StringGrid*>(sgEdycja)}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& pos) {
            if (items_.pmTabela)
                items_.pmTabela->exec(grid->viewport()->mapToGlobal(pos));
        });
    }
    WireGridEvents();
}

void AnalysisPage::WireGridEvents()
{
    auto guarded = [this](void (AnalysisPage::*handler)()) {
        return [this, handler] { Guarded(dialogs_, [this, handler] { (this->*handler)(); }); };
    };
    auto selected = [this](void (AnalysisPage::*handler)(int, int)) {
        return [this, handler](int column, int row) {
            Guarded(dialogs_, [&] { (this->*handler)(column, row); });
        };
    };
    connect(sgDane, &StringGrid::selectCell, this, selected(&AnalysisPage::sgDaneSelectCell));
    connect(sgDane, &StringGrid::mouseDown, this, guarded(&AnalysisPage::sgDaneMouseDown));
    connect(sgEdycja, &StringGrid::selectCell, this, selected(&AnalysisPage::sgEdycjaSelectCell));
    connect(sgEdycja, &StringGrid::mouseDown, this, guarded(&AnalysisPage::sgEdycjaMouseDown));
    connect(sgEdycja, &StringGrid::mouseUp, this, guarded(&AnalysisPage::sgEdycjaMouseUp));
    connect(sgEdycja, &QAbstractItemView::clicked, this, guarded(&AnalysisPage::sgEdycjaClick));
    // The copy range follows what each grid shows selected (after the cell
    // selection above has moved the first corner).
    for (StringGrid* grid : {sgDane, static_cast<StringGrid*>(sgEdycja)}) {
        auto follow = [this, grid] { Guarded(dialogs_, [this, grid] { FollowSelection(*grid); }); };
        connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, follow);
        connect(grid, &StringGrid::selectCell, this, follow);
    }
}

// ---- Grids ---------------------------------------------------------------------

void AnalysisPage::ShowValuesInGrid() { sgDane->setTexts(report_.measuredGrid()); }

void AnalysisPage::ShowEditGrid() { sgEdycja->setTexts(report_.editGrid()); }

void AnalysisPage::CommitOpenEditors()
{
    sgDane->commitOpenEditor();
    sgEdycja->commitOpenEditor();
}

bool AnalysisPage::EditGridHoldsWork() const
{
    for (int r = 0; r < welkor::kGridRows; ++r) {
        for (int c = 0; c < welkor::kGridColumns; ++c) {
            const QString edit = Bare(sgEdycja->cell(c, r));
            if (!edit.isEmpty() && edit != Bare(sgDane->cell(c, r)))
                return true;
        }
    }
    return false;
}

void AnalysisPage::sgDaneSelectCell(int column, int row)
{
    firstCornerColumn = static_cast<std::uint8_t>(column);
    firstCornerRow = static_cast<std::uint8_t>(row);
}

void AnalysisPage::sgDaneMouseDown()
{
    copySourceIsDane = true;
    items_.Edycja1->setVisible(false);
    items_.N8->setVisible(false);
}

void AnalysisPage::sgEdycjaSelectCell(int column, int row)
{
    firstCornerColumn = static_cast<std::uint8_t>(column);
    firstCornerRow = static_cast<std::uint8_t>(row);
    if (colourMode) {
        CellColours[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = PaintColour;
        PaintTemplateCell(column, row);
    }
}

void AnalysisPage::sgEdycjaMouseDown()
{
    copySourceIsDane = false;
    items_.Edycja1->setVisible(true);
    items_.N8->setVisible(true);
}

void AnalysisPage::sgEdycjaMouseUp()
{
    if (colourMode)
        PaintTemplateCell(firstCornerColumn, firstCornerRow);
}

void AnalysisPage::sgEdycjaClick()
{
    if (colourMode)
        PaintTemplateCell(firstCornerColumn, firstCornerRow);
    else
        RefreshTemplateOverlay();
    DrawTemplateTexts();
}

void AnalysisPage::FollowSelection(const StringGrid& grid)
{
    const welkor::CellRange box = grid.selectionBox(firstCornerColumn, firstCornerRow);
    // The second corner is the far corner of the selection seen from the
    // first, which is the cell pressed (and in colour mode stamped) last.
    auto far = [](int first, int low, int high) { return std::abs(first - low) > std::abs(first - high) ? low : high; };
    secondCornerColumn = static_cast<std::uint8_t>(far(firstCornerColumn, box.left, box.right));
    secondCornerRow = static_cast<std::uint8_t>(far(firstCornerRow, box.top, box.bottom));
}

const StringGrid& AnalysisPage::CopySource() const
{
    return copySourceIsDane ? *sgDane : *static_cast<const StringGrid*>(sgEdycja);
}

// ---- Template: modes, colours, files ---------------------------------------------

void AnalysisPage::ShowStartModes(const MenuItems& items)
{
    items.Edycja1->setChecked(true);
    items.Edycjatekstu1->setChecked(true);
}

void AnalysisPage::SetUpEditGrid()
{
    textMode = true;
    ShowStartModes(items_);
    ApplyTextMode();

    CellWidth = StringGrid::kColumnPitch;
    CellHeight = StringGrid::kRowPitch;
    TemplatePicture = CellPicture(); // white
    CellBrush = QImage(CellPicture::kCellWidth, CellPicture::kCellHeight, QImage::Format_RGB32);
    sgEdycja->setTemplatePicture(&TemplatePicture);

    PaintColour = welkor::kSystemWindow;
    FillCellBrush(PaintColour);
    CellColours = welkor::DefaultCellColours();
    MarkTemplateSaved();
}

void AnalysisPage::ApplyTextMode()
{
    if (textMode)
        sgEdycja->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked
                                  | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    else
        sgEdycja->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void AnalysisPage::FillCellBrush(welkor::Colour colour)
{
    // A system colour is taken as it is at this moment.
    CellBrush.fill(ToQColor(colour));
}

void AnalysisPage::PaintTemplateCell(int column, int row)
{
    // The picture shows the cell's stored colour, never only the brush: what
    // is on the screen is what a template save writes. (Selecting a cell in
    // colour mode stores the painting colour before it gets here.)
    const welkor::Colour stored = CellColours[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    TemplatePicture.fillCell(column, row, ToQColor(stored).rgb());
    RefreshTemplateOverlay();
}

void AnalysisPage::RefreshTemplateOverlay()
{
    sgEdycja->transferOverlay();
    DrawTemplateTexts();
}

void AnalysisPage::DrawTemplateTexts()
{
    // The grid writes the texts over the picture each time it paints the
    // overlay; asking for a paint is all that is left to do here.
    sgEdycja->viewport()->update();
}

void AnalysisPage::ApplyTemplateColours()
{
    for (int c = 0; c < welkor::kGridColumns; ++c) {
        for (int r = 0; r < welkor::kGridRows; ++r) {
            welkor::Colour& colour = CellColours[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (colour == 0)
                colour = welkor::kSystemWindow;
            FillCellBrush(colour);
            TemplatePicture.fillCell(c, r, CellBrush.pixel(0, 0));
        }
    }
    RefreshTemplateOverlay();
    FillCellBrush(PaintColour);
}

void AnalysisPage::CopyValuesToEditGrid()
{
    report_.CopyValuesToEditGrid();
    ShowEditGrid();
}

void AnalysisPage::FormPaint()
{
    if (colourMode)
        PaintTemplateCell(firstCornerColumn, firstCornerRow);
}

void AnalysisPage::Edycja1Click()
{
    // Both "Edycja tekstu" items show one state, whichever was clicked (the
    // menu flips only its own mark before the handler runs).
    textMode = !textMode;
    items_.Edycja1->setChecked(textMode);
    items_.Edycjatekstu1->setChecked(textMode);
    ApplyTextMode();
    RefreshTemplateOverlay();
}

void AnalysisPage::Edycjatekstu1Click() { Edycja1Click(); }

void AnalysisPage::Edycjakolorw1Click()
{
    colourMode = !colourMode;
    items_.Edycjakolorw1->setChecked(colourMode);
}

void AnalysisPage::tbKolorClick()
{
    if (const std::optional<std::uint32_t> chosen = dialogs_.chooseColour(lastDialogColour)) {
        PaintColour = *chosen;
        lastDialogColour = *chosen;
    }
    FillCellBrush(PaintColour);
}

void AnalysisPage::tbPrzeniesClick()
{
    if (EditGridHoldsWork()
        && !dialogs_.askYesNo(
            QStringLiteral("Uwaga!"),
            QStringLiteral("Tabela edycji zawiera oznaczenia, wyniki analizy lub wpisany tekst.\r\n"
                           "Przenieś zastąpi je wartościami pomiaru.\r\nCzy mimo to przenieść dane?")))
        return;
    report_.Transfer();
    ShowEditGrid();
    ClearThreshold(); // the old threshold does not belong to the new analysis
}

void AnalysisPage::Zapiszschemat1Click()
{
    SDSchem.filter = kTemplateFilter;
    if (!dialogs_.saveFile(SDSchem))
        return;
    if (!ConfirmOverwrite(dialogs_, SDSchem.fileName))
        return;
    const QString note = WriteFileAtomically(SDSchem.fileName, welkor::EncodeTemplate(CellColours));
    MarkTemplateSaved();
    if (!note.isEmpty())
        dialogs_.information(note);
}

void AnalysisPage::Otwrzscchemat1Click()
{
    ODSchem.filter = kTemplateFilter;
    if (!dialogs_.openFile(ODSchem))
        return;
    // Only the first 468 bytes can matter; one more tells a longer file.
    const std::string bytes = ReadFilePrefix(ODSchem.fileName, static_cast<qint64>(welkor::kTemplateFileBytes) + 1);
    if (bytes.size() != welkor::kTemplateFileBytes) {
        const QString size = bytes.size() > welkor::kTemplateFileBytes
            ? QStringLiteral("jest dłuższy niż 468 bajtów")
            : QStringLiteral("ma %1 B").arg(bytes.size());
        const QString question = QStringLiteral("Plik:\r\n%1\r\n%2, a szablon analizy ma dokładnie 468 B.\r\n"
                                                "Może to nie być szablon. Czy mimo to go użyć?")
                                     .arg(QFileInfo(ODSchem.fileName).absoluteFilePath(), size);
        if (!dialogs_.askYesNo(QStringLiteral("Uwaga!"), question))
            return;
    }
    welkor::DecodeTemplate(std::string_view(bytes).substr(0, welkor::kTemplateFileBytes), CellColours);
    ApplyTemplateColours();
    MarkTemplateSaved();
}

void AnalysisPage::MarkTemplateSaved() { savedTemplateColours_ = CellColours; }

bool AnalysisPage::TemplateHasUnsavedChanges() const { return CellColours != savedTemplateColours_; }

// ---- Analysis -------------------------------------------------------------------

void AnalysisPage::ClearThreshold() { emit thresholdShown(QString(), QString()); }

void AnalysisPage::tbAnalizujClick()
{
    report_.setEditGrid(sgEdycja->texts());
    const welkor::GridTexts before = report_.editGrid();
    welkor::CutoffOutcome outcome = welkor::CutoffOutcome::MarksOnly;
    try {
        outcome = report_.Analyse(controlCounts, [this](const std::string& status) {
            // The panel is cut to its width; its tool tip gives the threshold
            // the wells were judged against, where the cut hides digits.
            const std::string exact = welkor::ExactThresholdText(controlCounts);
            emit thresholdShown(FromCp1250(status),
                                exact.empty() ? QString() : QStringLiteral("Próg dokładnie: ") + FromCp1250(exact));
        });
    } catch (...) {
        sgEdycja->applyChanges(before, report_.editGrid()); // the wells marked before the failing one stay marked
        throw;
    }
    sgEdycja->applyChanges(before, report_.editGrid());
    // The command never ends in silence without a result.
    if (outcome == welkor::CutoffOutcome::NoNegativeControl) {
        ClearThreshold();
        dialogs_.information(kNoNegativeControl);
    } else if (outcome == welkor::CutoffOutcome::MarksOnly) {
        dialogs_.information(report_.hasData() ? kAlreadyAnalysed : QStringLiteral("Brak danych!"));
    }
}

} // namespace welkor::gui
