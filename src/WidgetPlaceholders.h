#pragma once

#include <QLayout>
#include <QSplitter>
#include <QWidget>

// Puts replacement where a placeholder of the window's form stood (in a
// layout or a splitter), gives it the placeholder's name and drops the
// placeholder; the pointer that held the placeholder then holds the
// replacement.
template <typename W> W *replacePlaceholder(QWidget *&placeholder, W *replacement)
{
    replacement->setObjectName(placeholder->objectName());
    QWidget *parent = placeholder->parentWidget();
    if (auto *splitter = qobject_cast<QSplitter *>(parent)) {
        splitter->replaceWidget(splitter->indexOf(placeholder), replacement);
    } else if (parent && parent->layout()) {
        QLayoutItem *old =
            parent->layout()->replaceWidget(placeholder, replacement, Qt::FindChildrenRecursively);
        delete old;
    }
    delete placeholder;
    placeholder = replacement;
    return replacement;
}
