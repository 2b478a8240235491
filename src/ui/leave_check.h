#pragma once
// The check a window runs when the user leaves one of its text boxes (Tab, or a click elsewhere
// in the window), shared by the windows whose boxes are checked that way. The check runs once the
// focus has moved, outside the focus change itself; a refused value gets the focus back, selected,
// after the message box has gone. A message box or menu taking the focus is not leaving the box,
// and a push button taking it is not either: buttons call commit() before they act.

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

namespace wickly::ui {

template <class Key> class LeaveCheck
{
public:
    // `check` runs the window model's check of a box and redraws the window; false when the value
    // was refused. `edit` is the box of a key.
    LeaveCheck(QWidget* window, std::function<bool(Key)> check, std::function<QLineEdit*(Key)> edit)
        : m_window(window), m_check(std::move(check)), m_edit(std::move(edit))
    {
    }

    // A focus event of the box of `key`, from the window's event filter.
    void focusEvent(Key key, QEvent* event)
    {
        if (event->type() == QEvent::FocusIn) {
            m_pending = key;
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            QWidget* next = QApplication::focusWidget();
            const bool leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                                 next != nullptr && m_window->isAncestorOf(next) &&
                                 qobject_cast<QPushButton*>(next) == nullptr;
            if (leaving && m_pending == key) {
                m_pending.reset();
                QTimer::singleShot(0, m_window, [this, key] {
                    if (!m_check(key)) {
                        refocus(key);
                    }
                });
            }
        }
    }

    // The box of `key` has been typed into: its check is due when it is left or a button acts.
    void edited(Key key) { m_pending = key; }

    // Runs the check of the box being typed in before a button acts; false when the value was
    // refused (the focus goes back to the box).
    bool commit()
    {
        if (!m_pending) {
            return true;
        }
        const Key key = *m_pending;
        m_pending.reset();
        if (m_check(key)) {
            return true;
        }
        refocus(key);
        return false;
    }

private:
    void refocus(Key key)
    {
        QLineEdit* box = m_edit(key);
        QTimer::singleShot(0, box, [this, box, key] {
            m_pending = key;
            box->setFocus();
            box->selectAll();
        });
    }

    QWidget* m_window;
    std::function<bool(Key)> m_check;
    std::function<QLineEdit*(Key)> m_edit;
    std::optional<Key> m_pending; // the checked box that has the focus or was typed into
};

} // namespace wickly::ui
