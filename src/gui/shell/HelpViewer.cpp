#include "gui/shell/HelpViewer.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace welkor::gui {

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Pomoc – Welkor Lumo 1"));
    resize(680, 560);

    browser = new QTextBrowser(this);
    browser->setOpenLinks(true);
    browser->setOpenExternalLinks(true);

    auto* contents = new QPushButton(QStringLiteral("Spis treści"), this);
    auto* index = new QPushButton(QStringLiteral("Indeks"), this);
    auto* back = new QPushButton(QStringLiteral("Wstecz"), this);
    auto* close = new QPushButton(QStringLiteral("Zamknij"), this);
    back->setEnabled(false);
    connect(browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, [this] { showTopic(browser->source().toLocalFile()); });
    connect(index, &QPushButton::clicked, this,
            [this] { showTopic(browser->source().toLocalFile(), QStringLiteral("indeks")); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Escape closes the help, as it closes the program's dialogs.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(index);
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser, 1);
}

void HelpViewer::showTopic(const QString& helpFile, const QString& anchor)
{
    QUrl url = QUrl::fromLocalFile(helpFile);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    if (!isVisible() && parentWidget()) // opens over the program's window
        move(parentWidget()->window()->frameGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    browser->setSource(url);
    // The same file shown again keeps its scroll position unless told.
    if (anchor.isEmpty())
        browser->verticalScrollBar()->setValue(0);
    else
        browser->scrollToAnchor(anchor);
}

} // namespace welkor::gui
