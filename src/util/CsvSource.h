#pragma once

#include <QChar>
#include <QString>

class QStandardItemModel;

// A start list in a CSV file as the import dialog describes it: the file,
// its field separator and whether its first row holds the column titles.
// Quotes have no meaning: a separator inside quotes still separates.
struct CsvSource
{
    QString path;
    QChar separator = QLatin1Char(',');
    bool header = false;

    // The separators the import dialog offers by index: comma, colon,
    // semicolon, pipe, tab; any other index gives a comma.
    static QChar separatorForIndex(int index);

    // Fills model with the file's rows (at most maxRows, all for -1) under
    // the column titles; false, with the model empty, when the file cannot
    // be opened.
    bool loadCsv(QStandardItemModel &model, int maxRows) const;
};
