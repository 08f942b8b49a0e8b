#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class QComboBox;
class QDialog;
class QLayout;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class wsdb;

// What the start-list dialogs share: the code tables of the database, the
// look of their lists and the checks of their forms.
namespace startlist {

// Each tree item keeps the idx of its database row here (0: not stored yet).
constexpr int kIdxRole = Qt::UserRole;

// GenderID 1 "Male", 2 "Female", 3 "Mixed"; TypeID 1 "Individual", 2
// "Synchron"; any other text gives 1.
int genderId(const QString &gender);
int typeId(const QString &type);
QString genderName(int genderId);
QString typeName(int typeId);
// An athlete's gender as stored ("Male", "Female", "Other") in the
// operator's language; anything else as it is.
QString athleteGenderName(const QString &gender);
// Column data role that keeps the stored value behind a translated text.
constexpr int kValueRole = Qt::UserRole + 3;

// A list of database rows with these column titles, sorted by nobody.
QTreeWidget *makeTree(QWidget *parent, const char *name, const QStringList &headers);
// A combo box whose items show translated texts and carry the database
// values (the texts' source form).
QComboBox *makeCodeCombo(QWidget *parent, const char *name, const QStringList &values,
                         const QStringList &shown);
QPushButton *makeButton(QWidget *parent, const char *name, const QString &text);
// A line edit for a year (up to four digits, or empty).
QLineEdit *makeYearEdit(QWidget *parent, const char *name);
// The year as stored: an integer, or NULL for an empty field.
QVariant yearValue(const QString &text);
// A LIKE pattern for a text the operator types: matching from the start,
// "%", "_" and "\" taken literally (the statements use ESCAPE '\').
QString startsWithPattern(const QString &text);

qint64 idxOf(const QTreeWidgetItem *item);

// The buttons of a list dialog: Add, Replace and Delete for the rows, then
// OK and (when asked for) Cancel.
struct RowButtons
{
    QPushButton *add = nullptr;
    QPushButton *replace = nullptr;
    QPushButton *remove = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};
// Lays out the list with its form beside it and the buttons below; the
// keyboard goes through the form first, then the list and the buttons.
RowButtons layoutListDialog(QDialog *dialog, QTreeWidget *tree, QLayout *form, bool withCancel);
// Gives the keyboard to the first field of the dialog's focus chain, as on
// every opening of the dialog.
void focusFirstField(QDialog *dialog);
// Add needs a complete form, Replace that and a chosen row, Delete a row.
void enableRowButtons(const RowButtons &buttons, bool formComplete, bool rowChosen);

// Deletes the database row of the tree's current item from table (by its
// idx) and then the item; nothing when no item is current or the row stays.
void deleteCurrentRow(wsdb &database, const char *table, QTreeWidget *tree);

// Tells the operator that a save did not reach the database, without
// blocking; the dialog stays open with everything entered.
void showSaveFailure(QWidget *parent, const QString &text);

} // namespace startlist
