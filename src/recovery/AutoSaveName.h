#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>

namespace ovra::recovery {

// The file name an autosaved routine gets: the template rendered against the
// routine meta information (every "/" taken out of the values) and "date"
// ("yyyyMMdd") and "time" ("hhmmss") of now; characters a file name cannot
// hold and the escaped <, > and " are removed, spaces too when asked, and
// ".dat" is appended. A "/" written in the template itself names a subfolder.
QString autoSaveFileName(const QMap<QString, QString> &meta, const QString &filenameTemplate,
                         bool suppressWhitespace, const QDateTime &now);

// The name joined to the target directory, cleaned and with native
// separators; an empty directory leaves the name relative.
QString autoSaveFilePath(const QString &directory, const QString &fileName);

} // namespace ovra::recovery
