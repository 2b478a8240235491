#include "config_view.h"

#include "config_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace wickly::ui {

using config::ConfigField;
using config::ConfigModel;

namespace {

// A stored colour (0x00BBGGRR) as "#rrggbb".
QString cssColour(std::uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF))
        .name();
}

void setChecked(QRadioButton* on, QRadioButton* off, bool value)
{
    const QSignalBlocker b1(on);
    const QSignalBlocker b2(off);
    (value ? on : off)->setChecked(true);
}

} // namespace

ConfigDialog::ConfigDialog(ConfigModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("configDialog");
    setWindowTitle(toQ(m_model.caption));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("pageTabs");
    m_tabs->addTab(buildUserPage(), tr("&User and Database"));
    m_tabs->addTab(buildPointsPage(), tr("&Points"));
    m_tabs->addTab(buildHtmlPage(), tr("HT&ML"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int page) { m_model.tabChosen(page); });

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName("okButton");
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName("cancelButton");
    auto* help = new QPushButton(tr("&Help"), this);
    help->setObjectName("helpButton");
    connect(m_ok, &QPushButton::clicked, this, &ConfigDialog::okClicked);
    connect(m_cancel, &QPushButton::clicked, this, &ConfigDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { m_model.helpClicked(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    render();
    m_title->setFocus();
}

QLineEdit* ConfigDialog::lineEdit(const char* name, int maxLength, std::string* value)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    connect(edit, &QLineEdit::textEdited, this, [value](const QString& text) { *value = fromQ(text); });
    return edit;
}

QWidget* ConfigDialog::buildUserPage()
{
    config::ConfigValues& v = m_model.values;
    auto* page = new QWidget(this);

    m_title = lineEdit("titleEdit", config::kTitleWidth, &v.databaseTitle);
    m_allowPlayers = new QComboBox(this);
    m_allowPlayers->setObjectName("allowPlayersCombo");
    for (const config::AllowPlayersEntry& e : m_model.allowPlayersEntries) {
        m_allowPlayers->addItem(toQ(e.text));
    }
    connect(m_allowPlayers, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model.values.allowPlayersIndex = index; });
    m_batsmen = new QComboBox(this);
    m_batsmen->setObjectName("batsmenCombo");
    m_bowlers = new QComboBox(this);
    m_bowlers->setObjectName("bowlersCombo");
    for (const std::string& entry : m_model.teamSizeEntries) {
        m_batsmen->addItem(toQ(entry));
        m_bowlers->addItem(toQ(entry));
    }
    connect(m_batsmen, &QComboBox::currentIndexChanged, this, [this](int i) { m_model.values.batsmenIndex = i; });
    connect(m_bowlers, &QComboBox::currentIndexChanged, this, [this](int i) { m_model.values.bowlersIndex = i; });
    m_noBall = lineEdit("noBallEdit", 0, &v.runsPerNoBall);
    m_wide = lineEdit("wideEdit", 0, &v.runsPerWide);
    m_ballsPerOver = lineEdit("ballsPerOverEdit", 0, &v.ballsPerOver);
    for (QLineEdit* e : {m_noBall, m_wide, m_ballsPerOver}) {
        e->setMaximumWidth(80);
    }

    auto* form = new QFormLayout;
    const auto row = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(tr("Database &Title"), m_title);
    row(tr("&Allow Players for"), m_allowPlayers);
    row(tr("&Batsmen per team"), m_batsmen);
    row(tr("Bowle&rs per team"), m_bowlers);
    row(tr("Runs per &No Ball"), m_noBall);
    row(tr("Runs per &Wide"), m_wide);
    row(tr("Balls Per O&ver"), m_ballsPerOver);

    auto* season = new QGroupBox(tr("Season Format"), this);
    m_seasonOneYear = new QRadioButton(tr("yyyy"), season);
    m_seasonOneYear->setObjectName("seasonOneYearRadio");
    m_seasonTwoYears = new QRadioButton(tr("yyyy/yy"), season);
    m_seasonTwoYears->setObjectName("seasonTwoYearsRadio");
    auto* seasonLayout = new QVBoxLayout(season);
    seasonLayout->addWidget(m_seasonOneYear);
    seasonLayout->addWidget(m_seasonTwoYears);
    connect(m_seasonTwoYears, &QRadioButton::toggled, this, [this](bool on) { m_model.values.seasonTwoYears = on; });

    auto* bowling = new QGroupBox(tr("Bowling Format"), this);
    m_runsFirst = new QRadioButton(tr("Runs/Wkts"), bowling);
    m_runsFirst->setObjectName("runsFirstRadio");
    m_wicketsFirst = new QRadioButton(tr("Wkts/Runs"), bowling);
    m_wicketsFirst->setObjectName("wicketsFirstRadio");
    auto* bowlingLayout = new QVBoxLayout(bowling);
    bowlingLayout->addWidget(m_runsFirst);
    bowlingLayout->addWidget(m_wicketsFirst);
    connect(m_runsFirst, &QRadioButton::toggled, this, [this](bool on) { m_model.values.bowlingRunsFirst = on; });

    auto* scorecard = new QGroupBox(tr("Scorecard"), this);
    m_ballsFaced = new QCheckBox(tr("Include Balls &Faced"), scorecard);
    m_ballsFaced->setObjectName("ballsFacedCheckBox");
    m_foursSixes = new QCheckBox(tr("Include &4's and 6's"), scorecard);
    m_foursSixes->setObjectName("foursSixesCheckBox");
    auto* scorecardLayout = new QVBoxLayout(scorecard);
    scorecardLayout->addWidget(m_ballsFaced);
    scorecardLayout->addWidget(m_foursSixes);
    connect(m_ballsFaced, &QCheckBox::toggled, this, [this](bool on) { m_model.values.includeBallsFaced = on; });
    connect(m_foursSixes, &QCheckBox::toggled, this, [this](bool on) { m_model.values.includeFoursSixes = on; });

    m_showTips = new QCheckBox(tr("&Show Tips at Startup"), this);
    m_showTips->setObjectName("showTipsCheckBox");
    connect(m_showTips, &QCheckBox::clicked, this, [this](bool checked) {
        m_model.showTipsClicked(checked);
        render();
    });

    auto* options = new QVBoxLayout;
    options->addWidget(season);
    options->addWidget(bowling);
    options->addWidget(scorecard);
    options->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 1);
    columns->addSpacing(12);
    columns->addLayout(options);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(columns);
    layout->addStretch();
    layout->addWidget(m_showTips);
    return page;
}

