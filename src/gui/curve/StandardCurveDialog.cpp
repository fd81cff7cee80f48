#include "gui/curve/StandardCurveDialog.h"

#include "core/output/CopyRange.h"
#include "core/output/CurveCsv.h"
#include "core/output/CurveTable.h"
#include "core/text/Error.h"
#include "gui/curve/CurvePlot.h"
#include "gui/dialogs/ErrorGuard.h"
#include "gui/dialogs/FileQuestions.h"
#include "qtbase/FileIO.h"
#include "qtbase/QtText.h"
#include "qtbase/output/XlsxWorkbook.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <new>

namespace welkor::gui {

namespace {

const QString kSaveFilter = QStringLiteral("Plik CSV (*.csv)|*.csv|Skoroszyt programu Excel (*.xlsx)|*.xlsx");

// A table cell that sorts by its number (a well by its place on the plate,
// row by row) and by its text where it has none; cells without a number come
// after those with one, and equal cells keep the plate's order.
class TableItem : public QTableWidgetItem {
public:
    TableItem(const QString& text, std::optional<double> key, int wellIndex, bool number)
        : QTableWidgetItem(text), key_(key), wellIndex_(wellIndex)
    {
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (number)
            setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    bool operator<(const QTableWidgetItem& other) const override
    {
        const auto* that = dynamic_cast<const TableItem*>(&other);
        if (that == nullptr)
            return QTableWidgetItem::operator<(other);
        if (key_.has_value() != that->key_.has_value())
            return key_.has_value();
        if (key_ && *key_ != *that->key_)
            return *key_ < *that->key_;
        if (!key_) {
            const int order = text().compare(that->text());
            if (order != 0)
                return order < 0;
        }
        return wellIndex_ < that->wellIndex_;
    }

private:
    std::optional<double> key_;
    int wellIndex_;
};


} // namespace

StandardCurveDialog::StandardCurveDialog(const welkor::ReportDocument& report, Dialogs& dialogs,
                                         const QString& reportFile, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), reportFile_(reportFile), hasData_(report.hasData())
{
    setWindowTitle(reportFile.isEmpty()
                       ? QStringLiteral("Krzywa standardowa")
                       : QStringLiteral("Krzywa standardowa – %1").arg(QFileInfo(reportFile).fileName()));
    if (hasData_)
        plate_ = welkor::ReadPlateForCurve(report.measuredGrid(), report.editGrid());

    modelBox = new QComboBox(this);
    for (welkor::CurveModel model : {welkor::CurveModel::FourPL, welkor::CurveModel::FivePL, welkor::CurveModel::Linear,
                                     welkor::CurveModel::LogLog, welkor::CurveModel::PointToPoint})
        modelBox->addItem(FromCp1250(welkor::CurveModelName(model)), static_cast<int>(model));
    modelBox->setToolTip(QStringLiteral("Model krzywej dopasowywany do standardów"));
    weightingBox = new QComboBox(this);
    weightingBox->addItem(QStringLiteral("bez wag"), static_cast<int>(welkor::CurveWeighting::None));
    weightingBox->addItem(QStringLiteral("1/y²"), static_cast<int>(welkor::CurveWeighting::InverseSquare));
    weightingBox->setToolTip(QStringLiteral("1/y²: każdy standard ważony odwrotnością kwadratu swojego odczytu"));
    auto* modelLabel = new QLabel(QStringLiteral("&Model:"), this);
    modelLabel->setBuddy(modelBox);
    auto* weightingLabel = new QLabel(QStringLiteral("&Ważenie:"), this);
    weightingLabel->setBuddy(weightingBox);
    auto* choices = new QHBoxLayout;
    choices->addWidget(modelLabel);
    choices->addWidget(modelBox);
    choices->addSpacing(16);
    choices->addWidget(weightingLabel);
    choices->addWidget(weightingBox);
    choices->addStretch(1);

    plot = new CurvePlot;
    message = new QLabel;
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignCenter);
    message->setTextFormat(Qt::PlainText);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setMargin(24);
    plotPages = new QStackedWidget;
    plotPages->addWidget(plot);
    plotPages->addWidget(message);
    summary = new QLabel;
    summary->setTextFormat(Qt::PlainText);
    summary->setWordWrap(true);
    summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summaryBox = new QGroupBox(QStringLiteral("Parametry krzywej"));
    summaryBox->setMinimumWidth(230);
    summaryBox->setMaximumWidth(300);
    auto* summaryLayout = new QVBoxLayout(summaryBox);
    summaryLayout->addWidget(summary);
    summaryLayout->addStretch(1);
    auto* top = new QWidget;
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(plotPages, 1);
    topLayout->addWidget(summaryBox);

    table = new QTableWidget(0, static_cast<int>(welkor::kCurveTableHeadings.size()));
    QStringList headings;
    for (std::string_view heading : welkor::kCurveTableHeadings)
        headings << QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setAlternatingRowColors(true);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(top);
    splitter->addWidget(table);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({440, 230});

