#pragma once
// The program's help: HTML pages compiled into the program, one per help context number.

#include <QDialog>

class QTextBrowser;

namespace wickly::ui {

class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the page of a context number; the contents page when there is none for it.
    void showContext(int context);
    static QString pageFor(int context);

private:
    QTextBrowser* m_browser;
};

} // namespace wickly::ui
