#pragma once

#include <QByteArray>
#include <QString>

#include <utility>

namespace media {

// A tag's text in one of its two forms: 8-bit bytes exactly as the file holds them (decoded
// later in the album's code page), or Unicode text already decoded from UTF-16 or UTF-8.
struct TagText {
    QByteArray bytes;
    QString unicode;
    bool isUnicode = false;

    static TagText fromBytes(QByteArray bytes) { return {std::move(bytes), {}, false}; }
    static TagText fromUnicode(QString text) { return {{}, std::move(text), true}; }

    bool isEmpty() const { return isUnicode ? unicode.isEmpty() : bytes.isEmpty(); }
    // The text to show: Unicode as it is; bytes decoded in the album's code page, where 0, 1200
    // (no byte encoding), a page that cannot decode them and 65001 for bytes that are no UTF-8
    // read in the title code page.
    QString toString(int codePage = 0) const;

    friend bool operator==(const TagText &, const TagText &) = default;
};

} // namespace media
