#include "util/FileUtils.h"
#include "util/RESTUtils.h"
#include "util/RoutineMetaLimits.h"
#include "util/ZeroedBuffer.h"

#include "data/Evaluation.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>

namespace ovra::util {

using data::model::Landing;
using data::model::Routines;
using data::model::TrampMode;

namespace {

constexpr int kElementLines = 10;
constexpr int kMetaCode = -69;
constexpr qsizetype kFlushBytes = 4 << 20;
constexpr qint64 kReadChunk = 1 << 20;
// The shortest sample row this program writes ("0.000" and five zeros) is
// 16 bytes with its feed; reading from memory plans room for rows of 12.
constexpr std::size_t kShortestRow = 12;
// This thread's share of the rows (in percent) when a second one reads the
// rest, and how many rows the second hands over at a time.
constexpr qint64 kOwnShare = 36;
constexpr std::size_t kPublishRows = 4096;
// Bad rows and skipped lines are logged one by one up to this many, then
// only counted, so a broken file cannot flood the log.
constexpr int kLoggedProblems = 5;
constexpr int kMaxMetaEntries = kMaxRoutineMetaEntries;
constexpr int kMaxMetaText = kMaxRoutineMetaText;

std::size_t idx(int i)
{
    return static_cast<std::size_t>(i);
}

struct Separators
{
    QChar column = QLatin1Char('\t');
    QChar decimal = QLatin1Char('.');
    QString line = QStringLiteral("\n");
};

Separators separatorsOf(OvraSettings *settings, FileUtils::Format format = FileUtils::Format::Export)
{
    Separators s;
    if (!settings || format == FileUtils::Format::Standard)
        return s;
    const ExportSettings &e = settings->exportSettings();
    if (!e.columnSep().isEmpty())
        s.column = e.columnSep().at(0);
    if (!e.decimalSep().isEmpty())
        s.decimal = e.decimalSep().at(0);
    if (!e.lineSep().isEmpty())
        s.line = e.lineSep();
    return s;
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// Header lines are short; they are composed as text with the separators of
// the export settings.
class HeaderWriter
{
public:
    explicit HeaderWriter(const Separators &separators)
        : m_sep(separators)
    {}

    QString substituted(QString number) const
    {
        for (QChar &c : number) {
            if (c == QLatin1Char('.') || c == QLatin1Char(','))
                c = m_sep.decimal;
        }
        return number;
    }

    void begin(double code) { m_text += substituted(fixed(code, 3)); }
    void add(const QString &column)
    {
        m_text += m_sep.column;
        m_text += column;
    }
    void add(int value) { add(QString::number(value)); }
    void add(double value, int decimals) { add(fixed(value, decimals)); }
    void addSubstituted(double value, int decimals) { add(substituted(fixed(value, decimals))); }
    void trailingSeparator() { m_text += m_sep.column; }
    void end() { m_text += m_sep.line; }

    const QString &text() const { return m_text; }

private:
    Separators m_sep;
    QString m_text;
};

double blockCode(double first, int k)
{
    return first - k * 0.001;
}

int modeNumber(TrampMode mode)
{
    return static_cast<int>(mode);
}

// Element result lines and their totals (-0.005 to -0.015). A missing element
// ends with the separator after the mode.
void writeResultLines(HeaderWriter &w, const wsDaten &store)
{
    const Routines &r = store.routines();
    const TrampMode mode = store.trampMode();
    // The totals run over the elements the lines show.
    const quint64 n = std::min<quint64>(r.landingCount, kElementLines);
    const Routines::LandingArray &individual =
        mode == TrampMode::Trampoline2 ? r.individualLandingsTrampoline2 : r.individualLandingsTrampoline1;
    for (int k = 0; k < kElementLines; ++k) {
        w.begin(blockCode(-0.005, k));
        w.add(modeNumber(mode));
        if (static_cast<quint64>(k) >= n) {
            w.trailingSeparator();
        } else if (mode == TrampMode::Synchronized) {
            const Landing &a = r.synchronizedLandingsTrampoline1[idx(k)];
            const Landing &b = r.synchronizedLandingsTrampoline2[idx(k)];
            w.add(a.hdDeduction, 1);
            w.add(1.0 - a.hdDeduction, 1);
            w.add(b.hdDeduction, 1);
            w.add(1.0 - b.hdDeduction, 1);
            w.add(a.synDeduction, 2);
            w.add(a.synScore, 2);
            w.add(a.landingTimeDifference, 3);
        } else {
            const Landing &l = individual[idx(k)];
            w.add(l.timeOfFlight * 0.001, 3);
            w.add(l.hdDeduction, 1);
            w.add(1.0 - l.hdDeduction, 1);
            w.add(l.landingPosition.x, 0);
            w.add(l.landingPosition.y, 0);
        }
        w.end();
    }

    w.begin(-0.015);
    w.add(modeNumber(mode));
    if (mode == TrampMode::Synchronized) {
        const auto result = data::calc::evaluateSynchronizedRoutine(r.synchronizedLandingsTrampoline1,
                                                                    r.synchronizedLandingsTrampoline2, n);
        double synScoreSum = 0.0;
        for (std::size_t i = 0; i < result.effectiveElementCount; ++i)
            synScoreSum += 1.0 - r.synchronizedLandingsTrampoline1[i].synDeduction;
        w.add(result.hdDeductionSumTrampoline1, 1);
        w.add(result.hdDeductionSumTrampoline2, 1);
        w.add(result.horizontalDisplacementTrampoline1, 1);
        w.add(result.horizontalDisplacementTrampoline2, 1);
        w.add(result.synDeductionSum, 2);
        w.add(synScoreSum, 2);
        w.add(result.landingTimeDifferenceSum, 3);
    } else {
        const auto result = data::calc::evaluateIndividualRoutine(individual, n);
        w.add(result.timeOfFlight, 3);
        w.add(result.hdDeductionSum, 1);
        w.add(result.horizontalDisplacement, 1);
    }
    w.end();
}

void writePositionLines(HeaderWriter &w, const wsDaten &store)
{
    const Routines &r = store.routines();
    const TrampMode mode = store.trampMode();
    const quint64 n = r.landingCount;
    for (int k = 0; k < kElementLines; ++k) {
        w.begin(blockCode(-0.017, k));
        w.add(modeNumber(mode));
        if (static_cast<quint64>(k) >= n) {
            w.trailingSeparator();
        } else if (mode == TrampMode::Synchronized) {
            const Landing &a = r.synchronizedLandingsTrampoline1[idx(k)];
            const Landing &b = r.synchronizedLandingsTrampoline2[idx(k)];
            w.add(a.landingPosition.x, 0);
            w.add(a.landingPosition.y, 0);
            w.add(b.landingPosition.x, 0);
            w.add(b.landingPosition.y, 0);
        } else {
            const Landing &l = mode == TrampMode::Trampoline2 ? r.individualLandingsTrampoline2[idx(k)]
                                                              : r.individualLandingsTrampoline1[idx(k)];
            w.add(l.landingPosition.x, 0);
            w.add(l.landingPosition.y, 0);
        }
        w.end();
    }
}

void writeLandingBlock(HeaderWriter &w, const wsDaten &store, double firstCode,
                       const Routines::LandingArray &landings)
{
    const int mode = modeNumber(store.trampMode());
    const quint64 n = store.routines().landingCount;
    for (int k = 0; k < kElementLines; ++k) {
        w.begin(blockCode(firstCode, k));
        w.add(mode);
        if (static_cast<quint64>(k) < n) {
            const Landing &l = landings[idx(k)];
            w.add(l.landingNumber);
            w.add(l.contactStart);
            w.add(l.contactEnd);
            w.add(l.rawDataIndexLanding);
            w.add(l.rawDataIndexTakeoff);
            w.add(l.landingTime);
            w.add(l.takeoffTime);
            w.add(l.fmaxIndex);
            w.add(l.fmax, 1);
            w.add(l.contactTime);
            w.add(l.timeOfFlight);
            w.add(l.landingPosition.x, 1);
            w.add(l.landingPosition.y, 1);
            w.add(l.distanceFromCenter, 1);
            w.add(l.hdDeduction, 2);
            w.add(l.forceThreasholdLanding, 1);
            w.add(l.forceThreasholdTakeoff, 1);
            w.add(0);
            w.add(l.landingTimeDifference, 3);
            w.add(0.0, 3);
            w.add(l.synDeduction, 2);
            w.add(l.synScore, 2);
            w.add(l.notSynchronous ? 1 : 0);
        }
        w.end();
    }
}

// Sample rows are the bulk of a file: composed byte by byte into a buffer,
// the time from the integer sample index so no rounding is involved.
class RowWriter
{
public:
    static constexpr qsizetype kCapacity = kFlushBytes;
    // A row is 11 numbers of at most 11 characters and 12 separators.
    static constexpr qsizetype kMaxRow = 11 * 11 + 12 * 4;

    RowWriter(const QByteArray &column, const QByteArray &decimal, const QByteArray &line)
        : m_buffer(new char[std::size_t(kCapacity + kMaxRow)])
        , m_column(column)
        , m_decimal(decimal)
        , m_line(line)
    {}

    bool full() const { return m_size >= kCapacity; }
    const char *data() const { return m_buffer.get(); }
    qsizetype size() const { return m_size; }
    void clear() { m_size = 0; }

    void row(int i, const wsDaten::Sample &s)
    {
        char *p = m_buffer.get() + m_size;
        p = std::to_chars(p, p + 12, i / 1000).ptr;
        p = put(p, m_decimal);
        const int ms = i % 1000;
        *p++ = char('0' + ms / 100);
        *p++ = char('0' + ms / 10 % 10);
        *p++ = char('0' + ms % 10);
        for (int t = 0; t < 2; ++t) {
            int sum = 0;
            for (int k = 0; k < 4; ++k) {
                const int value = s[idx(4 * t + k)];
                sum += value;
                p = put(p, m_column);
                p = std::to_chars(p, p + 12, value).ptr;
            }
            p = put(p, m_column);
            p = std::to_chars(p, p + 12, sum).ptr;
        }
        p = put(p, m_line);
        m_size = p - m_buffer.get();
    }

private:
    static char *put(char *p, const QByteArray &text)
    {
        if (text.size() == 1) {
            *p = text.front();
            return p + 1;
        }
        std::memcpy(p, text.constData(), std::size_t(text.size()));
        return p + text.size();
    }

    std::unique_ptr<char[]> m_buffer;
    qsizetype m_size = 0;
    QByteArray m_column;
    QByteArray m_decimal;
    QByteArray m_line;
};

// Reads a device line by line in large chunks. Lines end as the file's
// first line ends: at LF (a CR before it is dropped; a CR inside a line, as
// a meta value may hold, stays text), or, in a file saved with CR line ends,
// at CR, CR LF or LF. A line longer than the limit is reported as too long
// and skipped whole without being held in memory.
class LineReader
{
public:
    explicit LineReader(QIODevice &device)
        : m_device(device)
    {}

    // False at the end of the device. line excludes its line end.
    bool next(QByteArrayView &line, bool &tooLong)
    {
        tooLong = false;
        for (;;) {
            const char *start = m_buffer.constData() + m_position;
            const qsizetype available = m_buffer.size() - m_position;
            qsizetype length = -1;
            qsizetype ending = 0;
            if (findLineEnd(start, available, length, ending) || (m_end && (available > 0 || m_skipping))) {
                if (length < 0)
                    length = available;
                m_position += length + ending;
                if (m_skipping || length > FileUtils::kMaxLineLength) {
                    m_skipping = false;
                    tooLong = true;
                    line = QByteArrayView();
                    return true;
                }
                line = QByteArrayView(start, length);
                if (m_ends == Ends::LineFeed && !line.isEmpty() && line.back() == '\r')
                    line.chop(1);
                return true;
            }
            if (m_end)
                return false;
            if (available > FileUtils::kMaxLineLength) {
                m_skipping = true;
                // A CR at the very end may be followed by the LF of its line
                // end in the next chunk.
                const bool carriageReturn = m_ends != Ends::LineFeed && m_buffer.endsWith('\r');
                m_buffer.clear();
                if (carriageReturn)
                    m_buffer.append('\r');
            } else {
                m_buffer.remove(0, m_position);
            }
            m_position = 0;
            const qsizetype old = m_buffer.size();
            m_buffer.resize(old + kReadChunk);
            const qint64 read = m_device.read(m_buffer.data() + old, kReadChunk);
            m_buffer.resize(old + std::max<qint64>(read, 0));
            if (read <= 0)
                m_end = true;
        }
    }

    // Where the next line begins in the device.
    qint64 nextOffset() const { return m_device.pos() - (m_buffer.size() - m_position); }
    // Lines end at CR too: the file was saved with CR line ends.
    bool carriageReturnEnds() const { return m_ends == Ends::CarriageReturn; }

private:
    enum class Ends { Unknown, LineFeed, CarriageReturn };

    // The first line end in the buffered text: the line's length and the
    // size of its end. A CR that ends the buffer before the end of the
    // device may be the first half of CR LF, so it is not taken yet.
    bool findLineEnd(const char *start, qsizetype available, qsizetype &length, qsizetype &ending)
    {
        const auto *feed = static_cast<const char *>(std::memchr(start, '\n', std::size_t(available)));
        const qsizetype searched = feed ? feed - start : available;
        const auto *cr = m_ends == Ends::LineFeed
                             ? nullptr
                             : static_cast<const char *>(std::memchr(start, '\r', std::size_t(searched)));
        if (cr) {
            if (cr + 1 == start + available && !m_end)
                return false;
            const bool crLf = cr + 1 < start + available && cr[1] == '\n';
            if (m_ends == Ends::Unknown)
                m_ends = crLf ? Ends::LineFeed : Ends::CarriageReturn;
            length = cr - start;
            ending = crLf ? 2 : 1;
            return true;
        }
        if (!feed)
            return false;
        if (m_ends == Ends::Unknown)
            m_ends = Ends::LineFeed;
        length = feed - start;
        ending = 1;
        return true;
    }

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_position = 0;
    bool m_skipping = false;
    bool m_end = false;
    Ends m_ends = Ends::Unknown;
};

qint16 toSampleValue(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<qint16>(std::clamp(std::trunc(value), -32768.0, 32767.0));
}

// One column of a sample row as a raw value; a column that is not a number
// gives 0.
qint16 parseSampleValue(QByteArrayView text)
{
    const char *begin = text.data();
    const char *end = begin + text.size();
    int integer = 0;
    const auto asInt = std::from_chars(begin, end, integer);
    if (asInt.ec == std::errc() && asInt.ptr == end)
        return static_cast<qint16>(std::clamp(integer, -32768, 32767));
    double value = 0.0;
    const auto asDouble = std::from_chars(begin, end, value);
    if (asDouble.ec == std::errc() && asDouble.ptr == end)
        return toSampleValue(value);
    bool ok = false;
    value = text.toByteArray().trimmed().toDouble(&ok);
    return ok ? toSampleValue(value) : qint16(0);
}

// Splits a sample row by TAB into the sample; false when the row has neither
// 6 nor 11 columns (the sample is then all zero).
bool parseSampleRow(QByteArrayView line, TrampMode mode, wsDaten::Sample &sample, int &columns)
{
    sample.fill(0);
    std::array<QByteArrayView, 11> parts;
    columns = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype tab = line.indexOf('\t', from);
        const qsizetype to = tab < 0 ? line.size() : tab;
        if (columns < 11)
            parts[idx(columns)] = line.sliced(from, to - from);
        ++columns;
        if (tab < 0)
            break;
        from = tab + 1;
    }
    if (columns == 6) {
        const int first = mode == TrampMode::Trampoline1 ? 0 : 4;
        for (int k = 0; k < 4; ++k)
            sample[idx(first + k)] = parseSampleValue(parts[idx(1 + k)]);
        return true;
    }
    if (columns == 11) {
        for (int k = 0; k < 4; ++k) {
            sample[idx(k)] = parseSampleValue(parts[idx(1 + k)]);
            sample[idx(4 + k)] = parseSampleValue(parts[idx(6 + k)]);
        }
        return true;
    }
    return false;
}

// The sample of a row from its column values (columns 1-4 and 6-9): false
// when the row has neither 6 nor 11 columns (the sample is then zero).
bool sampleFromColumns(const std::array<qint16, 11> &values, int columns, TrampMode mode,
                       wsDaten::Sample &sample)
{
    sample.fill(0);
    if (columns == 6) {
        const int first = mode == TrampMode::Trampoline1 ? 0 : 4;
        for (int k = 0; k < 4; ++k)
            sample[idx(first + k)] = values[idx(1 + k)];
        return true;
    }
    if (columns == 11) {
        for (int k = 0; k < 4; ++k) {
            sample[idx(k)] = values[idx(1 + k)];
            sample[idx(4 + k)] = values[idx(6 + k)];
        }
        return true;
    }
    return false;
}

// Reads a column that is a plain integer of at most nine digits, with an
// optional minus, ending at one of the stop characters; false (p unchanged)
// for anything else.
template <typename Stop> bool plainInteger(const char *&p, const char *end, Stop stops, qint16 &out)
{
    const char *q = p;
    const bool negative = q < end && *q == '-';
    if (negative)
        ++q;
    const char *digits = q;
    int value = 0;
    while (q < end && static_cast<unsigned>(*q - '0') < 10u && q - digits < 9) {
        value = value * 10 + (*q - '0');
        ++q;
    }
    if (q == digits || (q < end && !stops(q)))
        return false;
    out = static_cast<qint16>(std::clamp(negative ? -value : value, -32768, 32767));
    p = q;
    return true;
}

// The same row as parseSampleRow reads it, in one pass without splitting.
bool parseSampleRowFast(const char *p, const char *end, TrampMode mode, wsDaten::Sample &sample, int &columns)
{
    std::array<qint16, 11> values{};
    columns = 1;
    while (p < end && *p != '\t')
        ++p;
    const auto tab = [](const char *q) { return *q == '\t'; };
    while (p < end) {
        ++p; // the TAB
        qint16 value = 0;
        if (!plainInteger(p, end, tab, value)) {
            const char *field = p;
            while (p < end && *p != '\t')
                ++p;
            value = parseSampleValue(QByteArrayView(field, p - field));
        }
        if (columns < 11)
            values[idx(columns)] = value;
        ++columns;
    }
    return sampleFromColumns(values, columns, mode, sample);
}

// What reading the sample rows of one stretch of a mapped file (LF line
// ends; a CR before the LF is dropped) found besides the samples.
struct RowProblems
{
    qint64 lines = 0;
    // Line indexes within the stretch of the first rows without 6 or 11
    // columns (with their column count) and of the first over-long lines.
    std::vector<std::pair<qint64, int>> badRows;
    std::vector<qint64> longLines;
    int badRowCount = 0;
    int longLineCount = 0;
};

// Hands every sample row of the stretch to take, in order. Rows of plain
// integers, as the program writes them, are read in a single pass; any
// other row is found whole and read by parseSampleRowFast. Every row but a
// last one without its LF ends in an LF, which stops every scan, so the
// scans need no bound.
template <typename Take>
void readRows(const char *p, const char *end, TrampMode mode, RowProblems &problems, Take &&take)
{
    wsDaten::Sample sample{};
    std::array<qint16, 11> values{};
    const auto *lastFeed = static_cast<const char *>(memrchr(p, '\n', std::size_t(end - p)));
    const char *terminated = lastFeed ? lastFeed + 1 : p;
    const auto finish = [&](const char *line, const char *lineEnd, bool read, int columns) {
        if (lineEnd - line > FileUtils::kMaxLineLength) {
            if (++problems.longLineCount <= kLoggedProblems)
                problems.longLines.push_back(problems.lines);
        } else {
            if (!read && ++problems.badRowCount <= kLoggedProblems)
                problems.badRows.emplace_back(problems.lines, columns);
            take(sample);
        }
        ++problems.lines;
    };
    while (p < terminated) {
        const char *line = p;
        int columns = 1;
        while (*p != '\t' && *p != '\n')
            ++p;
        bool plain = true;
        while (*p == '\t') {
            ++p;
            const bool negative = *p == '-';
            const char *digits = negative ? p + 1 : p;
            const char *q = digits;
            int value = 0;
            while (static_cast<unsigned>(*q - '0') < 10u && q - digits < 9) {
                value = value * 10 + (*q - '0');
                ++q;
            }
            if (q == digits || !(*q == '\t' || *q == '\n' || (*q == '\r' && q[1] == '\n'))) {
                plain = false;
                break;
            }
            p = q;
            if (columns < 11)
                values[idx(columns)] =
                    static_cast<qint16>(std::clamp(negative ? -value : value, -32768, 32767));
            ++columns;
        }
        if (plain) {
            const char *lineEnd = *p == '\r' ? p + 1 : p;
            const bool read = sampleFromColumns(values, columns, mode, sample);
            finish(line, lineEnd, read, columns);
            p = lineEnd + 1;
            continue;
        }
        const auto *feed = static_cast<const char *>(std::memchr(p, '\n', std::size_t(terminated - p)));
        const char *last = feed > line && feed[-1] == '\r' ? feed - 1 : feed;
        const bool read = parseSampleRowFast(line, last, mode, sample, columns);
        finish(line, feed, read, columns);
        p = feed + 1;
    }
    if (p < end) {
        const char *last = end[-1] == '\r' ? end - 1 : end;
        int columns = 0;
        const bool read = parseSampleRowFast(p, last, mode, sample, columns);
        finish(p, end, read, columns);
    }
}

// A number of a header line. Columns are separated by TAB, so a comma can
// only be the decimal comma of a file saved with that export setting.
double headerNumber(QStringView text, bool *ok = nullptr)
{
    QString number = text.toString();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    return number.toDouble(ok);
}

// Header numbers; a part that does not parse counts as 0.
QList<double> headerNumbers(const QString &line)
{
    QList<double> numbers;
    const QStringList parts = line.split(QLatin1Char('\t'));
    numbers.reserve(parts.size());
    for (const QString &part : parts)
        numbers.append(headerNumber(part));
    return numbers;
}

bool allFinite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Start times (s) and penalties beyond this are no values of a routine.
constexpr double kMaxHeaderValue = 1.0e6;

bool plausibleHeaderValue(double value)
{
    return std::isfinite(value) && std::abs(value) <= kMaxHeaderValue;
}

int toSampleIndex(double value)
{
    // Far beyond any measurement, and safely inside int.
    return static_cast<int>(std::clamp(std::trunc(value), -1.0e9, 1.0e9));
}

bool applyHeaderLine(const QString &line, wsDaten &store, QString &refusal);

} // namespace

// Header -------------------------------------------------------------------------

QString FileUtils::headerText(OvraSettings *settings, wsDaten &store,
                              const IndexSelection *weightClassSelector, const QDateTime &now, Format format)
{
    const Separators separators = separatorsOf(settings, format);
    HeaderWriter w(separators);
    const Routines &r = store.routines();

    w.begin(-0.002);
    w.addSubstituted(store.formatNumber, 2);
    w.add(modeNumber(store.trampMode()));
    w.end();

    w.begin(-0.001);
    for (int t = 0; t < 2; ++t) {
        const auto &offsets = store.taraRecord(t).offsets;
        for (double offset : offsets)
            w.addSubstituted(offset, 1);
        w.addSubstituted(offsets[0] + offsets[1] + offsets[2] + offsets[3], 1);
    }
    w.end();

    w.begin(-0.003);
    w.add(now.toString(QStringLiteral("yyyy/MM/dd")));
    w.add(now.toString(QStringLiteral("hh:mm:ss")));
    w.end();

    w.begin(-0.004);
    w.add(r.exerciseStart);
    w.add(r.exerciseEnd);
    w.end();

    writeResultLines(w, store);

    // The bed the positions were computed with: a loaded file's own size
    // rather than the configured one.
    w.begin(-0.016);
    w.add(store.bedLength(), 1);
    w.add(store.bedWidth(), 1);
    w.end();

    writePositionLines(w, store);

    w.begin(-0.027);
    w.add(r.routineStartTime(), 1);
    w.add(r.penalty(), 1);
    w.end();

    if (!weightClassSelector && settings)
        weightClassSelector = settings->targets().weightClass;
    w.begin(-0.028);
    w.add(weightClassSelector ? weightClassSelector->currentIndex() : -1);
    w.add(store.contactDetector(0).contactThreshold, 1);
    w.add(store.contactDetector(1).contactThreshold, 1);
    w.end();

    writeLandingBlock(w, store, -0.029, r.individualLandingsTrampoline1);
    writeLandingBlock(w, store, -0.039, r.individualLandingsTrampoline2);
    writeLandingBlock(w, store, -0.049, r.synchronizedLandingsTrampoline1);
    writeLandingBlock(w, store, -0.059, r.synchronizedLandingsTrampoline2);

    // QMap iterates in ascending key order. A column separator inside a key
    // or value becomes a blank, and so does a CR, which would end the line
    // of a file saved with CR line ends.
    const auto metaText = [&separators](QString text) {
        for (QChar &c : text) {
            if (c == separators.column || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                c = QLatin1Char(' ');
        }
        return text;
    };
    for (auto it = r.routineMetaInformation.cbegin(); it != r.routineMetaInformation.cend(); ++it) {
        w.begin(-0.069);
        w.add(metaText(it.key()));
        w.add(metaText(it.value()));
        w.end();
    }
    return w.text();
}

// Writing ----------------------------------------------------------------------------

bool FileUtils::saveFile(bool toFile, const QString &path, OvraSettings *settings, wsDaten &store,
                         const IndexSelection *weightClassSelector, MeasureDatabase *database, Format format)
{
    // Only the program reads the database form back.
    if (!toFile)
        format = Format::Standard;
    const QDateTime now = QDateTime::currentDateTime();
    store.measurementName = now.toString(QStringLiteral("yyyyMMdd_hhmmss_")) + QStringLiteral("0000");
    store.measurementDate = now.toString(QStringLiteral("yyyy/MM/dd"));
    store.measurementTime = now.toString(QStringLiteral("hh:mm:ss"));

    const QString header = headerText(settings, store, weightClassSelector, now, format);
    const int count = store.sampleCount();
    // Samples the ring no longer holds (a measurement longer than the ring)
    // are written as zeros rather than as whatever took their slot.
    const int firstHeld = store.firstAvailableSample();
    if (firstHeld > 0)
        qWarning().noquote()
            << QStringLiteral(
                   "The first %1 samples of the measurement are no longer held and are written as 0")
                   .arg(firstHeld);
    const wsDaten::Sample zero{};

    if (!toFile) {
        if (!database) {
            qWarning() << "No database to save the measurement to";
            return true;
        }
        QByteArray samples(qsizetype(count) * 16, Qt::Uninitialized);
        char *out = samples.data();
        for (int i = 0; i < count; ++i) {
            const wsDaten::Sample &s = i < firstHeld ? zero : store.sample(i);
            for (int c = 0; c < wsDaten::kChannels; ++c) {
                const auto value = static_cast<quint16>(s[idx(c)]);
                *out++ = static_cast<char>(value & 0xff);
                *out++ = static_cast<char>(value >> 8);
            }
        }
        const QByteArray headerBytes = header.toUtf8();
        // The row keeps the routine's confirmed result, as the scoring
        // systems receive it, so that its history needs no replay.
        const QJsonDocument results =
            settings ? QJsonDocument(
                           RESTUtils::createConfirmedResult(store, settings->rulesSettings()).toJsonObject())
                     : QJsonDocument();
        const bool stored = database->insertMeasure(store.routineStartEntry(), now, QString(), QString(),
                                                    header, int(headerBytes.size()), samples.constData(),
                                                    int(samples.size()), results, QByteArray());
        return !stored;
    }

    // The new contents go to a temporary file beside the target, which
    // replaces the target only when everything was written: a full disk or a
    // crash during the save leaves the previous file as it was. Unbuffered,
    // because commit() takes a buffered tail that no longer fits on the disk
    // for written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qWarning().noquote() << "unable to open file " + path + " - " + file.errorString();
        return true;
    }
    auto failed = [&file, &path]() {
        qWarning().noquote() << "unable to write file " + path + " - " + file.errorString();
        file.cancelWriting();
        return true;
    };

    const QByteArray headerBytes = header.toUtf8();
    if (file.write(headerBytes) != headerBytes.size())
        return failed();
    const Separators sep = separatorsOf(settings, format);
    // Separators longer than a few bytes would not fit the row reserve; the
    // settings only offer single characters and CR LF.
    RowWriter rows(QString(sep.column).toUtf8(), QString(sep.decimal).toUtf8(), sep.line.left(4).toUtf8());
    for (int i = 0; i < count; ++i) {
        rows.row(i, i < firstHeld ? zero : store.sample(i));
        if (rows.full()) {
            if (file.write(rows.data(), rows.size()) != rows.size())
                return failed();
            rows.clear();
        }
    }
    if (file.write(rows.data(), rows.size()) != rows.size())
        return failed();
    if (!file.commit()) {
        qWarning().noquote() << "unable to write file " + path + " - " + file.errorString();
        return true;
    }
    return false;
}

// Reading ------------------------------------------------------------------------------

void FileUtils::appendReplayedSample(wsDaten &store, const wsDaten::Sample &sample, int rule,
                                     SamplePlotter *plotter)
{
    store.appendSample(sample);
    if (plotter)
        plotter->appendSamples(store, 1);
    const int count = store.sampleCount();
    store.followReplayedWindow(count);
    // Detection runs at block ends only, as it did while measuring.
    if (count % wsDaten::kSamplesPerBlock == 0) {
        store.setBlockCount(count);
        store.detectLandings(DataUpdateReason::Replay, rule);
    }
}

void FileUtils::replaySamples(const std::vector<wsDaten::Sample> &samples, OvraSettings *settings,
                              wsDaten &store, SamplePlotter *plotter)
{
    const int rule = settings ? settings->rulesSettings().hdDeductionRule() : 0;
    store.beginReplay();
    for (const wsDaten::Sample &sample : samples)
        appendReplayedSample(store, sample, rule, plotter);
    store.setBlockCount(store.sampleCount());
}

bool FileUtils::replayStoredMeasure(const QString &header, const std::vector<wsDaten::Sample> &samples,
                                    OvraSettings *settings, wsDaten &store, SamplePlotter *plotter,
                                    QString *refusal)
{
    QString refused;
    applyHeaderText(header, settings, store, &refused);
    if (refusal)
        *refusal = refused;
    if (!refused.isEmpty())
        return false;
    replaySamples(samples, settings, store, plotter);
    return true;
}

bool FileUtils::applyHeaderText(const QString &header, OvraSettings *settings, wsDaten &store,
                                QString *refusal)
{
    Q_UNUSED(settings);
    bool any = false;
    QString refused;
    // Lines end as the first one does, as in a file: a header stored with CR
    // line ends is split at every CR, otherwise only LF ends a line and a CR
    // before it goes. Trailing separators still count as parts.
    const qsizetype feed = header.indexOf(QLatin1Char('\n'));
    const qsizetype cr = header.indexOf(QLatin1Char('\r'));
    const bool carriageReturns = cr >= 0 && (feed < 0 || cr + 1 < feed);
    QStringList lines = carriageReturns ? header.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))
                                        : header.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        any = applyHeaderLine(line, store, refused) || any;
        if (!refused.isEmpty())
            break;
    }
    if (refusal)
        *refusal = refused;
    return any && refused.isEmpty();
}

