#include "gui/widgets/LazyPage.h"

#include <QVBoxLayout>

namespace welkor::gui {

PagePlace::PagePlace(QSize minimum, std::function<void()> beforeFirstShow)
    : beforeFirstShow_(std::move(beforeFirstShow))
{
    setMinimumSize(minimum);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void PagePlace::Adopt(QWidget* page)
{
    beforeFirstShow_ = nullptr;
    page->setParent(this);
    layout()->addWidget(page);
    KeepTabOrder(page);
    // A place already on screen shows its page at once.
    if (isVisible())
        page->show();
}

void PagePlace::KeepTabOrder(QWidget* page)
{
    // Tab goes through the page's controls where the place stands, as if the
    // page had been built with the window, not after what was made later (a
    // widget joins the end of its window's tab chain). The chain is rejoined
    // through the controls that take focus, the only ones setTabOrder moves.
    QWidget* before = previousInFocusChain();
    while (before != window() && before->focusPolicy() == Qt::NoFocus)
        before = before->previousInFocusChain();
    if (before == window())
        return;
    QList<QWidget*> controls;
    for (QWidget* w = page->nextInFocusChain(); page->isAncestorOf(w); w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus)
            controls << w;
    for (QWidget* control : controls) {
        QWidget::setTabOrder(before, control);
        before = control;
    }
}

void PagePlace::setVisible(bool visible)
{
    // Built before the place shows, so it is shown with the place.
    if (visible && beforeFirstShow_) {
        const std::function<void()> build = std::move(beforeFirstShow_);
        beforeFirstShow_ = nullptr;
        build();
    }
    QWidget::setVisible(visible);
}

} // namespace welkor::gui
