#include "report_window_view.h"

#include "qt_text.h"
#include "widgets.h"
#include "report_window_model.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wickly::ui {

namespace {

QFont titleFont(double pointSize)
{
    QFont f = QApplication::font();
    f.setPointSizeF(pointSize);
    f.setBold(true);
    return f;
}

} // namespace

ReportWindowView::ReportWindowView(stats::ReportWindowModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_title(new QLabel(this)), m_subtitle(new QLabel(this)),
      m_heading(new QLineEdit(this)), m_lines(new QListWidget(this)), m_large(new QRadioButton(tr("Large Font"), this)),
      m_small(new QRadioButton(tr("Small Font"), this))
{
    setObjectName("reportWindow");
    setSizeGripEnabled(true);
    m_title->setObjectName("titleLabel");
    m_title->setFont(titleFont(13.5));
    m_title->setTextFormat(Qt::PlainText);
    m_subtitle->setObjectName("subtitleLabel");
    m_subtitle->setFont(titleFont(12));
    m_subtitle->setTextFormat(Qt::PlainText);
    m_heading->setObjectName("headingEdit");
    m_heading->setReadOnly(true);
    m_lines->setObjectName("linesList");
    m_lines->setUniformItemSizes(true);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* copy = new QPushButton(tr("Copy"), this);
    copy->setObjectName("copyButton");
    auto* textSave = new QPushButton(tr("Text Save"), this);
    textSave->setObjectName("textSaveButton");
    auto* csvSave = new QPushButton(tr("CSV Save"), this);
    csvSave->setObjectName("csvSaveButton");
    auto* htmlSave = new QPushButton(tr("HTML Save"), this);
    htmlSave->setObjectName("htmlSaveButton");
    auto* print = new QPushButton(tr("Print"), this);
    print->setObjectName("printButton");
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName("closeButton");
    close->setDefault(true);
    m_large->setObjectName("largeFontOption");
    m_small->setObjectName("smallFontOption");
    auto* fonts = new QButtonGroup(this);
    fonts->addButton(m_large);
    fonts->addButton(m_small);

    connect(copy, &QPushButton::clicked, this, [this] { act(&stats::ReportWindowModel::copyClicked); });
    connect(textSave, &QPushButton::clicked, this, [this] { act(&stats::ReportWindowModel::textSaveClicked); });
    connect(csvSave, &QPushButton::clicked, this, [this] { act(&stats::ReportWindowModel::csvSaveClicked); });
    connect(htmlSave, &QPushButton::clicked, this, [this] { act(&stats::ReportWindowModel::htmlSaveClicked); });
    connect(print, &QPushButton::clicked, this, [this] { act(&stats::ReportWindowModel::printClicked); });
    connect(m_large, &QRadioButton::clicked, this, [this] { act(&stats::ReportWindowModel::largeFontChosen); });
    connect(m_small, &QRadioButton::clicked, this, [this] { act(&stats::ReportWindowModel::smallFontChosen); });
    connect(close, &QPushButton::clicked, this, [this] {
        m_model.closeClicked();
        accept();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(m_large);
    buttons->addWidget(m_small);
    buttons->addStretch();
    buttons->addWidget(textSave);
    buttons->addWidget(csvSave);
    buttons->addWidget(htmlSave);
    buttons->addWidget(print);
    buttons->addWidget(close);

    // The heading and the lines take the window's whole width and grow with it.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_subtitle);
    layout->addWidget(m_heading);
    layout->addWidget(m_lines, 1);
    layout->addLayout(buttons);
    resize(900, 600);

    const stats::ReportText& r = m_model.report;
    m_lines->clear();
    for (const std::string& line : r.lines) {
        m_lines->addItem(toQ(line));
    }
    render();
}

void ReportWindowView::act(void (stats::ReportWindowModel::*action)())
{
    (m_model.*action)();
    render();
}

void ReportWindowView::render()
{
    const stats::ReportText& r = m_model.report;
    setWindowTitle(toQ(m_model.caption));
    m_title->setText(toQ(r.title));
    // A subtitle may hold a carriage return where it breaks into two lines.
    m_subtitle->setText(toQ(r.subtitle).replace("\r\n", "\n").replace('\r', '\n'));
    m_heading->setText(toQ(r.heading));
    m_large->setChecked(m_model.largeFont);
    m_small->setChecked(!m_model.largeFont);
    const double size = m_model.linesPointSize();
    m_heading->setFont(fixedFont(size, true));
    m_lines->setFont(fixedFont(size, false));
}

} // namespace wickly::ui