bool FileUtils::check_headerZeile(const QString &line, wsDaten &store, const QChar & /*columnSeparator*/)
{
    QString refusal;
    return applyHeaderLine(line, store, refusal);
}

namespace {

// check_headerZeile, with the reason for the operator when the line refuses
// the file.
bool applyHeaderLine(const QString &line, wsDaten &store, QString &refusal)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab <= 0)
        return false;
    bool ok = false;
    const double number = headerNumber(QStringView(line).left(tab), &ok);
    if (!ok || !std::isfinite(number))
        return false;
    const double scaled = std::trunc(number * 1000.0 - 0.0001);
    if (scaled < kMetaCode || scaled > 0) {
        qDebug().noquote() << "Unknown headerZeile: '" + line + "'";
        return false;
    }
    const int code = static_cast<int>(scaled);
    if (code == 0)
        return false;

    Routines &r = store.routines();
    switch (code) {
    case kMetaCode: {
        // Split by TAB like every header line: a readable file is always
        // TAB-separated, whatever column separator is set now.
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() <= 1)
            break;
        // Routine meta information is a handful of short texts, limited on
        // every path that takes it in: an entry beyond the limits (only a file
        // edited by hand holds one) is left out whole, never cut.
        const QString key = parts.at(1);
        const QString value = parts.value(2);
        if (key.size() > kMaxMetaText || value.size() > kMaxMetaText) {
            qWarning().noquote()
                << QStringLiteral("Leaving out the routine meta information '%1': longer than %2 characters")
                       .arg(key.left(40))
                       .arg(kMaxMetaText);
            break;
        }
        if (r.routineMetaInformation.size() >= kMaxMetaEntries && !r.routineMetaInformation.contains(key)) {
            qDebug().noquote() << "Skipping routine meta information beyond " +
                                      QString::number(kMaxMetaEntries) + " entries: '" + key.left(40) + "'";
            break;
        }
        r.addRoutineMetaInformation(key, value);
        break;
    }
    case -28: {
        const QList<double> p = headerNumbers(line);
        if (p.size() != 4)
            break;
        if (!allFinite({p[2], p[3]})) {
            qWarning().noquote() << "Ignoring contact thresholds that are not numbers: '" + line + "'";
            break;
        }
        store.setContactThreshold(0, p[2]);
        store.setContactThreshold(1, p[3]);
        break;
    }
    case -27: {
        const QList<double> p = headerNumbers(line);
        if (p.size() != 3)
            break;
        // Both go into the result as they are stored: values that no run of
        // the program writes would make a wrong score, so the file is refused.
        if (!plausibleHeaderValue(p[1]) || !plausibleHeaderValue(p[2])) {
            qWarning().noquote() << "Refusing a routine start time or penalty out of range: '" + line + "'";
            refusal = QCoreApplication::translate("FileUtils",
                                                  "the routine start time or penalty is out of range: '%1'")
                          .arg(line);
            break;
        }
        r.setRoutineStartTime(p[1]);
        r.setPenalty(p[2]);
        break;
    }
    case -16: {
        const QList<double> p = headerNumbers(line);
        if (p.size() != 3)
            break;
        // Positions divide by the bed size.
        if (!allFinite({p[1], p[2]}) || p[1] <= 0 || p[2] <= 0) {
            qWarning().noquote() << "Ignoring an impossible bed size: '" + line + "'";
            break;
        }
        store.setBedGeometry(p[1], p[2]);
        break;
    }
    case -4: {
        const QList<double> p = headerNumbers(line);
        if (p.size() != 3)
            break;
        const int start = std::isfinite(p[1]) ? toSampleIndex(p[1]) : -1;
        const int end = std::isfinite(p[2]) ? toSampleIndex(p[2]) : -1;
        if (start > end)
            qWarning().noquote() << "The routine window ends before it starts: '" + line + "'";
        r.exerciseStart = r.exerciseStartFix = start;
        r.exerciseEnd = r.exerciseEndFix = end;
        emit store.setExerciseStartTime(start);
        emit store.setExerciseEndTime(end);
        emit store.setExerciseStartTimeFix(start);
        emit store.setExerciseEndTimeFix(end);
        break;
    }
    case -2: {
        const QList<double> p = headerNumbers(line);
        if (p.size() != 3)
            break;
        store.loadedFormatNumber = p[1];
        const double mode = std::isfinite(p[2]) ? std::trunc(p[2]) : 0.0;
        if (mode >= 1 && mode <= 3)
            store.setTrampMode(static_cast<TrampMode>(static_cast<int>(mode)));
        else
            qWarning().noquote() << "Ignoring an unknown trampoline mode: '" + line + "'";
        break;
    }
    case -1: {
        const QList<double> p = headerNumbers(line);
        if (p.size() != 6 && p.size() != 11)
            break;
        store.taraRecord(0).setBoth({p[1], p[2], p[3], p[4]});
        if (p.size() == 11)
            store.taraRecord(1).setBoth({p[6], p[7], p[8], p[9]});
        break;
    }
    default:
        break;
    }
    return true;
}

