#pragma once
// Small helpers the views share for building and filling their widgets.

#include <QFont>
#include <QString>
#include <QStringList>

#include <string>

class QAbstractItemView;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace wickly::ui {

// A named push button that does not become the default when it takes the focus.
QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent);
// A caption whose accelerator moves the focus to `buddy`.
QLabel* makeLabel(const QString& caption, QWidget* buddy, QWidget* parent);
// The fixed-pitch font of lists and reports; a size of 0 keeps the system's size.
QFont fixedFont(double pointSize = 0, bool bold = false);
// The row of a list's selected line, -1 when none.
int selectedRow(const QListWidget* list);
// Shows a model's text in a line edit, leaving it alone when it already reads so (the cursor
// stays put) and without reporting it as an edit.
void showText(QLineEdit* edit, const std::string& text);
// Shows a list's entries in a combo box, refilled only when they changed (so an open list is not
// disturbed), and chooses entry `selected` (-1: none), neither reported as the user's choice.
void showEntries(QComboBox* combo, const QStringList& texts, int selected);
// A list that shows nothing chosen takes its first line on the first Down (and its last on the
// first Up), instead of moving past the line the focus rests on without showing it.
void chooseFromNothingByArrow(QAbstractItemView* list);

} // namespace wickly::ui
