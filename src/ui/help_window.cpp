#include "help_window.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace wickly::ui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this))
{
    setWindowTitle(tr("Wickly Help"));
    setObjectName("helpWindow");
    m_browser->setObjectName("helpBrowser");
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({":/help"});
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName("closeButton");
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 520);
}

QString HelpWindow::pageFor(int context)
{
    const QString page = QStringLiteral(":/help/%1.html").arg(context);
    return QFile::exists(page) ? page : QStringLiteral(":/help/10.html");
}

void HelpWindow::showContext(int context)
{
    m_browser->setSource(QUrl("qrc" + pageFor(context)));
    show();
    raise();
    activateWindow();
}

} // namespace wickly::ui
