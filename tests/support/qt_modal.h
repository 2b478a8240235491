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

#include <QDialog>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

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

// Plays the user through a chain of modal windows, one step per window: a step waits until the
// window with its object name (or class name) is the active modal window and has the keyboard,
// then acts on it. The next step is armed
// before a step acts, because an action that opens a child window returns only when that child
// has closed; meanwhile the child's own steps run. Message boxes that no step expects are answered
// with their first Yes or OK button and their texts kept in `messages`. A step that waits longer
// than ten seconds ends the script: its window name goes into `failures` and every modal window
// still open is closed, so that a broken chain fails the test instead of hanging it.
class WindowScript
{
public:
    using Action = std::function<void(QWidget*)>;

    void add(const QString& window, Action act) { m_steps.push_back({window, std::move(act)}); }

    // Arms the first step; the test then starts the chain (a click that opens the first window).
    void start() { arm(0); }

    bool finished() const { return m_next == m_steps.size() && failures.isEmpty(); }

    QStringList messages;
    QStringList failures;
    QStringList acted;

private:
    static constexpr const char* kActedOn = "wicklyScriptActedOn";

    struct Step
    {
        QString window;
        Action act;
    };

    void arm(std::size_t index)
    {
        auto owned = std::make_shared<QTimer>();
        QTimer* timer = owned.get();
        auto polls = std::make_shared<int>(0);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [this, index, timer, polls] {
            QWidget* w = QApplication::activeModalWidget();
            if (index >= m_steps.size()) {
                // After the last step: message boxes are answered as long as the script lives; a
                // window that stays open for ten seconds more is a chain that did not close.
                if (answer(w) || w == nullptr) {
                    *polls = 0;
                } else if (++*polls > 1000) {
                    timer->stop();
                    failures << "still open after the last step: " + w->objectName();
                    closeEverything();
                }
                return;
            }
            // The window is played once it has the keyboard, as a user would start typing.
            if (w != nullptr && w->isVisible() && w->isActiveWindow() && !w->property(kActedOn).toBool() &&
                (w->objectName() == m_steps[index].window ||
                 QString(w->metaObject()->className()) == m_steps[index].window)) {
                // A window is played once: it may still be showing while it closes.
                w->setProperty(kActedOn, true);
                timer->stop();
                m_next = index + 1;
                acted << m_steps[index].window;
                arm(index + 1);
                m_steps[index].act(w);
                return;
            }
            if (answer(w)) {
                return;
            }
            if (++*polls > 1000) {
                timer->stop();
                failures << "waited in vain for " + m_steps[index].window;
                m_next = m_steps.size() + 1;
                closeEverything();
            }
        });
        timer->start();
        m_timers.push_back(owned);
    }

    bool answer(QWidget* w)
    {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box == nullptr || !box->isVisible()) {
            return false;
        }
        messages << box->text();
        for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::Ok}) {
            if (QAbstractButton* button = box->button(b); button != nullptr) {
                button->click();
                return true;
            }
        }
        box->reject();
        return true;
    }

    void closeEverything()
    {
        auto owned = std::make_shared<QTimer>();
        QTimer* sweeper = owned.get();
        auto rounds = std::make_shared<int>(0);
        sweeper->setInterval(20);
        QObject::connect(sweeper, &QTimer::timeout, [sweeper, rounds] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()); d != nullptr) {
                d->done(QDialog::Rejected);
            }
            if (++*rounds > 500) {
                sweeper->stop();
            }
        });
        sweeper->start();
        m_timers.push_back(owned);
    }

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    std::vector<std::shared_ptr<QTimer>> m_timers;
};

// The child of `parent` of type W with this object name, or null.
template <class W> W* child(QWidget* parent, const QString& name)
{
    return parent->findChild<W*>(name);
}

} // namespace wickly::test
