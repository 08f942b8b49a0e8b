#include "recovery/CommitMarker.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

QString CommitMarker::pathFor(const QString &dataFile)
{
    const QFileInfo info(dataFile);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".committed"));
}

std::optional<CommitMarker> CommitMarker::read(const QString &dataFile)
{
    QFile file(pathFor(dataFile));
    if (!file.exists())
        return std::nullopt;
    CommitMarker marker;
    const QJsonObject object =
        file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
    marker.key = object.value(QStringLiteral("idempotencyKey")).toString();
    marker.committedAt =
        QDateTime::fromString(object.value(QStringLiteral("committedAt")).toString(), Qt::ISODateWithMs);
    marker.fileSavePending = object.value(QStringLiteral("fileSavePending")).toBool();
    marker.databaseSavePending = object.value(QStringLiteral("databaseSavePending")).toBool();
    if (marker.key.isEmpty()) {
        // Cut short while it was written, or damaged: the routine was still
        // committed, and what was saved is not known, so every save counts
        // as not done.
        qWarning().noquote() << QStringLiteral("The commit mark %1 cannot be read; every save of the routine "
                                               "is repeated")
                                    .arg(QDir::toNativeSeparators(file.fileName()));
        marker.fileSavePending = true;
        marker.databaseSavePending = true;
    }
    return marker;
}

bool CommitMarker::write(const QString &dataFile, QString *error) const
{
    const QJsonObject object{
        {QStringLiteral("idempotencyKey"), key},
        {QStringLiteral("committedAt"), committedAt.toString(Qt::ISODateWithMs)},
        {QStringLiteral("fileSavePending"), fileSavePending},
        {QStringLiteral("databaseSavePending"), databaseSavePending},
    };
    const QByteArray content = QJsonDocument(object).toJson();
    // Unbuffered, because commit() takes a buffered tail that no longer fits
    // on the disk for written.
    QSaveFile file(pathFor(dataFile));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(content) != content.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

void CommitMarker::remove(const QString &dataFile)
{
    const QString path = pathFor(dataFile);
    if (QFile::exists(path) && !QFile::remove(path))
        qWarning().noquote()
            << QStringLiteral("Could not remove the commit mark %1").arg(QDir::toNativeSeparators(path));
}

bool CommitMarker::move(const QString &fromDataFile, const QString &toDataFile)
{
    const QString from = pathFor(fromDataFile);
    if (!QFile::exists(from))
        return true;
    return QFile::rename(from, pathFor(toDataFile));
}
