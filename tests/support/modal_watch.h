#pragma once
// Acting on a modal window from inside its own event loop. While a
// ModalWatch lives, each time a window of type Dialog becomes the active
// modal window, `act` runs on it (polled every few milliseconds), at most
// `limit` times (no limit when negative). `act` normally closes it.
//   ModalWatch<frmLoc> close([](frmLoc &d) { d.cmdClose->click(); });
//   ...; QCOMPARE(close.count(), 2);

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>

template <class Dialog>
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(Dialog &)> act, int limit = -1)
        : act_(std::move(act)), limit_(limit)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(5);
    }
    // How often `act` ran.
    int count() const { return count_; }

private:
    void poll()
    {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (dialog == current_ || count_ == limit_)
            return; // nothing new up
        current_ = dialog;
        if (!dialog)
            return;
        ++count_;
        act_(*dialog);
        if (!dialog->isVisible())
            current_ = nullptr; // closed: the next showing is a new one
    }

    QTimer timer_;
    std::function<void(Dialog &)> act_;
    int limit_;
    QPointer<Dialog> current_;
    int count_ = 0;
};
