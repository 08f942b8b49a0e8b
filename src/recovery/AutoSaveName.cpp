#include "recovery/AutoSaveName.h"

#include "util/Mustache.h"

#include <QDir>
#include <QVariantHash>

namespace ovra::recovery {

QString autoSaveFileName(const QMap<QString, QString> &meta, const QString &filenameTemplate,
                         bool suppressWhitespace, const QDateTime &now)
{
    QVariantHash values;
    for (auto it = meta.cbegin(); it != meta.cend(); ++it)
        values.insert(it.key(), QString(it.value()).remove(QLatin1Char('/')));
    values.insert(QStringLiteral("date"), now.toString(QStringLiteral("yyyyMMdd")));
    values.insert(QStringLiteral("time"), now.toString(QStringLiteral("hhmmss")));

    Mustache::QtVariantContext context(values);
    Mustache::Renderer renderer;
    QString name = renderer.renderTemplate(filenameTemplate, &context);

    static const char *const kRemoved[] = {"\\", ":", "*", "?", "\"", "<", ">", "|", ",", ".",
                                           "\t", "\n", "&lt;", "&gt;", "&quot;"};
    for (const char *removed : kRemoved)
        name.remove(QLatin1String(removed));
    if (suppressWhitespace)
        name.remove(QLatin1Char(' '));
    if (!name.endsWith(QLatin1String(".dat")))
        name += QLatin1String(".dat");
    return name;
}

QString autoSaveFilePath(const QString &directory, const QString &fileName)
{
    const QString joined = directory.isEmpty() ? fileName : directory + QLatin1Char('/') + fileName;
    return QDir::toNativeSeparators(QDir::cleanPath(joined));
}

} // namespace ovra::recovery
