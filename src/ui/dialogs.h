#pragma once
// The small dialogs of the shell: the tip of the day and the About box.

#include <QDialog>

class QCheckBox;
class QLabel;

namespace wickly {
class AboutModel;
class TipOfDayModel;
} // namespace wickly

namespace wickly::ui {

class TipOfDayDialog : public QDialog
{
    Q_OBJECT
public:
    TipOfDayDialog(TipOfDayModel& model, QWidget* parent = nullptr);

private:
    void render();

    TipOfDayModel& m_model;
    QLabel* m_tip;
    QCheckBox* m_showTips;
};

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    AboutDialog(AboutModel& model, QWidget* parent = nullptr);

private:
    AboutModel& m_model;
};

} // namespace wickly::ui
