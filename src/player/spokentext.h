#pragma once

#include <QString>

// What a screen reader says for the player's values: text a listener understands, not the
// figures a sighted user reads off a control.
namespace spoken {

// "01:02:03 of 09:58:00"; "01:02:03" alone while the length is unknown (0 or less).
QString position(double seconds, double length);
// "80 percent".
QString volume(int percent);
// "1.5 times", "normal speed" at 1.
QString speed(double rate);
// "Record 3 of 12: Title" for the box at index (0-based) of count; "Chapter 3 of 12: Title" for
// a chapter's; without a title the part before the colon alone.
QString box(bool chapter, int index, int count, const QString &title);

// "Bookmark Title, 01:02:03" after a jump to a bookmark; "Back to 01:02:03" for the way back,
// which has no title.
QString jump(const QString &title, double seconds);

} // namespace spoken