// Opens a data file for reading; false with the reason for the operator.
bool openDataFile(QFile &file, QString &reason)
{
    if (QFileInfo(file.fileName()).isDir()) {
        reason = QCoreApplication::translate("FileUtils", "it is a folder, not a file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reason =
            QCoreApplication::translate("FileUtils", "the file cannot be read (%1)").arg(file.errorString());
        return false;
    }
    return true;
}

} // namespace

bool FileUtils::dataFileReadable(const QString &basePath, QString *reason)
{
    QFile file(basePath + QStringLiteral(".dat"));
    QString unreadable;
    const bool readable = openDataFile(file, unreadable);
    if (reason)
        *reason = unreadable;
    return readable;
}

bool FileUtils::loadDataFile(const QString &basePath, OvraSettings *settings, wsDaten &store,
                             SamplePlotter *plotter, std::function<void()> &reset, QString *refusal)
{
    if (refusal)
        refusal->clear();
    const QString path = basePath + QStringLiteral(".dat");
    QFile file(path);
    QString unreadable;
    if (!openDataFile(file, unreadable)) {
        qDebug().noquote() << "Failed to load data from file " + path;
        if (refusal)
            *refusal = unreadable;
        return false;
    }
    const QFileInfo info(file);
    if (settings) {
        settings->exportSettings().setPath(info.absolutePath());
        settings->exportSettings().setName(info.fileName());
        settings->exportSettings().setPathName(basePath);
    }
    if (reset)
        reset();
    QString refused;
    const bool read = readData(file, path, settings, store, plotter, &refused);
    file.close();
    if (read)
        return true;
    // Nothing of a refused file stays on show.
    if (reset)
        reset();
    if (refusal)
        *refusal = refused;
    return false;
}

