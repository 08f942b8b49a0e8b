#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

class QStandardItemModel;

// One data row of a start list and the line of the file it starts on.
struct CsvRow
{
    int line = 0;
    QStringList fields;
};

// A row the import could not read, with its text as in the file.
struct CsvProblem
{
    int line = 0;
    QString text;
    QString reason;
};

// A start list as the import reads it: the decided encoding and
// separator, the column titles, the rows (each exactly as wide as the
// titles) and the rows it could not read.
struct CsvTable
{
    // false when the file cannot be opened (error says why).
    bool opened = false;
    QString error;
    // "UTF-8", "UTF-8 with BOM", "UTF-16LE with BOM", "UTF-16BE with BOM" or
    // "Windows-1252".
    QString encoding;
    QChar separator;
    bool header = false;
    QStringList titles;
    QList<CsvRow> rows;
    QList<CsvProblem> unreadable;
};

// A start list in a CSV file as the import dialog describes it: the file,
// its field separator and whether its first row holds the column titles.
// Fields follow RFC 4180: a field in double quotes may hold the separator,
// line breaks and doubled quotes. The encoding is read from a byte-order
// mark, else the text is taken as UTF-8 when it is valid UTF-8 and as
// Windows-1252 (what spreadsheets write on Windows) otherwise.
struct CsvSource
{
    QString path;
    QChar separator = QLatin1Char(',');
    bool header = false;

    // The separators the import dialog offers by index: comma, colon,
    // semicolon, pipe, tab; any other index gives a comma.
    static QChar separatorForIndex(int index);
    // The index of a separator in that list; 0 for any other character.
    static int indexOfSeparator(QChar separator);

    // Separator and header flag proposed from the first lines of the file:
    // the separator that splits them most evenly outside quotes, and a
    // header when the first row's fields are distinct texts without digits.
    // opened false when the file cannot be read.
    struct Proposal
    {
        bool opened = false;
        QChar separator = QLatin1Char(',');
        bool header = false;
        QString encoding;
    };
    Proposal propose() const;

    // Reads the file: the titles (from the header row, an empty title
    // becoming its column number, a trailing empty one dropped; without a
    // header the numbers 1, 2, ... up to the widest row), then the data rows
    // (at most maxRows, all for -1), padded with empty cells to the titles.
    // Fields are trimmed. Blank lines are skipped. A row with more fields
    // than titles, or with a quote out of place, cannot be read: it is
    // listed in unreadable and the rows after it are read on.
    CsvTable read(int maxRows = -1) const;

    // Fills model with the rows of read() under the titles; false, with the
    // model empty, when the file cannot be opened. table receives what was
    // read, unreadable rows included.
    bool loadCsv(QStandardItemModel &model, int maxRows, CsvTable *table = nullptr) const;
};
