#pragma once

#include <QSize>
#include <QWidget>

#include <functional>

namespace welkor::gui {

// The place a page stands in its tab until it is built: empty, of the page's
// designed minimum size, so the tabs lay out as they will with the page. It
// has the page built just before it is first shown.
class PagePlace : public QWidget {
public:
    PagePlace(QSize minimum, std::function<void()> beforeFirstShow);

    // The page fills the place from now on.
    void Adopt(QWidget* page);
    void setVisible(bool visible) override;

private:
    void KeepTabOrder(QWidget* page);

    std::function<void()> beforeFirstShow_;
};

// A page of the window that is built when first needed: when its tab is
// first shown, or when anything first asks for the page. A page the user
// never opens costs nothing at start-up. `make` builds the page; `ready`
// gives it its start-up state once it stands in its place.
template <class Page>
class LazyPage {
public:
    using Make = std::function<Page*()>;
    using Ready = std::function<void(Page&)>;

    // The place the tab widget shows (the window owns it as its tab).
    PagePlace* Place(QSize minimum, Make make, Ready ready)
    {
        make_ = std::move(make);
        ready_ = std::move(ready);
        place_ = new PagePlace(minimum, [this] { get(); });
        return place_;
    }
    QWidget* tab() const { return place_; }
    bool built() const { return page_ != nullptr; }

    // The page, built first if need be (building it is not a change the
    // caller sees: it is the page as it would have stood since start-up).
    Page* get() const
    {
        if (!page_) {
            page_ = make_();
            place_->Adopt(page_);
            ready_(*page_);
        }
        return page_;
    }
    Page* operator->() const { return get(); }
    Page& operator*() const { return *get(); }

private:
    Make make_;
    Ready ready_;
    PagePlace* place_ = nullptr;
    mutable Page* page_ = nullptr;
};

} // namespace welkor::gui