bool FileUtils::readData(QIODevice &device, const QString &path, OvraSettings *settings, wsDaten &store,
                         SamplePlotter *plotter, QString *refusal)
{
    QString refused;
    const int rule = settings ? settings->rulesSettings().hdDeductionRule() : 0;
    LineReader reader(device);
    QByteArrayView line;
    bool tooLong = false;
    qint64 lineNumber = 0;
    int skippedLines = 0;
    int badRows = 0;

    auto skipLine = [&]() {
        if (++skippedLines <= kLoggedProblems)
            qWarning().noquote() << QStringLiteral("%1: line %2 is longer than %3 bytes and was skipped")
                                        .arg(path)
                                        .arg(lineNumber)
                                        .arg(kMaxLineLength);
    };

    bool haveRow = false;
    qint64 rowsOffset = 0;
    while (true) {
        rowsOffset = reader.nextOffset();
        if (!reader.next(line, tooLong))
            break;
        ++lineNumber;
        if (tooLong) {
            skipLine();
            continue;
        }
        const bool header = applyHeaderLine(QString::fromUtf8(line), store, refused);
        if (!refused.isEmpty()) {
            qWarning().noquote() << path + QStringLiteral(" refused: ") + refused;
            if (refusal)
                *refusal = refused;
            return false;
        }
        if (!header) {
            haveRow = true;
            // A file saved with another column separator starts with a
            // header line the reader cannot recognise.
            if (lineNumber == 1 && (line.startsWith("-0.0") || line.startsWith("-0,0")) &&
                !line.contains('\t'))
                qWarning().noquote() << path + QStringLiteral(" was written with a column separator other "
                                                              "than TAB; its header is read as samples");
            break;
        }
    }

    const TrampMode mode = store.trampMode();
    Routines &r = store.routines();
    if (r.routineMetaInformation.size() >= kMaxMetaEntries)
        qWarning().noquote()
            << QStringLiteral(
                   "%1: routine meta information was limited to %2 entries of at most %3 characters")
                   .arg(path)
                   .arg(kMaxMetaEntries)
                   .arg(kMaxMetaText);
    store.beginReplay();
    bool ringLogged = false;
    const auto replayed = [&](const wsDaten::Sample &sample) {
        appendReplayedSample(store, sample, rule, plotter);
        if (!ringLogged && store.sampleCount() > wsDaten::kRingSamples) {
            ringLogged = true;
            qWarning().noquote() << QStringLiteral(
                                        "%1 holds more than %2 samples; only the newest %2 are kept")
                                        .arg(path)
                                        .arg(wsDaten::kRingSamples);
        }
    };

    // A file on disk (mapped) or a buffer is read from memory. A second
    // thread reads the later rows into a buffer while this one reads and
    // replays the earlier ones (its share is smaller, as it replays too),
    // then replays the later rows as fast as they are read.
    auto *file = qobject_cast<QFile *>(&device);
    auto *buffer = qobject_cast<QBuffer *>(&device);
    const qint64 rowBytes =
        haveRow && !reader.carriageReturnEnds() && (file || buffer) ? device.size() - rowsOffset : 0;
    uchar *mapped = rowBytes > 0 && file ? file->map(rowsOffset, rowBytes) : nullptr;
    const char *inMemory = mapped                   ? reinterpret_cast<const char *>(mapped)
                           : rowBytes > 0 && buffer ? buffer->data().constData() + rowsOffset
                                                    : nullptr;
    if (inMemory) {
        const char *begin = inMemory;
        const char *end = begin + rowBytes;
        const char *middle = begin + rowBytes * kOwnShare / 100;
        const auto *feed = static_cast<const char *>(std::memchr(middle, '\n', std::size_t(end - middle)));
        const char *split = feed ? feed + 1 : end;
        std::array<RowProblems, 2> problems;
        // Fresh pages for the later rows (no fault for every 4 KB); room for
        // rows of at least kShortestRow bytes, and any shorter ones (every
        // line, even a bad one, yields a sample) go on in a vector.
        const auto room = std::size_t(end - split) / kShortestRow + 1;
        ovra::util::ZeroedBuffer<wsDaten::Sample> later(room);
        std::atomic<std::size_t> published{0};
        std::atomic<bool> done{false};
        std::vector<wsDaten::Sample> beyond;
        std::thread second([&]() {
            std::size_t count = 0;
            readRows(split, end, mode, problems[1], [&](const wsDaten::Sample &sample) {
                if (count < room) {
                    later[count++] = sample;
                    if (count % kPublishRows == 0)
                        published.store(count, std::memory_order_release);
                } else {
                    beyond.push_back(sample);
                }
            });
            published.store(count, std::memory_order_release);
            done.store(true, std::memory_order_release);
        });
        readRows(begin, split, mode, problems[0], replayed);
        std::size_t next = 0;
        for (;;) {
            const bool finished = done.load(std::memory_order_acquire);
            const std::size_t ready = published.load(std::memory_order_acquire);
            for (; next < ready; ++next)
                replayed(later[next]);
            if (finished)
                break;
            std::this_thread::yield();
        }
        second.join();
        for (const wsDaten::Sample &sample : beyond)
            replayed(sample);
        const qint64 firstLine = lineNumber;
        qint64 before = 0;
        for (const RowProblems &half : problems) {
            for (const auto &[index, columns] : half.badRows)
                if (++badRows <= kLoggedProblems)
                    qWarning().noquote()
                        << QStringLiteral(
                               "%1: line %2 has %3 columns instead of 6 or 11; its sample was set to 0")
                               .arg(path)
                               .arg(firstLine + before + index)
                               .arg(columns);
            badRows += half.badRowCount - int(half.badRows.size());
            for (qint64 index : half.longLines) {
                lineNumber = firstLine + before + index;
                skipLine();
            }
            skippedLines += half.longLineCount - int(half.longLines.size());
            before += half.lines;
        }
        if (mapped)
            file->unmap(mapped);
        haveRow = false;
    }

    wsDaten::Sample sample{};
    int columns = 0;
    while (haveRow) {
        if (!parseSampleRow(line, mode, sample, columns)) {
            if (++badRows <= kLoggedProblems)
                qWarning().noquote()
                    << QStringLiteral(
                           "%1: line %2 has %3 columns instead of 6 or 11; its sample was set to 0")
                           .arg(path)
                           .arg(lineNumber)
                           .arg(columns);
        }
        replayed(sample);

        haveRow = false;
        while (reader.next(line, tooLong)) {
            ++lineNumber;
            if (tooLong) {
                skipLine();
                continue;
            }
            haveRow = true;
            break;
        }
    }
    store.setBlockCount(store.sampleCount());

    if (badRows > kLoggedProblems || skippedLines > kLoggedProblems)
        qWarning().noquote() << QStringLiteral(
                                    "%1: %2 rows without 6 or 11 columns, %3 over-long lines skipped")
                                    .arg(path)
                                    .arg(badRows)
                                    .arg(skippedLines);
    if (store.sampleCount() == 0)
        qInfo().noquote() << path + QStringLiteral(" holds no samples");
    return true;
}

// Paths and reset ----------------------------------------------------------------------

QString FileUtils::saveTargetPath(const QString &chosenPath)
{
    QString path = chosenPath;
    for (const QLatin1String extension :
         {QLatin1String(".dat"), QLatin1String(".txt"), QLatin1String(".tara")}) {
        if (path.endsWith(extension, Qt::CaseInsensitive))
            path.chop(extension.size());
    }
    return path + QStringLiteral(".dat");
}

QString FileUtils::loadBasePath(const QString &chosenPath)
{
    for (const QLatin1String extension :
         {QLatin1String(".dat"), QLatin1String(".txt"), QLatin1String(".res"), QLatin1String(".tara")}) {
        if (chosenPath.endsWith(extension, Qt::CaseInsensitive))
            return chosenPath.chopped(extension.size());
    }
    return chosenPath;
}

void FileUtils::resetMeasurementForLoad(wsDaten &store)
{
    store.setTrampMode(TrampMode::Trampoline1);
    store.resetMeasurement();
    store.routines().resetRoutineMetaInformation();
    const StoreSettings configured = store.storeSettings();
    store.setContactThreshold(0, configured.minForceSum1);
    store.setContactThreshold(1, configured.minForceSum2);
}

} // namespace ovra::util
