#include "util/CsvSource.h"

#include "util/RoutineMetaLimits.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <array>

namespace {

// A start list is a few hundred lines; anything far larger is no start list.
constexpr qint64 kMaxFileBytes = 16 << 20;
// The lines the separator and header are proposed from.
constexpr int kProposalLines = 20;

constexpr std::array<char16_t, 5> kSeparators = {u',', u':', u';', u'|', u'\t'};

// Windows-1252 where it differs from Latin-1 (0x80 ... 0x9F); 0 marks the
// five bytes it leaves undefined, which are taken as their Latin-1 control
// characters.
constexpr char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const char16_t high = b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : 0;
        *out++ = QChar(high ? high : char16_t(b));
    }
    return text;
}

// The file's text and the encoding it was read in.
struct Decoded
{
    bool opened = false;
    QString error;
    QString text;
    QString encoding;
};

Decoded decodeFile(const QString &path)
{
    Decoded d;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        d.error = file.errorString();
        return d;
    }
    if (file.size() > kMaxFileBytes) {
        d.error = QCoreApplication::translate("CsvSource", "the file is larger than %1 MB")
                      .arg(kMaxFileBytes >> 20);
        return d;
    }
    const QByteArray bytes = file.readAll();
    d.opened = true;
    const auto decode = [&d](QStringConverter::Encoding encoding, QByteArrayView data, const char *name) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        d.text = decoder(data);
        d.encoding = QString::fromLatin1(name);
        return !decoder.hasError();
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        decode(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), "UTF-8 with BOM");
    } else if (bytes.startsWith("\xFF\xFE")) {
        decode(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2), "UTF-16LE with BOM");
    } else if (bytes.startsWith("\xFE\xFF")) {
        decode(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2), "UTF-16BE with BOM");
    } else if (!decode(QStringConverter::Utf8, bytes, "UTF-8")) {
        // Not valid UTF-8: a spreadsheet's "CSV" on Windows.
        d.text = fromWindows1252(bytes);
        d.encoding = QStringLiteral("Windows-1252");
    }
    return d;
}

// What libcsv hands over while it parses, collected into rows with the
// line each starts on and its text as in the file.
struct Collector
{
    QList<QStringList> rows;
    QList<int> lines;
    QStringList raw;
    QStringList fields;
    int rowLine = 0;
};

void fieldDone(void *data, size_t size, void *collector)
{
    auto *c = static_cast<Collector *>(collector);
    QString field = data ? QString::fromUtf8(static_cast<const char *>(data), qsizetype(size)) : QString();
    // A line break inside quotes is one break, whichever system wrote it.
    field.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    c->fields << field;
}

void rowDone(int, void *collector)
{
    auto *c = static_cast<Collector *>(collector);
    c->rows << c->fields;
    c->lines << c->rowLine;
    c->raw << QString();
    c->fields.clear();
}

int isBlank(unsigned char c)
{
    return c == ' ';
}

int isLineEnd(unsigned char c)
{
    return c == '\n' || c == '\r';
}

// The end of the line holding position pos: just after its LF, or the end.
qsizetype lineEndAfter(const QByteArray &text, qsizetype pos)
{
    const qsizetype lf = text.indexOf('\n', pos);
    return lf < 0 ? text.size() : lf + 1;
}

