#pragma once

#include <QString>
#include <QStringView>

// Text rules over internal paths ("\" between folders) and delimited fields.
namespace album {

// The path up to and including its last "\"; empty when it has none.
QString folderOfPath(QStringView path);

// The text before the first delimiter; when the delimiter is missing, the whole text, or empty
// text when emptyIfMissing is set. An empty delimiter gives the whole text.
QString textBefore(QStringView text, QStringView delimiter, bool emptyIfMissing,
                   Qt::CaseSensitivity cs = Qt::CaseSensitive);
// The text after the last delimiter, with the same rules for a missing or empty delimiter.
QString textAfterLast(QStringView text, QStringView delimiter, bool emptyIfMissing,
                      Qt::CaseSensitivity cs = Qt::CaseSensitive);

// An absolute path unchanged; else the path (".\" and "..\" prefixes applied) against the
// folder of base. ".." never climbs above the base's root.
QString resolveRelativePath(QStringView path, QStringView base);
// An absolute path inside the base folder (compared as the file system compares names) as the
// rest after that folder; every other path unchanged.
QString makeRelativePath(QStringView path, QStringView base);

} // namespace album
