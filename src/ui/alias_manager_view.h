#pragma once
// The alias manager: the five kind options of the frame "Display", the aliases of the chosen
// kind in three columns, and Delete Alias, Close and Help.

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace wickly::masterdata {
class AliasManagerModel;
}

namespace wickly::ui {

class AliasManagerView : public QDialog
{
    Q_OBJECT
public:
    AliasManagerView(masterdata::AliasManagerModel& model, QWidget* parent = nullptr);

    void render();
    void reject() override;

private:
    masterdata::AliasManagerModel& m_model;
    QTreeWidget* m_table;
    QPushButton* m_delete;
};

} // namespace wickly::ui
