#pragma once

#include "media/tagtext.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <span>
#include <vector>

namespace media {

// The most of a frame's content (encoding byte and text) that is read: far more than a title
// shows (100 characters) in any encoding, and a frame that declares hundreds of megabytes costs
// no more.
constexpr qsizetype frameContentLimit = 4096;
// The header before a frame's content: identifier and size (and flags from version 3 on).
qsizetype frameHeaderSize(int majorVersion);

// The text of one ID3v2 text frame: the first occurrence of the identifier anywhere in the tag
// body (letters matched without regard to case), decoded by its byte-order mark or encoding
// byte, its content cut at frameContentLimit and its ending NULs dropped, and its several
// values joined by CR LF ("/" in version 3, NUL in version 4). Empty when the frame is missing or
// cut short, or the version is not 2, 3 or 4.
TagText frameText(QByteArrayView identifier, QByteArrayView body, int majorVersion);

// The texts of several frames, each as frameText gives it, with the body searched once.
std::vector<TagText> frameTexts(std::span<const QByteArrayView> identifiers, QByteArrayView body,
                                int majorVersion);

// The leading number of a frame's text (year, track: "3/12" gives 3), fraction dropped; 0 when
// the text starts with no number or the number does not fit 16 bits.
qint16 frameNumber(QByteArrayView identifier, QByteArrayView body, int majorVersion);

// The leading number of a text in either form, as frameNumber reads it.
qint16 leadingNumber(const TagText &text);

} // namespace media
