#include "widgets.h"

#include "qt_text.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace wickly::ui {

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel* makeLabel(const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* l = new QLabel(caption, parent);
    l->setBuddy(buddy);
    return l;
}

QFont fixedFont(double pointSize, bool bold)
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setStyleHint(QFont::TypeWriter);
    if (pointSize > 0) {
        f.setPointSizeF(pointSize);
    }
    f.setBold(bold);
    return f;
}

int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

void showText(QLineEdit* edit, const std::string& text)
{
    const QString q = toQ(text);
    if (edit->text() != q) {
        const QSignalBlocker block(edit);
        edit->setText(q);
    }
}

void showEntries(QComboBox* combo, const QStringList& texts, int selected)
{
    const QSignalBlocker block(combo);
    bool same = combo->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i) {
        same = combo->itemText(i) == texts[i];
    }
    if (!same) {
        combo->clear();
        combo->addItems(texts);
    }
    combo->setCurrentIndex(selected);
}

namespace {

class ArrowFromNothing : public QObject
{
public:
    explicit ArrowFromNothing(QAbstractItemView* list) : QObject(list), m_list(list) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_list && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            QAbstractItemModel* model = m_list->model();
            QItemSelectionModel* selection = m_list->selectionModel();
            if ((key == Qt::Key_Down || key == Qt::Key_Up) && model != nullptr && selection != nullptr &&
                !selection->hasSelection() && model->rowCount(m_list->rootIndex()) > 0) {
                const int row = key == Qt::Key_Down ? 0 : model->rowCount(m_list->rootIndex()) - 1;
                const QModelIndex index = model->index(row, 0, m_list->rootIndex());
                m_list->setCurrentIndex(index); // selects it too, as a click would
                m_list->scrollTo(index);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractItemView* m_list;
};

} // namespace

void chooseFromNothingByArrow(QAbstractItemView* list)
{
    list->installEventFilter(new ArrowFromNothing(list));
}

} // namespace wickly::ui
