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
    // A place already on screen shows its page at once.
    if (isVisible())
        page->show();
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
