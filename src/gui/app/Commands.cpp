// The window's menus, toolbar and the tables' context menu, built from the
// command table, as the users know them.
#include "gui/app/Commands.h"

#include "gui/widgets/Fonts.h"
#include "gui/widgets/Hints.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

namespace welkor::gui {

namespace {

// The green label at the right of the toolbar. Its text begins with blanks
// that only push the letters to the right; the bar makes room for the
// letters alone, so the label never goes into the bar's overflow menu.
class ToolbarLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override
    {
        const int letters = fontMetrics().horizontalAdvance(text().trimmed());
        const QMargins margins = contentsMargins();
        return QSize(letters + margins.left() + margins.right() + 2 * margin() + 2, QLabel::sizeHint().height());
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

QToolBar* MakeToolBar(QMainWindow& window)
{
    QToolBar* bar = window.addToolBar(QStringLiteral("ToolBar1"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(38);
    bar->setIconSize(QSize(16, 16));
    bar->toggleViewAction()->setVisible(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    return bar;
}

} // namespace

Commands::Commands(QMainWindow& window, std::span<const CommandRow> rows, const Runner& run)
{
    QMap<CommandPlace, QMenu*> menus;
    auto connectRun = [&window, &run](QAction* action, CommandHandler handler) {
        if (handler)
            QObject::connect(action, &QAction::triggered, &window, [run, handler] { run(handler); });
    };
    for (const CommandRow& row : rows) {
        const QString text = QString::fromUtf8(row.text);
        QMenu* menu = menus.value(row.place);
        switch (row.kind) {
        case RowKind::Menu: {
            QMenu* opened = nullptr;
            if (row.place == CommandPlace::MenuBar)
                opened = window.menuBar()->addMenu(text);
            else if (row.place == CommandPlace::Popup)
                opened = new QMenu(&window);
            else
                opened = menu->addMenu(text);
            opened->menuAction()->setVisible(!row.hidden);
            menus.insert(row.opens, opened);
            if (row.menu)
                this->*row.menu = opened;
            break;
        }
        case RowKind::Item: {
            QAction* action = menu->addAction(text);
            if (row.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            if (row.icon)
                action->setIcon(MakeToolIcon(*row.icon));
            action->setCheckable(row.checkable);
            if (row.item)
                this->*row.item = action;
            connectRun(action, row.handler);
            break;
        }
        case RowKind::Separator: {
            QAction* separator = menu->addSeparator();
            if (row.item)
                this->*row.item = separator;
            break;
        }
        case RowKind::Button: {
            if (!ToolBar1)
                ToolBar1 = MakeToolBar(window);
            auto* button = new QToolButton(ToolBar1);
            // The button's action carries the command: its caption, icon and
            // hint show on the button, and clicking the button triggers it.
            auto* action = new QAction(MakeToolIcon(*row.icon), text, button);
            SetHint(action, QString::fromUtf8(row.hint));
            button->setDefaultAction(action);
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            button->setAutoRaise(true);
            // 51 wide as designed, wider only when the caption needs it.
            button->setFixedHeight(36);
            button->setMinimumWidth(51);
            ToolBar1->addWidget(button);
            this->*row.button = button;
            connectRun(action, row.handler);
            break;
        }
        case RowKind::Gap: {
            auto* gap = new QWidget(ToolBar1);
            gap->setFixedWidth(8);
            ToolBar1->addWidget(gap);
            break;
        }
        }
    }
    AddToolbarLabels();
}

void Commands::AddToolbarLabels()
{
    // The command number of the reader link stays out of sight with it.
    Label1 = new QLabel(QStringLiteral("Rozkaz:  "), ToolBar1);
    ToolBar1->addWidget(Label1)->setVisible(false);

    auto* spacer = new QWidget(ToolBar1);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    commandNumberPlace_ = ToolBar1->addWidget(spacer);
    lR = new ToolbarLabel(QStringLiteral("            ZUTE -  Karsk"), ToolBar1);
    // Green, in the serif face, 29 pixels high.
    QFont font = FontOf(SerifFamilies());
    font.setPixelSize(29);
    lR->setFont(font);
    lR->setStyleSheet(QStringLiteral("color: #008000;"));
    lR->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ToolBar1->addWidget(lR);
}

QSpinBox* Commands::CommandNumber()
{
    if (!udNumer) {
        udNumer = new QSpinBox(ToolBar1);
        udNumer->setRange(0, 255);
        ToolBar1->insertWidget(commandNumberPlace_, udNumer)->setVisible(false);
    }
    return udNumer;
}

void Commands::ShowOnToolbar(QWidget* widget, bool visible)
{
    if (!widget)
        return; // a widget not built yet is not on the toolbar either
    for (QAction* action : ToolBar1->actions())
        if (ToolBar1->widgetForAction(action) == widget)
            action->setVisible(visible);
}

} // namespace welkor::gui
