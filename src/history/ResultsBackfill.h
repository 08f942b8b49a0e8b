#pragma once

#include "settings/SettingsTargets.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

class OvraSettings;
class QTimer;
class wsDaten;

namespace ovra::db {
class Connection;
}

namespace ovra::history {

// Fills the Results of measures stored before routines kept their result:
// each one's samples are replayed as the window shows a stored measure and
// its confirmed result (as ovra-eval prints it) is written into the row.
// Runs in the GUI thread a slice at a time, so the window stays responsive.
class ResultsBackfill : public QObject
{
    Q_OBJECT
public:
    // Measures are scored until a slice has lasted this long (at least one).
    static constexpr int kSliceMs = 15;

    using ConnectionSource = std::function<db::Connection *()>;

    // settings gives the rules (the HD rule) the results are computed
    // under; configured the store settings every measure starts from.
    ResultsBackfill(OvraSettings &settings, const StoreSettings &configured, QObject *parent = nullptr);
    ~ResultsBackfill() override;

    // The measures waiting for their result, oldest first: Results empty
    // and samples present. ok says whether the query ran.
    static QList<qint64> waitingRows(db::Connection &connection, bool *ok = nullptr);

    enum class Outcome {
        Scored,
        // The header refused the measure (the reason in refusal); the row
        // keeps its empty Results.
        Refused,
        // Read or write failed.
        Failed,
    };
    // Scores the measure idx and stores its result, unless the row has one
    // by now (another workstation scored it meanwhile).
    Outcome scoreRow(db::Connection &connection, qint64 idx, QString *refusal = nullptr);

    // Scores every waiting row of the database source() gives, a slice at
    // a time. Stops when source() gives another database than at the
    // start, or none. Rows refused once are not tried again by this object.
    void start(ConnectionSource source);
    void stop();
    bool isRunning() const { return m_running; }
    int total() const { return int(m_rows.size()); }
    int done() const { return m_next; }

Q_SIGNALS:
    void progress(int done, int total);
    // scored rows got a result; refused rows could not be scored.
    void finished(int scored, int refused);

private:
    void slice();
    void finish();

    OvraSettings &m_settings;
    StoreSettings m_configured;
    std::unique_ptr<wsDaten> m_store;
    QTimer *m_timer = nullptr;
    ConnectionSource m_source;
    db::Connection *m_connection = nullptr;
    QString m_location;
    QList<qint64> m_rows;
    int m_next = 0;
    int m_scored = 0;
    int m_refusedNow = 0;
    bool m_running = false;
    // Per database location: rows whose header was refused.
    QHash<QString, QSet<qint64>> m_refused;
};

} // namespace ovra::history
