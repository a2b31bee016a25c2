#pragma once
// Answers the modal windows of the real main window as they come on top, each time with the
// next action in order, and records their names. An action that opens another modal window
// must post its click, so that the inner window runs from the event loop rather than from this
// timer.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

namespace lyrx_test {

class RepondeurModal {
public:
    explicit RepondeurModal(std::vector<std::function<void(QWidget*)>> actions) : actions_(std::move(actions))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(5);
    }
    std::vector<QString> Vus;

private:
    void Tick()
    {
        // A window acts again when it comes back on top after another one.
        QWidget* w = QApplication::activeModalWidget();
        if (!w || actions_.empty() || w == dernier_)
            return;
        dernier_ = w;
        Vus.push_back(w->objectName());
        auto action = std::move(actions_.front());
        actions_.erase(actions_.begin());
        action(w);
    }

    std::vector<std::function<void(QWidget*)>> actions_;
    QPointer<QWidget> dernier_;
    QTimer timer_;
};

// The dialog closed as Cancel closes it, once the current event is handled.
inline void Fermer(QWidget* w)
{
    QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->reject(); });
}

} // namespace lyrx_test
