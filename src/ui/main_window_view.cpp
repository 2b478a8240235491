#include "main_window_view.h"

#include "qt_text.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace wickly::ui {

namespace {

const char* buttonName(MainButton b)
{
    switch (b) {
    case MainButton::Clubs: return "clubsButton";
    case MainButton::Grades: return "gradesButton";
    case MainButton::Grounds: return "groundsButton";
    case MainButton::Teams: return "teamsButton";
    case MainButton::Players: return "playersButton";
    case MainButton::Matches: return "matchesButton";
    case MainButton::Statistics: return "statisticsButton";
    case MainButton::Config: return "configButton";
    }
    return "";
}

} // namespace

MainWindowView::MainWindowView(MainWindowModel& model, QWidget* parent) : QMainWindow(parent), m_model(model)
{
    setObjectName("mainWindow");

    QMenu* file = menuBar()->addMenu(tr("&File"));
    m_new = addAction(file, tr("&New Database"), "newfile", &MainWindowModel::newClicked);
    m_open = addAction(file, tr("&Open Database..."), "Openfile", &MainWindowModel::openClicked);
    m_save = addAction(file, tr("&Save Database"), "save", &MainWindowModel::saveClicked);
    m_saveAs = addAction(file, tr("Save Database &As..."), "saveas", &MainWindowModel::saveAsClicked);
    file->addSeparator();
    QAction* exit = file->addAction(tr("E&xit"));
    exit->setObjectName("Exit");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    m_export = addAction(tools, tr("&Export/Email Matches..."), "DB", &MainWindowModel::exportClicked);
    m_import = addAction(tools, tr("&Import Matches..."), "Import", &MainWindowModel::importClicked);
    m_aliases = addAction(tools, tr("&Alias Manager..."), "aliasedit", &MainWindowModel::aliasManagerClicked);
    m_config = tools->addAction(tr("&Config..."));
    m_config->setObjectName("tconfig");
    connect(m_config, &QAction::triggered, this, [this] {
        m_model.buttonClicked(MainButton::Config);
        render();
    });

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* contents = addAction(help, tr("&Contents..."), "Contents", &MainWindowModel::helpContentsClicked);
    contents->setShortcut(QKeySequence::HelpContents);
    addAction(help, tr("&About Wickly..."), "About", &MainWindowModel::aboutClicked);

    for (int i = 0; i < kMainButtonCount; ++i) {
        const auto b = static_cast<MainButton>(i);
        auto* button = new QPushButton(MainWindowModel::buttonCaption(b), this);
        button->setObjectName(buttonName(b));
        button->setMinimumSize(110, 34);
        connect(button, &QPushButton::clicked, this, [this, b] {
            m_model.buttonClicked(b);
            render();
        });
        m_buttons[static_cast<std::size_t>(i)] = button;
    }

    auto* setup = new QGroupBox(tr("Lists"), this);
    auto* setupLayout = new QGridLayout(setup);
    setupLayout->addWidget(button(MainButton::Clubs), 0, 0);
    setupLayout->addWidget(button(MainButton::Grades), 0, 1);
    setupLayout->addWidget(button(MainButton::Grounds), 1, 0);
    setupLayout->addWidget(button(MainButton::Teams), 1, 1);
    setupLayout->addWidget(button(MainButton::Players), 2, 0, 1, 2);

    auto* work = new QGroupBox(tr("Scoring"), this);
    auto* workLayout = new QGridLayout(work);
    workLayout->addWidget(button(MainButton::Matches), 0, 0);
    workLayout->addWidget(button(MainButton::Statistics), 0, 1);
    workLayout->addWidget(button(MainButton::Config), 1, 0, 1, 2);

    auto* picture = new QSvgWidget(":/images/main.svg", this);
    picture->setObjectName("mainPicture");
    picture->setFixedSize(220, 220);

    auto* right = new QVBoxLayout;
    right->addWidget(setup);
    right->addWidget(work);
    right->addStretch();

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(16);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addLayout(right, 1);
    setCentralWidget(central);
    setWindowIcon(QIcon(":/images/wickly.svg"));

    // Before the first database every database command is off; painting only ever enables.
    for (QPushButton* b : m_buttons) {
        b->setEnabled(false);
    }
    for (QAction* a : {m_save, m_saveAs, m_export, m_import, m_aliases, m_config}) {
        a->setEnabled(false);
    }
    render();
}

QAction* MainWindowView::addAction(QMenu* menu, const QString& caption, const char* name,
                                   void (MainWindowModel::*action)())
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, action] {
        (m_model.*action)();
        render();
    });
    return a;
}

void MainWindowView::render()
{
    setWindowTitle(toQ(m_model.caption));
    for (int i = 0; i < kMainButtonCount; ++i) {
        m_buttons[static_cast<std::size_t>(i)]->setEnabled(m_model.buttonEnabled[static_cast<std::size_t>(i)]);
    }
    m_new->setEnabled(m_model.newEnabled);
    m_open->setEnabled(m_model.openEnabled);
    m_save->setEnabled(m_model.saveEnabled);
    m_saveAs->setEnabled(m_model.saveAsEnabled);
    m_export->setEnabled(m_model.exportEnabled);
    m_import->setEnabled(m_model.importEnabled);
    m_aliases->setEnabled(m_model.aliasManagerEnabled);
    m_config->setEnabled(m_model.configMenuEnabled);
}

void MainWindowView::closeEvent(QCloseEvent* event)
{
    if (m_model.closeRequested()) {
        event->accept();
    } else {
        event->ignore();
    }
    render();
}

} // namespace wickly::ui
