#include "widgets.h"

#include "qt_text.h"

#include <QFontDatabase>
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

} // namespace wickly::ui