QString textBetween(const QByteArray &text, qsizetype from, qsizetype to)
{
    QString line = QString::fromUtf8(text.mid(from, to - from));
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

// Splits the text into rows by RFC 4180 with libcsv, feeding it one line at
// a time so that every row is known by its first line. A row libcsv refuses
// (a quote inside an unquoted field, text after a closing quote, a quote
// never closed) goes to problems, and parsing starts again on the line after
// it, so one bad row costs only itself.
void parseRows(const QString &decoded, QChar separator, Collector &out, QList<CsvProblem> &problems)
{
    const QByteArray text = decoded.toUtf8();
    qsizetype pos = 0;
    int line = 1;
    while (pos < text.size()) {
        csv_parser parser{};
        if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL) != CSV_SUCCESS)
            return;
        csv_set_delim(&parser, static_cast<unsigned char>(separator.toLatin1()));
        csv_set_space_func(&parser, isBlank);
        csv_set_term_func(&parser, isLineEnd);
        Collector c;
        qsizetype rowStart = pos;
        c.rowLine = line;
        bool failed = false;
        const auto rowsEndedAt = [&](qsizetype from, qsizetype end) {
            for (qsizetype r = from; r < c.raw.size(); ++r)
                c.raw[r] = textBetween(text, rowStart, end);
        };
        while (pos < text.size()) {
            const qsizetype end = lineEndAfter(text, pos);
            const auto length = static_cast<size_t>(end - pos);
            const qsizetype rowsBefore = c.rows.size();
            const size_t parsed = csv_parse(&parser, text.constData() + pos, length, fieldDone, rowDone, &c);
            if (parsed < length) {
                problems << CsvProblem{c.rowLine, textBetween(text, rowStart, end),
                                       QCoreApplication::translate("CsvSource", "a quote is out of place")};
                pos = end;
                ++line;
                failed = true;
                break;
            }
            pos = end;
            ++line;
            // A row ends only at a line end outside quotes; the parser is then
            // back in its first state (no row begun).
            if (parser.pstate == 0) {
                rowsEndedAt(rowsBefore, pos);
                rowStart = pos;
                c.rowLine = line;
            }
        }
        if (!failed) {
            const qsizetype rowsBefore = c.rows.size();
            if (csv_fini(&parser, fieldDone, rowDone, &c) == CSV_SUCCESS) {
                rowsEndedAt(rowsBefore, pos);
            } else {
                // A quote opened and never closed took the rest of the file:
                // only its first line is lost, the lines after it are read again.
                pos = lineEndAfter(text, rowStart);
                problems << CsvProblem{c.rowLine, textBetween(text, rowStart, pos),
                                       QCoreApplication::translate("CsvSource", "a quote is never closed")};
                line = c.rowLine + 1;
            }
        }
        csv_free(&parser);
        out.rows << c.rows;
        out.lines << c.lines;
        out.raw << c.raw;
    }
}

bool blankRow(const QStringList &fields)
{
    return std::all_of(fields.cbegin(), fields.cend(),
                       [](const QString &f) { return f.trimmed().isEmpty(); }) &&
           fields.size() <= 1;
}

// Empty fields at the end of a row that stand for trailing separators.
qsizetype usedWidth(const QStringList &fields)
{
    qsizetype n = fields.size();
    while (n > 0 && fields.at(n - 1).trimmed().isEmpty())
        --n;
    return n;
}

// Counts the separator outside double quotes.
int countOutsideQuotes(QStringView line, QChar separator)
{
    bool quoted = false;
    int n = 0;
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && c == separator)
            ++n;
    }
    return n;
}

} // namespace

QChar CsvSource::separatorForIndex(int index)
{
    if (index < 0 || index >= int(kSeparators.size()))
        return QLatin1Char(',');
    return QChar(kSeparators[std::size_t(index)]);
}

int CsvSource::indexOfSeparator(QChar separator)
{
    for (std::size_t i = 0; i < kSeparators.size(); ++i)
        if (separator == QChar(kSeparators[i]))
            return int(i);
    return 0;
}

CsvSource::Proposal CsvSource::propose() const
{
    Proposal p;
    const Decoded d = decodeFile(path);
    p.opened = d.opened;
    p.encoding = d.encoding;
    if (!d.opened)
        return p;
    QList<QStringView> lines;
    for (const QStringView line : QStringView(d.text).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line;
        if (lines.size() == kProposalLines)
            break;
    }
    // The separator found on every line the same number of times wins; among
    // those, the one found most often. Without such a one, the most frequent.
    int best = -1;
    bool bestEven = false;
    int bestCount = 0;
    for (std::size_t i = 0; i < kSeparators.size(); ++i) {
        const QChar s(kSeparators[i]);
        int first = -1;
        bool even = true;
        int total = 0;
        for (const QStringView line : std::as_const(lines)) {
            const int n = countOutsideQuotes(line, s);
            total += n;
            if (first < 0)
                first = n;
            even = even && n == first;
        }
        even = even && first > 0;
        if (total > 0 && (best < 0 || (even && !bestEven) || (even == bestEven && total > bestCount))) {
            best = int(i);
            bestEven = even;
            bestCount = total;
        }
    }
    p.separator = separatorForIndex(std::max(best, 0));

    // A header is a row of distinct texts without digits.
    CsvSource probe = *this;
    probe.separator = p.separator;
    probe.header = false;
    const CsvTable table = probe.read(1);
    if (!table.rows.isEmpty()) {
        const QStringList first = table.rows.first().fields.mid(0, usedWidth(table.rows.first().fields));
        QSet<QString> seen;
        bool header = !first.isEmpty();
        for (const QString &f : first) {
            header = header && !f.isEmpty() && !seen.contains(f) &&
                     std::none_of(f.cbegin(), f.cend(), [](QChar c) { return c.isDigit(); });
            seen.insert(f);
        }
        p.header = header;
    }
    return p;
}