    copyButton = new QPushButton(QStringLiteral("&Kopiuj"), this);
    copyButton->setToolTip(QStringLiteral("Kopiuje tabelę do schowka (kolumny rozdzielone tabulatorem)"));
    saveButton = new QPushButton(QStringLiteral("&Zapisz…"), this);
    saveButton->setToolTip(QStringLiteral("Zapisuje tabelę w pliku CSV albo w skoroszycie programu Excel"));
    auto* closeButton = new QPushButton(QStringLiteral("Za&mknij"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyButton);
    buttons->addWidget(saveButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    // Enter in the table or a box does not close the dialog.
    copyButton->setAutoDefault(false);
    saveButton->setAutoDefault(false);
    closeButton->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(940, 760);

    connect(modelBox, &QComboBox::currentIndexChanged, this, [this] { Refit(); });
    connect(weightingBox, &QComboBox::currentIndexChanged, this, [this] { Refit(); });
    connect(copyButton, &QPushButton::clicked, this, [this] { Guarded(dialogs_, [this] { CopyTable(); }); });
    connect(saveButton, &QPushButton::clicked, this, [this] { Guarded(dialogs_, [this] { SaveTable(); }); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    saveState_.title = QStringLiteral("Zapisz wyniki krzywej standardowej");
    saveState_.filter = kSaveFilter;
    Refit();
}

void StandardCurveDialog::Refit()
{
    options_.model = static_cast<welkor::CurveModel>(modelBox->currentData().toInt());
    options_.weighting = static_cast<welkor::CurveWeighting>(weightingBox->currentData().toInt());
    if (hasData_) {
        result_ = welkor::QuantifyPlate(plate_, options_);
    } else {
        result_ = {};
        result_.fit.problem = ToCp1250(QStringLiteral(
            "Brak danych: otwórz raport z pomiaru albo pobierz pomiar z czytnika, a w tabeli edycji zaznacz "
            "standardy, np. „std 12,5”."));
    }
    ShowResult();
}

void StandardCurveDialog::ShowResult()
{
    QStringList lines;
    for (const std::string& line : welkor::CurveSummaryLines(result_, options_, ','))
        lines << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    plot->setResult(result_);
    if (result_.ok()) {
        summary->setText(lines.join(QLatin1Char('\n')));
        plotPages->setCurrentWidget(plot);
    } else {
        summary->clear();
        message->setText(lines.join(QLatin1Char('\n')));
        plotPages->setCurrentWidget(message);
    }
    summaryBox->setVisible(result_.ok());
    table->setVisible(result_.ok());
    FillTable();
    copyButton->setEnabled(result_.ok());
    saveButton->setEnabled(result_.ok());
}

void StandardCurveDialog::FillTable()
{
    // Filled unsorted, then sorted as the user last chose.
    const int sortColumn = table->horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder sortOrder = table->horizontalHeader()->sortIndicatorOrder();
    table->setSortingEnabled(false);
    const std::vector<welkor::CurveTableRow> rows = welkor::CurveTable(result_);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const welkor::CurveTableRow& row = rows[static_cast<std::size_t>(r)];
        const int wellIndex = row.well.row * 12 + row.well.column;
        const std::optional<double> keys[] = {wellIndex, std::nullopt, row.reading, row.concentration, std::nullopt};
        for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) {
            const std::string& text = row.cells[static_cast<std::size_t>(c)];
            table->setItem(r, c,
                           new TableItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                         keys[c], wellIndex, c == 2 || c == 3));
        }
    }
    table->setSortingEnabled(true);
    table->sortByColumn(sortColumn, sortOrder);
    table->resizeColumnsToContents();
}

QString StandardCurveDialog::TableText() const
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string>& headings = rows.emplace_back();
    for (int c = 0; c < table->columnCount(); ++c)
        headings.push_back(table->horizontalHeaderItem(c)->text().toStdString());
    for (int r = 0; r < table->rowCount(); ++r) {
        std::vector<std::string>& cells = rows.emplace_back();
        for (int c = 0; c < table->columnCount(); ++c)
            cells.push_back(table->item(r, c)->text().toStdString());
    }
    return QString::fromStdString(welkor::ClipboardRows(rows));
}

void StandardCurveDialog::CopyTable() { QGuiApplication::clipboard()->setText(TableText()); }

QString StandardCurveDialog::OfferedFileName(const QString& extension) const
{
    if (!reportFile_.isEmpty()) {
        const QFileInfo report(reportFile_);
        return report.absoluteDir().filePath(report.completeBaseName() + QStringLiteral("-krzywa.") + extension);
    }
    return QDir::home().filePath(QStringLiteral("Pomiar-krzywa.") + extension);
}

void StandardCurveDialog::SaveTable()
{
    if (!result_.ok())
        return;
    const QString offeredExtension = saveState_.filterIndex == 1 ? QStringLiteral("xlsx") : QStringLiteral("csv");
    saveState_.defaultSuffix = offeredExtension;
    if (saveState_.fileName.isEmpty())
        saveState_.fileName = OfferedFileName(offeredExtension);
    if (!dialogs_.saveFile(saveState_))
        return;
    const QString fileName = saveState_.fileName;
    // The name's own extension decides; a name without one follows the file type chosen.
    const QString extension = QFileInfo(fileName).suffix().toLower();
    const bool workbook = extension == QLatin1String("xlsx")
        || (extension != QLatin1String("csv") && saveState_.filterIndex == 1);

    if (!ConfirmOverwrite(dialogs_, fileName))
        return;
    const std::string bytes
        = workbook ? WorkbookBytes(welkor::CurveWorkbook(result_, options_)) : welkor::CurveCsv(result_);
    if (const QString note = WriteFileAtomically(fileName, bytes); !note.isEmpty())
        dialogs_.information(note);
}

} // namespace welkor::gui