QWidget* ConfigDialog::buildPointsPage()
{
    auto* page = new QWidget(this);
    const auto group = [&](const QString& title, auto& edits, auto& values, const auto& labels, const char* name) {
        auto* box = new QGroupBox(title, page);
        auto* form = new QFormLayout(box);
        for (std::size_t i = 0; i < edits.size(); ++i) {
            edits[i] = lineEdit((name + std::to_string(i)).c_str(), 0, &values[i]);
            edits[i]->setMaximumWidth(90);
            form->addRow(tr(labels[i]), edits[i]);
        }
        return box;
    };
    auto* competition = group(tr("Competition Points"), m_competition, m_model.values.competitionPoints,
                              config::kCompetitionPointLabels, "competitionPointsEdit");
    auto* individual = group(tr("Individual Points"), m_individual, m_model.values.individualPoints,
                             config::kIndividualPointLabels, "individualPointsEdit");
    auto* right = new QVBoxLayout;
    right->addWidget(individual);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(competition);
    layout->addLayout(right);
    return page;
}

QWidget* ConfigDialog::buildHtmlPage()
{
    config::ConfigValues& v = m_model.values;
    auto* page = new QWidget(this);

    m_filePrefix = lineEdit("filePrefixEdit", config::kFilePrefixWidth, &v.filePrefix);
    m_filePrefix->setMaximumWidth(60);
    m_authorName = lineEdit("authorNameEdit", config::kAuthorNameWidth, &v.authorName);
    m_authorEmail = lineEdit("authorEmailEdit", config::kAuthorEmailWidth, &v.authorEmail);
    m_authorEmail->installEventFilter(this);
    m_homeUrl = lineEdit("homeUrlEdit", config::kHomeUrlWidth, &v.homeUrl);
    m_copyright = new QPlainTextEdit(this);
    m_copyright->setObjectName("copyrightEdit");
    m_copyright->setTabChangesFocus(true);
    m_copyright->setFixedHeight(64);
    connect(m_copyright, &QPlainTextEdit::textChanged, this, [this] {
        if (m_model.copyrightEdited(fromQ(m_copyright->toPlainText()))) {
            // Over the field's width: show only what will be stored, and keep typing at the end.
            const QSignalBlocker block(m_copyright);
            m_copyright->setPlainText(toQ(m_model.values.copyrightText));
            m_copyright->moveCursor(QTextCursor::End);
        }
    });
    m_headerFile = lineEdit("headerFileEdit", config::kHeaderFileWidth, &v.headerFile);
    connect(m_headerFile, &QLineEdit::textEdited, this,
            [this] { m_editHeader->setEnabled(m_model.editHeaderFileEnabled()); });
    auto* browse = new QPushButton(tr("..."), this);
    browse->setObjectName("browseHeaderButton");
    browse->setToolTip(tr("Choose the header file"));
    browse->setFixedWidth(32);
    m_editHeader = new QPushButton(tr("E&dit"), this);
    m_editHeader->setObjectName("editHeaderButton");
    m_editHeader->setToolTip(tr("Open the header file in a text editor"));
    connect(browse, &QPushButton::clicked, this, [this] {
        m_model.browseHeaderFileClicked();
        render();
    });
    connect(m_editHeader, &QPushButton::clicked, this, [this] {
        m_model.editHeaderFileClicked();
        render();
    });
    auto* headerRow = new QHBoxLayout;
    headerRow->addWidget(m_headerFile, 1);
    headerRow->addWidget(browse);
    headerRow->addWidget(m_editHeader);
    m_backgroundUrl = lineEdit("backgroundUrlEdit", config::kBackgroundUrlWidth, &v.backgroundUrl);

    auto* form = new QFormLayout;
    const auto row = [&](const QString& caption, QWidget* field, QLayout* fieldLayout = nullptr) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        if (fieldLayout != nullptr) {
            form->addRow(label, fieldLayout);
        } else {
            form->addRow(label, field);
        }
    };
    row(tr("&File Prefix (3 char)"), m_filePrefix);
    row(tr("Author &Name"), m_authorName);
    row(tr("Author &Email"), m_authorEmail);
    row(tr("Home U&RL"), m_homeUrl);
    row(tr("&Comment and Copyright text"), m_copyright);
    row(tr("Header F&ile"), m_headerFile, headerRow);
    row(tr("&Background URL"), m_backgroundUrl);

    auto* colours = new QGroupBox(tr("Colours"), page);
    auto* colourGrid = new QGridLayout(colours);
    const char* colourCaptions[] = {"Fore Colour", "Back Colour", "Link Colour", "Selected Link Colour"};
    for (int i = 0; i < config::kWebColourCount; ++i) {
        auto* swatch = new QLabel(colours);
        swatch->setObjectName(QString("colourSwatch%1").arg(i));
        swatch->setFixedSize(40, 20);
        m_swatches[static_cast<std::size_t>(i)] = swatch;
        auto* change = new QPushButton(tr("Change"), colours);
        change->setObjectName(QString("changeColourButton%1").arg(i));
        change->setToolTip(tr("Choose the %1").arg(tr(colourCaptions[i]).toLower()));
        connect(change, &QPushButton::clicked, this, [this, i] {
            m_model.changeColourClicked(i);
            render();
        });
        colourGrid->addWidget(new QLabel(tr(colourCaptions[i]), colours), i, 0);
        colourGrid->addWidget(swatch, i, 1);
        colourGrid->addWidget(change, i, 2);
    }

    auto* chartSize = new QGroupBox(tr("Chart Size"), page);
    m_chartLarge = new QRadioButton(tr("&Large"), chartSize);
    m_chartLarge->setObjectName("chartLargeRadio");
    m_chartSmall = new QRadioButton(tr("&Small"), chartSize);
    m_chartSmall->setObjectName("chartSmallRadio");
    auto* chartLayout = new QHBoxLayout(chartSize);
    chartLayout->addWidget(m_chartLarge);
    chartLayout->addWidget(m_chartSmall);
    connect(m_chartLarge, &QRadioButton::toggled, this, [this](bool on) { m_model.values.chartSizeLarge = on; });

    // The preview draws the sample lines the model lists, in their colours.
    auto* previewBox = new QGroupBox(tr("Table Text"), page);
    m_preview = new QFrame(previewBox);
    m_preview->setObjectName("previewFrame");
    m_preview->setFrameShape(QFrame::StyledPanel);
    auto* previewLayout = new QVBoxLayout(m_preview);
    previewLayout->setSpacing(2);
    for (std::size_t i = 0; i < m_model.previewSamples().size(); ++i) {
        auto* label = new QLabel(m_preview);
        label->setObjectName(QString("previewLabel%1").arg(i));
        previewLayout->addWidget(label);
        m_previewLabels.push_back(label);
    }
    auto* previewBoxLayout = new QVBoxLayout(previewBox);
    previewBoxLayout->addWidget(m_preview);

    auto* right = new QVBoxLayout;
    right->addWidget(colours);
    right->addWidget(chartSize);
    right->addWidget(previewBox);
    right->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addSpacing(12);
    layout->addLayout(right);
    return page;
}

