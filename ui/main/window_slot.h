// A window shown on demand: while it is open, asking for it again only brings it to the front;
// once the user has closed it, the next request builds it anew with a fresh view.
#pragma once

#include <QPointer>
#include <QWidget>

namespace zarnfoil::ui {

template <class Window> class WindowSlot {
  public:
    // `make` builds the window; it is deleted when the user closes it.
    template <class Make> Window* Show(Make make) {
        if (window_ && window_->isVisible()) {
            window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
            window_->raise();
            window_->activateWindow();
            return window_;
        }
        if (window_) window_->deleteLater(); // closed, its deletion still pending
        window_ = make();
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->show();
        return window_;
    }

    // The open window, or null.
    Window* Get() const { return window_ && window_->isVisible() ? window_.data() : nullptr; }

  private:
    QPointer<Window> window_;
};

} // namespace zarnfoil::ui
