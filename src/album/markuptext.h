#pragma once

#include <QString>
#include <QStringView>

// Loose reading of markup written by any program: no parser, only the few text rules that find
// a playlist's sources.
namespace album {

// The text from the first start marker up to the end marker that follows it (to the end of the
// text when there is none); exclusive leaves both markers out, else both are kept. Empty when
// the text or a marker is empty or the start marker does not occur.
QString textBetween(QStringView text, QStringView start, QStringView end,
                    Qt::CaseSensitivity cs = Qt::CaseInsensitive, bool exclusive = true);

// The value of the attribute at the first occurrence of name in the element text (matched
// without regard to case): quoted with " or ' (">" included), or unquoted up to a blank or ">".
// Empty when that occurrence is not followed by "=", or a quoted value is unclosed.
// Entities and character references stay as they are.
QString attributeValue(QStringView element, QStringView name);

} // namespace album
