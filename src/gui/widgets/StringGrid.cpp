#include "gui/widgets/StringGrid.h"

#include "qtbase/QtText.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>

namespace welkor::gui {

// Paints heading cells in the button face colour, plain cells as usual.
class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool heading = index.row() < grid_->fixedCells_ || index.column() < grid_->fixedCells_;
        if (heading) {
            painter->fillRect(option.rect, option.palette.color(QPalette::Button));
            painter->setPen(option.palette.color(QPalette::ButtonText));
            painter->drawText(option.rect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop,
                              index.data().toString());
        } else {
            QStyleOptionViewItem plain(option);
            plain.displayAlignment = Qt::AlignLeft | Qt::AlignTop;
            plain.rect = option.rect;
            QStyledItemDelegate::paint(painter, plain, index);
        }
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        grid_->openEditor_ = editor;
        return editor;
    }

    // Whatever was typed or pasted, a cell never holds a line break or a tab.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            model->setData(index, StringGrid::CellTextFromTyped(line->text()), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    StringGrid* grid_;
};

StringGrid::StringGrid(int fixedCells, QWidget* parent)
    : QTableWidget(parent), fixedCells_(fixedCells)
{
    // The headers are hidden before the grid gets its size, so they never
    // measure their (bold) captions.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setRowCount(welkor::kGridRows);
    setColumnCount(welkor::kGridColumns);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(kColumnPitch);
    verticalHeader()->setDefaultSectionSize(kRowPitch);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setItemDelegate(new StringGridDelegate(this));
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (r < fixedCells_ || c < fixedCells_)
                item->setFlags(Qt::ItemIsEnabled);
            setItem(r, c, item);
        }
    }
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        // A press reports its cell itself, before the grid moves; this covers
        // the keyboard.
        if (!pressing_ && row >= 0 && column >= 0)
            emit selectCell(column, row);
    });
}

bool StringGrid::commitOpenEditor()
{
    if (!openEditor_ || state() != QAbstractItemView::EditingState)
        return false;
    QWidget* editor = openEditor_;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    openEditor_ = nullptr;
    return true;
}

QString StringGrid::CellTextFromTyped(QString text)
{
    for (QChar& ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
            ch = QLatin1Char(' ');
    return text;
}

QString StringGrid::cell(int column, int row) const
{
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString& text)
{
    if (QTableWidgetItem* it = item(row, column); it && it->text() != text)
        it->setText(text);
}

welkor::GridTexts StringGrid::texts() const
{
    welkor::GridTexts out;
    for (int r = 0; r < welkor::kGridRows; ++r)
        for (int c = 0; c < welkor::kGridColumns; ++c)
            out[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = ToCp1250(cell(c, r));
    return out;
}

void StringGrid::setTexts(const welkor::GridTexts& texts)
{
    for (int r = 0; r < welkor::kGridRows; ++r)
        for (int c = 0; c < welkor::kGridColumns; ++c)
            setCell(c, r, FromCp1250(texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
}

void StringGrid::applyChanges(const welkor::GridTexts& before, const welkor::GridTexts& after)
{
    for (std::size_t r = 0; r < before.size(); ++r)
        for (std::size_t c = 0; c < before[r].size(); ++c)
            if (after[r][c] != before[r][c])
                setCell(static_cast<int>(c), static_cast<int>(r), FromCp1250(after[r][c]));
}

welkor::CellRange StringGrid::selectionBox(int fallbackColumn, int fallbackRow) const
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) {
        const QModelIndex current = currentIndex();
        if (current.isValid())
            return welkor::RangeBetween(current.column(), current.row(), current.column(), current.row());
        return welkor::RangeBetween(fallbackColumn, fallbackRow, fallbackColumn, fallbackRow);
    }
    welkor::CellRange box{ranges.first().leftColumn(), ranges.first().topRow(), ranges.first().rightColumn(),
                          ranges.first().bottomRow()};
    for (const QTableWidgetSelectionRange& range : ranges) {
        box.left = std::min(box.left, range.leftColumn());
        box.top = std::min(box.top, range.topRow());
        box.right = std::max(box.right, range.rightColumn());
        box.bottom = std::max(box.bottom, range.bottomRow());
    }
    return welkor::RangeBetween(box.left, box.top, box.right, box.bottom);
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(event->button());
    // Only the left button selects. The right one opens the context menu
    // over what is highlighted, which is also the copy range, so it must
    // move neither.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool selectable = index.isValid() && index.row() >= fixedCells_ && index.column() >= fixedCells_;
    if (selectable)
        emit selectCell(index.column(), index.row());
    pressing_ = true;
    QTableWidget::mousePressEvent(event);
    pressing_ = false;
}

void StringGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        QTableWidget::mouseMoveEvent(event);
        return;
    }
    // A drag only stretches the selection. The view moves its current cell
    // along with the pointer, but that is no cell selection: the cell pressed
    // stays the first corner of the range (and in colour mode the only cell
    // painted).
    const QSignalBlocker quiet(this);
    QTableWidget::mouseMoveEvent(event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        QTableWidget::mouseReleaseEvent(event);
    else
        event->accept();
    emit mouseUp(event->button());
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        QTableWidget::mouseDoubleClickEvent(event);
    else
        event->accept();
}

} // namespace welkor::gui