void ConfigDialog::render()
{
    const config::ConfigValues& v = m_model.values;
    {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(m_model.currentPage);
    }

    showText(m_title, v.databaseTitle);
    {
        const QSignalBlocker b1(m_allowPlayers);
        const QSignalBlocker b2(m_batsmen);
        const QSignalBlocker b3(m_bowlers);
        m_allowPlayers->setCurrentIndex(v.allowPlayersIndex);
        m_batsmen->setCurrentIndex(v.batsmenIndex);
        m_bowlers->setCurrentIndex(v.bowlersIndex);
    }
    m_allowPlayers->setEnabled(m_model.allowPlayersEnabled);
    showText(m_noBall, v.runsPerNoBall);
    showText(m_wide, v.runsPerWide);
    showText(m_ballsPerOver, v.ballsPerOver);
    setChecked(m_seasonTwoYears, m_seasonOneYear, v.seasonTwoYears);
    setChecked(m_runsFirst, m_wicketsFirst, v.bowlingRunsFirst);
    for (auto [box, on] : {std::pair{m_ballsFaced, v.includeBallsFaced}, std::pair{m_foursSixes, v.includeFoursSixes},
                           std::pair{m_showTips, m_model.showTips}}) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    }

    for (std::size_t i = 0; i < m_competition.size(); ++i) {
        showText(m_competition[i], v.competitionPoints[i]);
    }
    for (std::size_t i = 0; i < m_individual.size(); ++i) {
        showText(m_individual[i], v.individualPoints[i]);
    }

    showText(m_filePrefix, v.filePrefix);
    showText(m_authorName, v.authorName);
    showText(m_authorEmail, v.authorEmail);
    showText(m_homeUrl, v.homeUrl);
    if (m_copyright->toPlainText() != toQ(v.copyrightText)) {
        const QSignalBlocker block(m_copyright);
        m_copyright->setPlainText(toQ(v.copyrightText));
    }
    showText(m_headerFile, v.headerFile);
    m_editHeader->setEnabled(m_model.editHeaderFileEnabled());
    showText(m_backgroundUrl, v.backgroundUrl);
    setChecked(m_chartLarge, m_chartSmall, v.chartSizeLarge);

    for (std::size_t i = 0; i < m_swatches.size(); ++i) {
        m_swatches[i]->setStyleSheet(
            QString("background-color: %1; border: 1px solid palette(dark);").arg(cssColour(v.colours[i])));
        m_swatches[i]->setToolTip(cssColour(v.colours[i]).toUpper());
    }
    m_preview->setStyleSheet(
        QString("#previewFrame { background-color: %1; }").arg(cssColour(m_model.previewBackground())));
    const std::vector<config::PreviewSample> samples = m_model.previewSamples();
    for (std::size_t i = 0; i < samples.size() && i < m_previewLabels.size(); ++i) {
        const config::PreviewSample& s = samples[i];
        QLabel* label = m_previewLabels[i];
        label->setText(toQ(s.text));
        label->setStyleSheet(QString("color: %1; background-color: %2; font-weight: %3; text-decoration: %4; "
                                     "padding: 1px 4px;")
                                 .arg(cssColour(s.foreground), cssColour(s.background), s.bold ? "bold" : "normal",
                                      s.underline ? "underline" : "none"));
    }
}

