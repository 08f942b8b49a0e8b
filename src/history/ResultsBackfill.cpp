#include "history/ResultsBackfill.h"

#include "data/wsDaten.h"
#include "db/Connection.h"
#include "db/Schema.h"
#include "util/StoredRoutine.h"

#include <QDebug>
#include <QTimer>

namespace ovra::history {

ResultsBackfill::ResultsBackfill(OvraSettings &settings, const StoreSettings &configured, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_configured(configured)
    , m_store(std::make_unique<wsDaten>())
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &ResultsBackfill::slice);
}

ResultsBackfill::~ResultsBackfill() = default;

QList<qint64> ResultsBackfill::waitingRows(db::Connection &connection, bool *ok)
{
    const QList<QVariantList> rows = connection.selectRows(
        QStringLiteral("SELECT idx FROM Measures WHERE ( Results IS NULL OR length(Results) = 0 ) AND "
                       "length(Data) >= 16 ORDER BY idx;"),
        {}, ok);
    QList<qint64> out;
    out.reserve(rows.size());
    for (const QVariantList &row : rows)
        out << row.value(0).toLongLong();
    return out;
}

ResultsBackfill::Outcome ResultsBackfill::scoreRow(db::Connection &connection, qint64 idx, QString *refusal)
{
    bool ok = false;
    const QList<QVariantList> rows = connection.selectRows(
        QStringLiteral("SELECT Header, Data FROM Measures WHERE idx = ? AND ( Results IS NULL OR "
                       "length(Results) = 0 );"),
        {idx}, &ok);
    if (!ok)
        return Outcome::Failed;
    // Scored meanwhile, or gone.
    if (rows.isEmpty() || rows.first().size() != 2)
        return Outcome::Scored;
    const QString header =
        QString::fromUtf8(db::normalized(rows.first().at(0), db::ColumnType::Blob).toByteArray());
    const QByteArray data = db::normalized(rows.first().at(1), db::ColumnType::Blob).toByteArray();
    const util::StoredRoutineScore score =
        util::scoreStoredMeasure(header, data, m_settings, *m_store, m_configured);
    if (!score.read) {
        if (refusal)
            *refusal = score.refusal;
        return Outcome::Refused;
    }
    if (!connection.execute(QStringLiteral("UPDATE Measures SET Results = ? WHERE idx = ? AND ( Results IS "
                                           "NULL OR length(Results) = 0 );"),
                            {score.json, idx}))
        return Outcome::Failed;
    return Outcome::Scored;
}

void ResultsBackfill::start(ConnectionSource source)
{
    stop();
    m_source = std::move(source);
    m_connection = m_source ? m_source() : nullptr;
    m_rows.clear();
    m_next = 0;
    m_scored = 0;
    m_refusedNow = 0;
    if (!m_connection)
        return;
    m_location = m_connection->location();
    const QSet<qint64> &refused = m_refused[m_location];
    bool ok = false;
    for (const qint64 idx : waitingRows(*m_connection, &ok)) {
        if (!refused.contains(idx))
            m_rows << idx;
    }
    if (!ok || m_rows.isEmpty())
        return;
    qInfo().noquote() << QStringLiteral("Scoring %1 stored routine(s) without a result in %2")
                             .arg(m_rows.size())
                             .arg(m_location);
    m_running = true;
    Q_EMIT progress(0, total());
    m_timer->start();
}

void ResultsBackfill::stop()
{
    m_timer->stop();
    m_running = false;
}

void ResultsBackfill::slice()
{
    if (!m_running)
        return;
    db::Connection *now = m_source ? m_source() : nullptr;
    if (now != m_connection || !now || now->location() != m_location || !now->isOpen()) {
        qInfo().noquote() << "Scoring stored routines stopped: the database changed";
        finish();
        return;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    // One transaction a slice: a file is synced once for all its results.
    int next = m_next;
    int scored = 0;
    QList<qint64> refused;
    const bool stored =
        now->transaction([&] {
            do {
                const qint64 idx = m_rows.at(next);
                QString refusal;
                const Outcome outcome = scoreRow(*now, idx, &refusal);
                if (outcome == Outcome::Failed)
                    return false;
                if (outcome == Outcome::Refused) {
                    qWarning().noquote()
                        << QStringLiteral("The stored routine %1 cannot be scored: %2").arg(idx).arg(refusal);
                    refused << idx;
                } else {
                    ++scored;
                }
                ++next;
            } while (next < total() && elapsed.elapsed() < kSliceMs);
            return true;
        });
    if (!stored) {
        qWarning().noquote() << "Scoring stored routines stopped: the database did not answer"
                             << now->lastError();
        finish();
        return;
    }
    m_next = next;
    m_scored += scored;
    m_refusedNow += int(refused.size());
    for (const qint64 idx : refused)
        m_refused[m_location].insert(idx);
    Q_EMIT progress(m_next, total());
    if (m_next >= total())
        finish();
    else
        m_timer->start();
}

void ResultsBackfill::finish()
{
    m_timer->stop();
    m_running = false;
    qInfo().noquote()
        << QStringLiteral("Stored routines scored: %1, not scored: %2").arg(m_scored).arg(m_refusedNow);
    Q_EMIT finished(m_scored, m_refusedNow);
}

} // namespace ovra::history
