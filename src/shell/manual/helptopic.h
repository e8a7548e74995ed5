#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// A help file larger than this is not ours: it is not read.
inline constexpr qint64 maxHelpFileSize = 8 * 1024 * 1024;

// The help file holds one topic per help context number: the element carrying id="h<number>"
// (an anchor such as <a id="h12"> directly inside a heading counts from that heading) starts it,
// and it runs to the next topic or the end of the body. Returns the topic's HTML, trimmed;
// empty when no topic has that number. Malformed HTML gives a shorter topic or none.
QString helpTopicHtml(QStringView html, int helpContext);

// The topic for the number in the help file at the internal path, read as UTF-8; empty when the
// file is missing, larger than a help file can be, or has no such topic.
QString readHelpTopic(const QString &helpFile, int helpContext);
