#pragma once
// The report window: title, subtitle, the heading line and the report lines in a fixed-pitch
// font, with Copy, the font choice, the three saves, Print and Close.

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace wickly::stats {
class ReportWindowModel;
}

namespace wickly::ui {

class ReportWindowView : public QDialog
{
    Q_OBJECT
public:
    ReportWindowView(stats::ReportWindowModel& model, QWidget* parent = nullptr);

    void render();

private:
    void act(void (stats::ReportWindowModel::*action)());

    stats::ReportWindowModel& m_model;
    QLabel* m_title;
    QLabel* m_subtitle;
    QLineEdit* m_heading;
    QListWidget* m_lines;
    QRadioButton* m_large;
    QRadioButton* m_small;
};

} // namespace wickly::ui