CsvTable CsvSource::read(int maxRows) const
{
    CsvTable table;
    table.separator = separator;
    table.header = header;
    const Decoded d = decodeFile(path);
    table.opened = d.opened;
    table.error = d.error;
    table.encoding = d.encoding;
    if (!d.opened)
        return table;

    Collector parsed;
    parseRows(d.text, separator, parsed, table.unreadable);

    qsizetype columns = -1;
    qsizetype first = 0;
    while (first < parsed.rows.size() && blankRow(parsed.rows.at(first)))
        ++first;
    if (header && first < parsed.rows.size()) {
        const QStringList &titles = parsed.rows.at(first);
        columns = usedWidth(titles);
        for (qsizetype i = 0; i < columns; ++i) {
            const QString title = titles.at(i).trimmed();
            table.titles << (title.isEmpty() ? QString::number(i + 1) : title);
        }
        ++first;
    } else if (!header) {
        columns = 0;
        for (qsizetype r = first; r < parsed.rows.size(); ++r)
            columns = std::max(columns, usedWidth(parsed.rows.at(r)));
        for (qsizetype i = 0; i < columns; ++i)
            table.titles << QString::number(i + 1);
    }

    // A row becomes routine meta information (title -> cell): what does not
    // fit its limits is refused here, not cut later.
    const auto tooLong = [](const QStringList &texts) {
        return std::any_of(texts.cbegin(), texts.cend(), [](const QString &t) {
            return t.trimmed().size() > ovra::util::kMaxRoutineMetaText;
        });
    };
    if (table.titles.size() > ovra::util::kMaxRoutineMetaEntries || tooLong(table.titles)) {
        table.opened = false;
        table.error =
            QCoreApplication::translate(
                "CsvSource", "a start list takes at most %1 columns with titles of at most %2 characters")
                .arg(ovra::util::kMaxRoutineMetaEntries)
                .arg(ovra::util::kMaxRoutineMetaText);
        table.titles.clear();
        return table;
    }

    for (qsizetype r = first; r < parsed.rows.size(); ++r) {
        const QStringList &fields = parsed.rows.at(r);
        if (blankRow(fields))
            continue;
        const qsizetype width = usedWidth(fields);
        if (tooLong(fields)) {
            table.unreadable << CsvProblem{
                parsed.lines.at(r), parsed.raw.at(r).left(200),
                QCoreApplication::translate("CsvSource", "a field is longer than %1 characters")
                    .arg(ovra::util::kMaxRoutineMetaText)};
            continue;
        }
        if (width > columns) {
            table.unreadable << CsvProblem{
                parsed.lines.at(r), parsed.raw.at(r),
                QCoreApplication::translate("CsvSource", "%1 fields, but the header names %2 columns")
                    .arg(width)
                    .arg(columns)};
            continue;
        }
        if (maxRows >= 0 && table.rows.size() >= maxRows)
            continue;
        CsvRow row;
        row.line = parsed.lines.at(r);
        for (qsizetype c = 0; c < columns; ++c)
            row.fields << fields.value(c).trimmed();
        table.rows << row;
    }
    // In the order of the file.
    std::stable_sort(table.unreadable.begin(), table.unreadable.end(),
                     [](const CsvProblem &a, const CsvProblem &b) { return a.line < b.line; });
    return table;
}

bool CsvSource::loadCsv(QStandardItemModel &model, int maxRows, CsvTable *result) const
{
    model.clear();
    const CsvTable table = read(maxRows);
    if (result)
        *result = table;
    if (!table.opened)
        return false;
    model.setColumnCount(int(table.titles.size()));
    model.setHorizontalHeaderLabels(table.titles);
    for (const CsvRow &row : table.rows) {
        QList<QStandardItem *> items;
        for (const QString &field : row.fields) {
            auto *item = new QStandardItem(field);
            item->setEditable(false);
            items << item;
        }
        model.appendRow(items);
    }
    return true;
}
