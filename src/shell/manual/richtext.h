#pragma once

#include <QString>
#include <QStringView>

// True when the text is a rich text document ("{\rtf...").
bool isRtf(QStringView text);

// The text of a rich text document as HTML for Qt's rich text display. Kept: paragraphs and line
// breaks, bold, italic, underline, colours of the colour table, \'hh (as Latin-1) and \u
// characters; font tables, style sheets and other destinations are dropped. Unbalanced braces
// and unknown words are passed over.
QString rtfToHtml(QStringView rtf);
