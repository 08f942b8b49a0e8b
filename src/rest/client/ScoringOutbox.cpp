#include "rest/client/ScoringOutbox.h"

#include "util/LogHandler.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace ovra::rest::client {

namespace {

QString fileNameFor(qint64 sequence)
{
    return QStringLiteral("%1.json").arg(sequence, 16, 10, QLatin1Char('0'));
}

QByteArray toFileContent(const ScoringOutboxEntry &entry)
{
    const QJsonObject object{
        {QStringLiteral("format"), ScoringOutbox::kFormat},
        {QStringLiteral("sequence"), QString::number(entry.sequence)},
        {QStringLiteral("idempotencyKey"), entry.key},
        {QStringLiteral("systemLabel"), entry.systemLabel},
        {QStringLiteral("systemUrl"), entry.systemUrl},
        {QStringLiteral("athlete"), entry.athlete},
        {QStringLiteral("committedAt"), entry.committedAt.toString(Qt::ISODateWithMs)},
        // The body is the result's JSON text, UTF-8 by construction; as a
        // string it reads back to the same bytes.
        {QStringLiteral("body"), QString::fromUtf8(entry.body)},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

// The entry of a file's content; the reason when it cannot be read.
std::optional<ScoringOutboxEntry> fromFileContent(const QByteArray &content, QString *reason)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(content, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *reason = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                               : QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    if (object.value(QStringLiteral("format")).toInt() != ScoringOutbox::kFormat) {
        *reason = QStringLiteral("unknown format");
        return std::nullopt;
    }
    for (const char *name :
         {"sequence", "idempotencyKey", "systemLabel", "systemUrl", "body", "committedAt"}) {
        const QJsonValue value = object.value(QLatin1String(name));
        if (!value.isString() || value.toString().isEmpty()) {
            *reason = QStringLiteral("\"%1\" is missing").arg(QLatin1String(name));
            return std::nullopt;
        }
    }
    ScoringOutboxEntry entry;
    bool ok = false;
    entry.sequence = object.value(QStringLiteral("sequence")).toString().toLongLong(&ok);
    entry.committedAt =
        QDateTime::fromString(object.value(QStringLiteral("committedAt")).toString(), Qt::ISODateWithMs);
    if (!ok || entry.sequence <= 0 || !entry.committedAt.isValid()) {
        *reason = QStringLiteral("bad sequence or time");
        return std::nullopt;
    }
    entry.key = object.value(QStringLiteral("idempotencyKey")).toString();
    entry.systemLabel = object.value(QStringLiteral("systemLabel")).toString();
    entry.systemUrl = object.value(QStringLiteral("systemUrl")).toString();
    entry.athlete = object.value(QStringLiteral("athlete")).toString();
    entry.body = object.value(QStringLiteral("body")).toString().toUtf8();
    if (!QJsonDocument::fromJson(entry.body).isObject()) {
        *reason = QStringLiteral("the result is not a JSON object");
        return std::nullopt;
    }
    return entry;
}

} // namespace

ScoringOutbox::ScoringOutbox(QObject *parent)
    : QObject(parent)
{}

void ScoringOutbox::open(const QString &directory)
{
    m_directory = directory;
    m_entries.clear();
    m_lastSequence = 0;
    const QDir dir(directory);
    const QStringList files = dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString &fileName : files) {
        QFile file(dir.filePath(fileName));
        QString reason;
        std::optional<ScoringOutboxEntry> entry;
        if (!file.open(QIODevice::ReadOnly))
            reason = file.errorString();
        else
            entry = fromFileContent(file.readAll(), &reason);
        file.close();
        if (!entry) {
            setAside(fileName, reason);
            continue;
        }
        entry->id = fileName;
        m_entries.append(*entry);
    }
    std::stable_sort(
        m_entries.begin(), m_entries.end(),
        [](const ScoringOutboxEntry &a, const ScoringOutboxEntry &b) { return a.sequence < b.sequence; });
    if (!m_entries.isEmpty()) {
        m_lastSequence = m_entries.constLast().sequence;
        qInfo().noquote() << QStringLiteral("%1 result(s) wait in %2 for scoring systems")
                                 .arg(m_entries.size())
                                 .arg(QDir::toNativeSeparators(directory));
    }
    Q_EMIT changed();
}

void ScoringOutbox::setAside(const QString &fileName, const QString &reason) const
{
    const QDir dir(m_directory);
    dir.mkpath(QString::fromLatin1(kUnreadableFolder));
    QString target = dir.filePath(QString::fromLatin1(kUnreadableFolder) + QLatin1Char('/') + fileName);
    if (QFile::exists(target))
        target += QDateTime::currentDateTime().toString(QStringLiteral(".yyyyMMdd_hhmmss_zzz"));
    const bool moved = QFile::rename(dir.filePath(fileName), target);
    qCWarning(ovra::util::lcDelivery).noquote()
        << QStringLiteral("The outbox entry %1 cannot be read (%2); %3")
               .arg(QDir::toNativeSeparators(dir.filePath(fileName)), reason,
                    moved ? QStringLiteral("it was set aside in %1").arg(QDir::toNativeSeparators(target))
                          : QStringLiteral("it could not be set aside and is skipped"));
}

bool ScoringOutbox::add(QList<ScoringOutboxEntry> entries, QString *error)
{
    qint64 sequence = 0;
    for (const ScoringOutboxEntry &waiting : std::as_const(m_entries))
        sequence = std::max(sequence, waiting.sequence);
    sequence = std::max(sequence, m_lastSequence);
    bool written = true;
    QString firstError;
    for (ScoringOutboxEntry &entry : entries) {
        entry.sequence = ++sequence;
        entry.id = fileNameFor(entry.sequence);
        QString reason;
        if (!m_directory.isEmpty() && !write(entry, &reason)) {
            if (written)
                firstError = reason;
            written = false;
        }
        m_entries.append(entry);
    }
    m_lastSequence = sequence;
    if (!written) {
        qCWarning(ovra::util::lcDelivery).noquote()
            << QStringLiteral("The results for the scoring systems could not be written to %1: %2")
                   .arg(QDir::toNativeSeparators(m_directory), firstError);
        if (error)
            *error = firstError;
    }
    Q_EMIT changed();
    return written;
}

bool ScoringOutbox::write(const ScoringOutboxEntry &entry, QString *error) const
{
    if (!QDir().mkpath(m_directory)) {
        *error = QStringLiteral("the folder cannot be created");
        return false;
    }
    // Unbuffered, because commit() takes a buffered tail that no longer fits
    // on the disk for written.
    QSaveFile file(QDir(m_directory).filePath(entry.id));
    const QByteArray content = toFileContent(entry);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(content) != content.size() || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

void ScoringOutbox::remove(const QString &id)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&id](const ScoringOutboxEntry &entry) { return entry.id == id; });
    if (it == m_entries.end())
        return;
    m_entries.erase(it);
    if (!m_directory.isEmpty()) {
        QFile file(QDir(m_directory).filePath(id));
        // A file left behind would be sent once more after a restart; its
        // key lets the system drop it.
        if (file.exists() && !file.remove())
            qCWarning(ovra::util::lcDelivery).noquote()
                << QStringLiteral("The outbox entry %1 could not be removed: %2")
                       .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
    }
    Q_EMIT changed();
}

std::optional<ScoringOutboxEntry> ScoringOutbox::entry(const QString &id) const
{
    for (const ScoringOutboxEntry &entry : m_entries) {
        if (entry.id == id)
            return entry;
    }
    return std::nullopt;
}

QString ScoringOutbox::athleteOf(const QMap<QString, QString> &routineMeta)
{
    const auto person = [&routineMeta](const QString &suffix) {
        return QStringList{routineMeta.value(QStringLiteral("firstname") + suffix).trimmed(),
                           routineMeta.value(QStringLiteral("lastname") + suffix).trimmed()}
            .join(QLatin1Char(' '))
            .trimmed();
    };
    if (routineMeta.contains(QStringLiteral("lastname2"))) {
        QStringList pair{person(QStringLiteral("1")), person(QStringLiteral("2"))};
        pair.removeAll(QString());
        return pair.join(QStringLiteral(" / "));
    }
    return person(QString());
}

} // namespace ovra::rest::client
