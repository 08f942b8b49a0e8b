#include "StartListDialogSupport.h"

#include "wsdb.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace startlist {

int genderId(const QString &gender)
{
    if (gender == QLatin1String("Female"))
        return 2;
    if (gender == QLatin1String("Mixed"))
        return 3;
    return 1;
}

int typeId(const QString &type)
{
    return type == QLatin1String("Synchron") ? 2 : 1;
}

QString genderName(int id)
{
    switch (id) {
    case 2:
        return QCoreApplication::translate("StartListDialogs", "Female");
    case 3:
        return QCoreApplication::translate("StartListDialogs", "Mixed");
    default:
        return QCoreApplication::translate("StartListDialogs", "Male");
    }
}

QString typeName(int id)
{
    return id == 2 ? QCoreApplication::translate("StartListDialogs", "Synchron")
                   : QCoreApplication::translate("StartListDialogs", "Individual");
}

QString athleteGenderName(const QString &gender)
{
    if (gender == QLatin1String("Male"))
        return genderName(1);
    if (gender == QLatin1String("Female"))
        return genderName(2);
    if (gender == QLatin1String("Other"))
        return QCoreApplication::translate("StartListDialogs", "Other");
    return gender;
}

QTreeWidget *makeTree(QWidget *parent, const char *name, const QStringList &headers)
{
    auto *tree = new QTreeWidget(parent);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setHeaderLabels(headers);
    tree->setRootIsDecorated(false);
    tree->setAlternatingRowColors(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setAllColumnsShowFocus(true);
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return tree;
}

QComboBox *makeCodeCombo(QWidget *parent, const char *name, const QStringList &values,
                         const QStringList &shown)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    for (qsizetype i = 0; i < values.size(); ++i)
        combo->addItem(shown.value(i, values.at(i)), values.at(i));
    return combo;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit *makeYearEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), edit));
    return edit;
}

QVariant yearValue(const QString &text)
{
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok ? QVariant(year) : QVariant();
}

QString startsWithPattern(const QString &text)
{
    return wsdb::likeEscaped(text) + QLatin1Char('%');
}

qint64 idxOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kIdxRole).toLongLong() : 0;
}

RowButtons layoutListDialog(QDialog *dialog, QTreeWidget *tree, QLayout *form, bool withCancel)
{
    RowButtons b;
    b.add = makeButton(dialog, "addButton", QCoreApplication::translate("StartListDialogs", "Add"));
    b.replace =
        makeButton(dialog, "replaceButton", QCoreApplication::translate("StartListDialogs", "Replace"));
    b.remove = makeButton(dialog, "deleteButton", QCoreApplication::translate("StartListDialogs", "Delete"));
    b.ok = makeButton(dialog, "okButton", QCoreApplication::translate("StartListDialogs", "OK"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {b.add, b.replace, b.remove})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(b.ok);
    if (withCancel) {
        b.cancel =
            makeButton(dialog, "cancelButton", QCoreApplication::translate("StartListDialogs", "Cancel"));
        buttons->addWidget(b.cancel);
    }
    auto *body = new QHBoxLayout;
    body->addWidget(tree, 3);
    body->addLayout(form, 2);
    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    // The form comes first, in the order it reads, so that the first name
    // typed lands in its first field; then the list and the buttons.
    QList<QWidget *> chain;
    if (auto *fields = qobject_cast<QFormLayout *>(form)) {
        for (int row = 0; row < fields->rowCount(); ++row) {
            if (QLayoutItem *item = fields->itemAt(row, QFormLayout::FieldRole); item && item->widget())
                chain << item->widget();
        }
    }
    chain << tree << b.add << b.replace << b.remove << b.ok;
    if (b.cancel)
        chain << b.cancel;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
    if (!chain.isEmpty())
        chain.first()->setFocus();
    return b;
}

void focusFirstField(QDialog *dialog)
{
    // The widget after the dialog itself in its focus chain.
    for (QWidget *next = dialog->nextInFocusChain(); next && next != dialog;
         next = next->nextInFocusChain()) {
        if (next->focusPolicy() & Qt::TabFocus && next->isEnabled()) {
            next->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void enableRowButtons(const RowButtons &buttons, bool formComplete, bool rowChosen)
{
    buttons.add->setEnabled(formComplete);
    buttons.replace->setEnabled(formComplete && rowChosen);
    buttons.remove->setEnabled(rowChosen);
}

void deleteCurrentRow(wsdb &database, const char *table, QTreeWidget *tree)
{
    QTreeWidgetItem *item = tree->currentItem();
    if (item != nullptr &&
        database.execute(QStringLiteral("DELETE FROM %1 WHERE idx=?;").arg(QLatin1String(table)),
                         {idxOf(item)}))
        delete item;
}

void showSaveFailure(QWidget *parent, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, parent->windowTitle(), text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("saveFailedMessageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace startlist
