#pragma once
// Helpers for the Qt smoke tests: a modal window's exec() does not return until someone closes
// it, so these play the user from a timer while the test is blocked in exec(). Test checks stay
// outside the timer callbacks; the callbacks only act and record what they saw.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace wickly::test {

// Polls the active modal window every 10 ms and runs `act` on it when `accept` takes it: only
// on the first such window (Once, the timer stops before `act` runs), or on each one found until
// the deadline (Every). The deadline is 500 polls (about five seconds), so a window that never
// opens leaves no timer behind. `done` says whether it acted; `titles` lists the titles of the
// windows it acted on.
class ModalPlayer
{
public:
    enum class Times { Once, Every };

    ModalPlayer(std::function<bool(QWidget*)> accept, std::function<void(QWidget*)> act, Times times = Times::Once)
        : m_accept(std::move(accept)), m_act(std::move(act)), m_times(times)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    ModalPlayer(const ModalPlayer&) = delete;
    ModalPlayer& operator=(const ModalPlayer&) = delete;

    bool done = false;
    QStringList titles;

private:
    void poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (w != nullptr && m_accept(w)) {
            if (m_times == Times::Once) {
                m_timer.stop();
            }
            titles << w->windowTitle();
            m_act(w);
            done = true;
            if (m_times == Times::Once) {
                return;
            }
        }
        if (++m_polls > 500) {
            m_timer.stop();
        }
    }

    std::function<bool(QWidget*)> m_accept;
    std::function<void(QWidget*)> m_act;
    Times m_times;
    QTimer m_timer;
    int m_polls = 0;
};

// A predicate for ModalPlayer: the shown window with this object name.
inline std::function<bool(QWidget*)> shownWindowNamed(const QString& objectName)
{
    return [objectName](QWidget* w) { return w->objectName() == objectName && w->isVisible(); };
}

// Answers the next message box (Once) or every message box until the deadline (Every) by
// clicking `button`, and records each box's text in `texts`.
class MessageBoxAnswerer : public ModalPlayer
{
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton button, Times times = Times::Once)
        : ModalPlayer([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                      [this, button](QWidget* w) {
                          auto* box = qobject_cast<QMessageBox*>(w);
                          texts << box->text();
                          box->button(button)->click();
                      },
                      times)
    {
    }

    QStringList texts;
};

// The child of `parent` of type W with this object name, or null.
template <class W> W* child(QWidget* parent, const QString& name)
{
    return parent->findChild<W*>(name);
}

} // namespace wickly::test
