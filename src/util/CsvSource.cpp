#include "util/CsvSource.h"

#include <QFile>
#include <QList>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStringList>
#include <QTextStream>

#include <algorithm>

QChar CsvSource::separatorForIndex(int index)
{
    switch (index) {
    case 1:
        return QLatin1Char(':');
    case 2:
        return QLatin1Char(';');
    case 3:
        return QLatin1Char('|');
    case 4:
        return QLatin1Char('\t');
    default:
        return QLatin1Char(',');
    }
}

bool CsvSource::loadCsv(QStandardItemModel &model, int maxRows) const
{
    model.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);

    QStringList titles;
    bool titlesKnown = false;
    int columns = -1;
    QList<QList<QStandardItem *>> rows;
    bool first = true;
    while (!in.atEnd() && (maxRows < 0 || rows.size() < maxRows)) {
        QString line = in.readLine();
        // A spreadsheet program may start the file with a byte-order mark;
        // it is no part of the first title.
        if (first && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        first = false;
        if (std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.isSpace(); }))
            continue;
        if (line.endsWith(separator))
            line.chop(1);
        const QStringList fields = line.split(separator, Qt::KeepEmptyParts);
        if (!titlesKnown) {
            titlesKnown = true;
            if (header) {
                for (qsizetype i = 0; i < fields.size(); ++i) {
                    const QString title = fields.at(i).trimmed();
                    titles << (title.isEmpty() ? QString::number(i + 1) : title);
                }
                continue;
            }
        }
        if (columns < 0)
            columns = int(fields.size());
        QList<QStandardItem *> row;
        for (int c = 0; c < columns; ++c) {
            auto *item = new QStandardItem(fields.value(c).trimmed());
            item->setEditable(false);
            row << item;
        }
        rows << row;
    }
    if (columns < 0)
        columns = int(titles.size());
    // Without a header, or where the header is shorter than the rows, a
    // column is titled by its number.
    for (int c = int(titles.size()); c < columns; ++c)
        titles << QString::number(c + 1);
    model.setColumnCount(columns);
    model.setHorizontalHeaderLabels(titles.mid(0, columns));
    for (const QList<QStandardItem *> &row : std::as_const(rows))
        model.appendRow(row);
    return true;
}