void ConfigDialog::okClicked()
{
    if (m_model.okClicked()) {
        accept();
        return;
    }
    render();
    focusRefusedField();
}

void ConfigDialog::focusRefusedField()
{
    QLineEdit* edit = nullptr;
    const auto index = static_cast<std::size_t>(m_model.focusIndex);
    switch (m_model.focusField) {
    case ConfigField::None: return;
    case ConfigField::DatabaseTitle: edit = m_title; break;
    case ConfigField::RunsPerNoBall: edit = m_noBall; break;
    case ConfigField::RunsPerWide: edit = m_wide; break;
    case ConfigField::BallsPerOver: edit = m_ballsPerOver; break;
    case ConfigField::CompetitionPoint: edit = index < m_competition.size() ? m_competition[index] : nullptr; break;
    case ConfigField::IndividualPoint: edit = index < m_individual.size() ? m_individual[index] : nullptr; break;
    }
    if (edit != nullptr) {
        edit->setFocus();
        edit->selectAll();
    }
}

void ConfigDialog::reject()
{
    m_model.cancelClicked();
    QDialog::reject();
}

bool ConfigDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The Author Email is checked when the focus leaves it for another control of the dialog;
    // switching to another program is not leaving it, and neither is Cancel, which discards it.
    if (watched == m_authorEmail && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            QApplication::focusWidget() != m_cancel && isVisible()) {
            // After the focus change has finished, so that the message box does not interrupt it.
            QTimer::singleShot(0, this, [this] { m_model.authorEmailLeft(); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace wickly::ui
