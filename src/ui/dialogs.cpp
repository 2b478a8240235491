#include "dialogs.h"

#include "about_model.h"
#include "qt_text.h"
#include "tip_of_day_model.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace wickly::ui {

TipOfDayDialog::TipOfDayDialog(TipOfDayModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_tip(new QLabel(this)), m_showTips(new QCheckBox(tr("&Show Tips at Startup"), this))
{
    setObjectName("tipOfDayDialog");
    setWindowTitle(tr("Tip of the Day"));
    auto* heading = new QLabel(tr("<b>Did you know...</b>"), this);
    m_tip->setObjectName("tipLabel");
    m_tip->setWordWrap(true);
    m_tip->setMinimumSize(360, 90);
    m_tip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_tip->setFrameShape(QFrame::StyledPanel);
    m_tip->setMargin(10);
    m_showTips->setObjectName("showTipsCheckBox");

    auto* next = new QPushButton(tr("&Next Tip"), this);
    next->setObjectName("nextButton");
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);

    connect(next, &QPushButton::clicked, this, [this] {
        m_model.nextClicked();
        render();
    });
    connect(m_showTips, &QCheckBox::clicked, this, [this](bool checked) { m_model.showAtStartupToggled(checked); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showTips);
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_tip, 1);
    layout->addLayout(buttons);
    render();
}

void TipOfDayDialog::render()
{
    m_tip->setText(toQ(m_model.tip));
    m_showTips->setChecked(m_model.showAtStartup);
}

AboutDialog::AboutDialog(AboutModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("aboutDialog");
    setWindowTitle(tr("About Wickly"));
    auto* picture = new QSvgWidget(":/images/wickly.svg", this);
    picture->setFixedSize(96, 96);
    auto* title = new QLabel("<h2>" + toQ(model.title).toHtmlEscaped() + "</h2>", this);
    title->setObjectName("titleLabel");
    auto* version = new QLabel(toQ(model.version), this);
    version->setObjectName("versionLabel");
    auto* description = new QLabel(toQ(model.description), this);
    auto* copyright = new QLabel(toQ(model.copyright), this);
    copyright->setWordWrap(true);

    auto* systemInfo = new QPushButton(tr("&System Info..."), this);
    systemInfo->setObjectName("systemInfoButton");
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    connect(systemInfo, &QPushButton::clicked, this, [this] { m_model.systemInfoClicked(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addWidget(description);
    texts->addSpacing(8);
    texts->addWidget(copyright);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(systemInfo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    resize(440, 220);
}

} // namespace wickly::ui
