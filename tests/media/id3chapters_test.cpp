#include "media/id3chapters.h"

#include "media/deviceread.h"
#include "media/frametext.h"
#include "media/tagreader.h"
#include "tagbytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

using media::Chapter;
using media::Chapters;
using namespace tagbytes;

// A chapter frame: element identifier, start, end (a second later), both byte offsets unset,
// then the embedded frames.
QByteArray chap(int version, const QByteArray &element, quint32 startMs,
                const QByteArray &subFrames = {})
{
    return frame(version, "CHAP",
                 element + '\0' + bigEndian(startMs, 4) + bigEndian(startMs + 1000, 4) +
                     bigEndian(0xFFFFFFFF, 4) + bigEndian(0xFFFFFFFF, 4) + subFrames);
}

// A chapter whose title frame holds Latin-1 text.
QByteArray titled(int version, const QByteArray &element, quint32 startMs, const QByteArray &title)
{
    return chap(version, element, startMs, textFrame(version, "TIT2", 0, title));
}

constexpr quint8 topLevel = 0x03;
constexpr quint8 nested = 0x01;

// A table of contents: element identifier, flags, entry count, the children, embedded frames.
QByteArray ctoc(int version, const QByteArray &element, quint8 flags,
                const QList<QByteArray> &children, const QByteArray &subFrames = {})
{
    QByteArray content = element + '\0' + char(flags) + char(children.size());
    for (const QByteArray &child : children)
        content += child + '\0';
    return frame(version, "CTOC", content + subFrames);
}

// A frame whose format flags (its header's last byte) are set; the content as given.
QByteArray flagged(int version, const QByteArray &identifier, quint8 format,
                   const QByteArray &content)
{
    QByteArray bytes = frame(version, identifier, content);
    bytes[9] = char(format);
    return bytes;
}

// The chapters both ways the reader takes a body: whole, and frame by frame from a device.
Chapters readBoth(const QByteArray &body, int version, quint8 flags = 0)
{
    const Chapters whole = media::readId3Chapters(body, version, flags);
    QByteArray bytes = "0123" + body;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(media::readId3Chapters(media::DeviceReader(buffer), 4, body.size(), version, flags),
              whole);
    return whole;
}

struct Case {
    const char *what;
    int version;
    QByteArray body;
    Chapters expected;
    quint8 flags = 0;
};

void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.what;
}

class Id3ChaptersTable : public testing::TestWithParam<Case> {};

TEST_P(Id3ChaptersTable, GivesTheListedChapters)
{
    const Case &c = GetParam();
    EXPECT_EQ(readBoth(c.body, c.version, c.flags), c.expected);
}

const QByteArray longTitle = QByteArray(300, 'L');

INSTANTIATE_TEST_SUITE_P(
    Versions, Id3ChaptersTable,
    testing::Values(
        // Sizes above 127 are written differently in the two versions.
        Case{"2.3",
             3,
             titled(3, "c1", 0, "One") + titled(3, "c2", 90'000, longTitle) +
                 titled(3, "c3", 0xFF00FF00, "Late") + titled(3, "c4", 0xFFFFFFFF, "Later"),
             {{0, "One"}, {90'000, longTitle}, {0xFF00FF00, "Late"}, {0xFFFFFFFF, "Later"}}},
        Case{"2.4",
             4,
             titled(4, "c1", 0, "One") + titled(4, "c2", 90'000, longTitle) +
                 titled(4, "c3", 0xFF00FF00, "Late") + titled(4, "c4", 0xFFFFFFFF, "Later"),
             {{0, "One"}, {90'000, longTitle}, {0xFF00FF00, "Late"}, {0xFFFFFFFF, "Later"}}},
        Case{"2.2 has no chapters", 2, frame(2, "CHA", "c1\0" + QByteArray(16, '\0')), {}},
        Case{"2.5 is no version read", 5, titled(4, "c1", 5, "One"), {}},
        Case{"other frames are passed over",
             3,
             textFrame(3, "TIT2", 0, "Book") + titled(3, "c1", 5, "One") +
                 frame(3, "APIC", QByteArray(500, 'C')) + titled(3, "c2", 9, "Two"),
             {{5, "One"}, {9, "Two"}}},
        Case{"a chapter's other frames are passed over",
             3,
             chap(3, "c1", 5,
                  textFrame(3, "TIT3", 0, "Sub") + textFrame(3, "TIT2", 0, "One") +
                      textFrame(3, "TIT2", 0, "Again")),
             {{5, "One"}}},
        Case{"a slash in a 2.3 title stays", 3, titled(3, "c1", 5, "1/2"), {{5, "1/2"}}}));

INSTANTIATE_TEST_SUITE_P(
    Tables, Id3ChaptersTable,
    testing::Values(
        Case{"the table's order",
             3,
             ctoc(3, "toc", topLevel, {"c3", "c1", "c2"}) + titled(3, "c1", 1, "A") +
                 titled(3, "c2", 2, "B") + titled(3, "c3", 3, "C"),
             {{3, "C"}, {1, "A"}, {2, "B"}}},
        Case{"only the named chapters",
             4,
             titled(4, "c1", 1, "A") + titled(4, "c2", 2, "B") + titled(4, "c3", 3, "C") +
                 ctoc(4, "toc", topLevel, {"c3", "c1"}),
             {{3, "C"}, {1, "A"}}},
        Case{"a table that is not top-level lists nothing",
             3,
             ctoc(3, "toc", nested, {"c2"}) + titled(3, "c1", 1, "A") + titled(3, "c2", 2, "B"),
             {{1, "A"}, {2, "B"}}},
        Case{"a table naming none there lists nothing",
             3,
             ctoc(3, "toc", topLevel, {"x", "y"}) + titled(3, "c1", 1, "A"),
             {{1, "A"}}},
        Case{"nested tables, depth first",
             3,
             ctoc(3, "top", topLevel, {"part2", "c1"}) + ctoc(3, "part2", nested, {"c3", "c2"}) +
                 titled(3, "c1", 1, "A") + titled(3, "c2", 2, "B") + titled(3, "c3", 3, "C"),
             {{3, "C"}, {2, "B"}, {1, "A"}}},
        Case{"tables naming each other end",
             4,
             ctoc(4, "a", topLevel, {"b", "c1"}) + ctoc(4, "b", nested, {"a", "b", "c2"}) +
                 titled(4, "c1", 1, "A") + titled(4, "c2", 2, "B"),
             {{2, "B"}, {1, "A"}}},
        Case{"an empty child identifier",
             3,
             ctoc(3, "toc", topLevel, {"", "c2"}) + titled(3, "c1", 1, "A") +
                 titled(3, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"an empty element identifier", 3, titled(3, "", 5, "E"), {{5, "E"}}},
        Case{"a chapter named twice is taken once",
             3,
             ctoc(3, "toc", topLevel, {"c1", "c2", "c1"}) + titled(3, "c1", 1, "A") +
                 titled(3, "c2", 2, "B"),
             {{1, "A"}, {2, "B"}}},
        Case{"the first top-level table counts",
             3,
             ctoc(3, "t1", nested, {"c1"}) + ctoc(3, "t2", topLevel, {"c2"}) +
                 ctoc(3, "t3", topLevel, {"c1"}) + titled(3, "c1", 1, "A") +
                 titled(3, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"a repeated element identifier names the first frame",
             3,
             ctoc(3, "toc", topLevel, {"c1"}) + ctoc(3, "toc", topLevel, {"c2"}) +
                 titled(3, "c1", 1, "A") + titled(3, "c1", 2, "B") + titled(3, "c2", 3, "C"),
             {{1, "A"}}},
        Case{"without a table a repeated identifier counts each time",
             3,
             titled(3, "c1", 1, "A") + titled(3, "c1", 2, "B"),
             {{1, "A"}, {2, "B"}}},
        Case{"no more children than the count",
             3,
             frame(3, "CTOC",
                   QByteArray("toc\0\x03\x01"
                              "c2\0c1\0",
                              12)) +
                 titled(3, "c1", 1, "A") + titled(3, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"a count beyond the children ends with them",
             3,
             frame(3, "CTOC",
                   QByteArray("toc\0\x03\x09"
                              "c2\0c1",
                              10)) +
                 titled(3, "c1", 1, "A") + titled(3, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"a count of none lists nothing",
             3,
             frame(3, "CTOC",
                   QByteArray("toc\0\x03\x00"
                              "c2\0",
                              8)) +
                 titled(3, "c1", 1, "A") + titled(3, "c2", 2, "B"),
             {{1, "A"}, {2, "B"}}},
        Case{"a table too short for its count is skipped",
             3,
             frame(3, "CTOC", QByteArray("toc\0\x03", 5)) + titled(3, "c1", 1, "A"),
             {{1, "A"}}},
        Case{"a table's own title is no chapter",
             3,
             ctoc(3, "toc", topLevel, {"c1"}, textFrame(3, "TIT2", 0, "Contents")) +
                 titled(3, "c1", 1, "A"),
             {{1, "A"}}}));

INSTANTIATE_TEST_SUITE_P(
    Titles, Id3ChaptersTable,
    testing::Values(
        Case{"no title frame", 3, chap(3, "c1", 7), {{7, ""}}},
        Case{"only other frames", 4, chap(4, "c1", 7, textFrame(4, "TIT3", 0, "Sub")), {{7, ""}}},
        Case{"an empty title", 3, chap(3, "c1", 7, textFrame(3, "TIT2", 0, "")), {{7, ""}}},
        Case{"Latin-1", 3, titled(3, "c1", 7, "Caf\xE9"), {{7, QStringLiteral("Café")}}},
        Case{"UTF-16 little-endian",
             3,
             chap(3, "c1", 7, textFrame(3, "TIT2", 1, "\xFF\xFE" + utf16le(u"Ελένη"))),
             {{7, QStringLiteral("Ελένη")}}},
        Case{"UTF-16 big-endian",
             4,
             chap(4, "c1", 7, textFrame(4, "TIT2", 1, "\xFE\xFF" + utf16be(u"Ελένη") + '\0')),
             {{7, QStringLiteral("Ελένη")}}},
        // Only frames flagged so are unsynchronised: "\u00FF" in UTF-16 is FF 00.
        Case{"UTF-16 holding FF 00",
             4,
             chap(4, "c1", 7,
                  textFrame(4, "TIT2", 1, "\xFF\xFE" + utf16le(QStringLiteral("\u00FFA")))),
             {{7, QStringLiteral("\u00FFA")}}},
        Case{"UTF-16 without a mark",
             4,
             chap(4, "c1", 7, textFrame(4, "TIT2", 2, utf16be(u"日本"))),
             {{7, QStringLiteral("日本")}}},
        Case{"UTF-8",
             4,
             chap(4, "c1", 7, textFrame(4, "TIT2", 3, "\xE6\x97\xA5")),
             {{7, QStringLiteral("日")}}},
        Case{"a title past the frame content limit is cut",
             3,
             titled(3, "c1", 7, QByteArray(5000, 'x')),
             {{7, QString(media::frameContentLimit - 1, u'x')}}}));

// Damage: a chapter that cannot be read safely is skipped, and what follows a frame whose end
// cannot be trusted is not read.
INSTANTIATE_TEST_SUITE_P(
    Damage, Id3ChaptersTable,
    testing::Values(
        Case{"a frame past the body's end",
             3,
             titled(3, "c1", 1, "A") + frameHeader(3, "CHAP", 40) + "c2" + QByteArray(20, '\0'),
             {{1, "A"}}},
        Case{"a frame just fitting the body's end",
             3,
             titled(3, "c1", 1, "A") + frameHeader(3, "CHAP", 19) + "c2" + QByteArray(17, '\0'),
             {{1, "A"}, {0, ""}}},
        Case{"a header cut short",
             3,
             titled(3, "c1", 1, "A") + QByteArray("CHAP\0\0\0", 7),
             {{1, "A"}}},
        Case{"an element identifier not ended",
             3,
             frame(3, "CHAP", "c1" + QByteArray(16, '\x01')) + titled(3, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"times cut short",
             3,
             frame(3, "CHAP", "c1" + QByteArray(16, '\0')) + titled(3, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"times just there", 3, frame(3, "CHAP", "c1" + QByteArray(17, '\0')), {{0, ""}}},
        Case{"an embedded frame past its chapter's end",
             3,
             chap(3, "c1", 1, frameHeader(3, "TIT2", 30) + "\0Title") + titled(3, "c2", 2, "B"),
             {{1, ""}, {2, "B"}}},
        Case{"an embedded frame cut short after a title",
             4,
             chap(4, "c1", 1, textFrame(4, "TIT2", 0, "A") + "TIT"),
             {{1, "A"}}},
        Case{"padding ends the frames",
             3,
             titled(3, "c1", 1, "A") + QByteArray(20, '\0') + titled(3, "c2", 2, "B"),
             {{1, "A"}}},
        Case{"a bad identifier ends the frames",
             3,
             titled(3, "c1", 1, "A") + frame(3, "CH@P", "x") + titled(3, "c2", 2, "B"),
             {{1, "A"}}},
        Case{"lower-case identifiers are no frames",
             3,
             titled(3, "c1", 1, "A") + frame(3, "chap", "x") + titled(3, "c2", 2, "B"),
             {{1, "A"}}},
        Case{"a lower-case title frame is none",
             3,
             chap(3, "c1", 1, textFrame(3, "tit2", 0, "A")),
             {{1, ""}}},
        Case{"identifiers of digits",
             3,
             titled(3, "c1", 1, "A") + frame(3, "Z0A9", "x") + titled(3, "c2", 2, "B"),
             {{1, "A"}, {2, "B"}}},
        Case{"a 2.4 size not sync-safe",
             4,
             titled(4, "c1", 1, "A") + QByteArray("CHAP\0\0\x01\x00\0\0", 10) +
                 QByteArray(256, 'x') + titled(4, "c2", 2, "B"),
             {{1, "A"}}}));

// Frame flags: what can be undone is, the rest skipped.
INSTANTIATE_TEST_SUITE_P(
    Flags, Id3ChaptersTable,
    testing::Values(
        Case{"2.3 compressed",
             3,
             flagged(3, "CHAP", 0x80, "c1" + QByteArray(17, '\0')) + titled(3, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"2.3 encrypted",
             3,
             flagged(3, "CHAP", 0x40, "c1" + QByteArray(17, '\0')) + titled(3, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"2.3 grouped",
             3,
             flagged(3, "CHAP", 0x20,
                     "\x07"
                     "c1" +
                         QByteArray(1, '\0') + bigEndian(5, 4) + QByteArray(12, '\0')),
             {{5, ""}}},
        Case{"2.3 status flags",
             3,
             [] {
                 QByteArray bytes = titled(3, "c1", 5, "A");
                 bytes[8] = '\xE0';
                 return bytes;
             }(),
             {{5, "A"}}},
        Case{"2.4 compressed",
             4,
             flagged(4, "CHAP", 0x08, "c1" + QByteArray(17, '\0')) + titled(4, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"2.4 encrypted",
             4,
             flagged(4, "CHAP", 0x04, "c1" + QByteArray(17, '\0')) + titled(4, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"2.4 grouped and with a length",
             4,
             flagged(4, "CHAP", 0x41,
                     "\x07" + sevenBitGroups(19) + "c1" + QByteArray(1, '\0') + bigEndian(5, 4) +
                         QByteArray(12, '\0')),
             {{5, ""}}},
        Case{"2.4 with a length only",
             4,
             flagged(4, "CHAP", 0x01,
                     sevenBitGroups(19) + "c1" + QByteArray(1, '\0') + bigEndian(5, 4) +
                         QByteArray(12, '\0')),
             {{5, ""}}},
        Case{"2.4 grouped, too short for its group byte",
             4,
             flagged(4, "CHAP", 0x40, "") + titled(4, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"2.4 with a length, too short for it",
             4,
             flagged(4, "CHAP", 0x01, "c1\0") + titled(4, "c2", 2, "B"),
             {{2, "B"}}},
        Case{"2.4 unsynchronised frame",
             4,
             flagged(4, "CHAP", 0x02,
                     "c1" + QByteArray(1, '\0') +
                         QByteArray("\xFF\x00\xFF\x00\xFF\x00\xFF\x00", 8) + QByteArray(12, '\0') +
                         textFrame(4, "TIT2", 0, "A")),
             {{0xFFFFFFFF, "A"}}},
        Case{"2.4 unsynchronised frame ending in FF",
             4,
             flagged(4, "CHAP", 0x02,
                     "c1" + QByteArray(17, '\0') + QByteArray("TIT2\0\0\0\x02\0\0\0\xFF", 12)),
             {{0, QStringLiteral("\u00FF")}}},
        Case{"2.4 unsynchronised title",
             4,
             chap(4, "c1", 1, flagged(4, "TIT2", 0x02, QByteArray("\0\xFF\x00\xE9", 4))),
             {{1, QStringLiteral("\u00FF\u00E9")}}},
        Case{"2.4 compressed title",
             4,
             chap(4, "c1", 1,
                  flagged(4, "TIT2", 0x08, QByteArray("\0A", 2)) + textFrame(4, "TIT2", 0, "B")),
             {{1, "B"}}},
        Case{"2.3 encrypted title",
             3,
             chap(3, "c1", 1,
                  flagged(3, "TIT2", 0x40, QByteArray("\0A", 2)) + textFrame(3, "TIT2", 0, "B")),
             {{1, "B"}}},
        Case{"a title frame holding only its group byte is an empty title",
             3,
             chap(3, "c1", 1,
                  flagged(3, "TIT2", 0x20, QByteArray(1, '\x01')) + textFrame(3, "TIT2", 0, "B")),
             {{1, ""}}},
        Case{"2.3 grouped title",
             3,
             chap(3, "c1", 1, flagged(3, "TIT2", 0x20, QByteArray("\x01\0A", 3))),
             {{1, "A"}}},
        Case{"2.4 tag unsynchronised as a whole",
             4,
             frame(4, "CHAP",
                   "c1" + QByteArray(1, '\0') + QByteArray("\xFF\x00\xFF\x00\xFF\x00\xFF\x00", 8) +
                       QByteArray(12, '\0') + textFrame(4, "TIT2", 0, "A")),
             {{0xFFFFFFFF, "A"}},
             0x80},
        Case{"2.3 extended header",
             3,
             bigEndian(6, 4) + QByteArray(6, '\0') + titled(3, "c1", 1, "A"),
             {{1, "A"}},
             0x40},
        Case{"2.4 extended header",
             4,
             sevenBitGroups(6) + QByteArray(2, '\0') + titled(4, "c1", 1, "A"),
             {{1, "A"}},
             0x40},
        Case{"an extended header past the body",
             3,
             bigEndian(600, 4) + titled(3, "c1", 1, "A"),
             {},
             0x40},
        Case{"an extended header cut short", 4, QByteArray(3, '\0'), {}, 0x40},
        Case{"no extended header without its flag", 3, titled(3, "c1", 1, "A"), {{1, "A"}}, 0x3F}));

Chapter numbered(int i)
{
    return {i, QString::number(i)};
}

TEST(Id3Chapters, AHugeCountIsCut)
{
    QByteArray body;
    Chapters expected;
    for (int i = 0; i < media::maximumChapters + 5; ++i) {
        body += titled(4, QByteArray::number(i), quint32(i), QByteArray::number(i));
        if (i < media::maximumChapters)
            expected.append(numbered(i));
    }
    EXPECT_EQ(readBoth(body, 4), expected);
}

// A table names at most 255 children: a long list nests tables.
TEST(Id3Chapters, AHugeCountThroughTablesIsCut)
{
    QByteArray body;
    QList<QByteArray> parts;
    Chapters expected;
    for (int part = 0; part * 250 < media::maximumChapters + 5; ++part) {
        QList<QByteArray> children;
        for (int i = part * 250; i < (part + 1) * 250; ++i) {
            children.append(QByteArray::number(i));
            body += titled(3, QByteArray::number(i), quint32(i), QByteArray::number(i));
            if (i < media::maximumChapters)
                expected.append(numbered(i));
        }
        parts.append("p" + QByteArray::number(part));
        body += ctoc(3, parts.back(), nested, children);
    }
    body += ctoc(3, "top", topLevel, parts);
    EXPECT_EQ(readBoth(body, 3), expected);
}

// 2.3 sizes count the plain bytes of a tag unsynchronised as a whole.
TEST(Id3Chapters, A23TagUnsynchronisedAsAWholeIsReadWhole)
{
    const QByteArray plain = chap(3, "c1", 0xFFFFFF00, textFrame(3, "TIT2", 0, "\xFF\xE9"));
    QByteArray body = plain;
    body.replace("\xFF", QByteArray("\xFF\x00", 2));
    const Chapters expected = {{0xFFFFFF00, QStringLiteral("\u00FF\u00E9")}};
    EXPECT_EQ(media::readId3Chapters(body, 3, media::id3Unsynchronised), expected);
    EXPECT_EQ(media::readId3Chapters(plain, 3), expected);
    // Frame by frame it is not read at all.
    QBuffer buffer(&body);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(media::readId3Chapters(media::DeviceReader(buffer), 0, body.size(), 3,
                                     media::id3Unsynchronised),
              Chapters());
    EXPECT_NE(media::readId3Chapters(media::DeviceReader(buffer), 0, body.size(), 3), Chapters());
}

// The device's bytes end before the body says.
TEST(Id3Chapters, ABodyCutByTheDeviceIsReadAsFarAsItGoes)
{
    QByteArray bytes = titled(3, "c1", 1, "A") + titled(3, "c2", 2, "B");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const media::DeviceReader device(buffer);
    EXPECT_EQ(media::readId3Chapters(device, 0, bytes.size() + 100, 3),
              Chapters({{1, "A"}, {2, "B"}}));
    EXPECT_EQ(media::readId3Chapters(device, 0, bytes.size() - 1, 3), Chapters({{1, "A"}}));
}

TEST(Id3Chapters, ReadTagFillsTheChapters)
{
    const QByteArray body = textFrame(4, "TIT2", 0, "Book") + titled(4, "c1", 1, "A") +
                            ctoc(4, "toc", topLevel, {"c1"});
    const media::TagRecord record = readTag(id3v2Tag(4, body) + filler(100));
    EXPECT_EQ(record.chapters, Chapters({{1, "A"}}));
    EXPECT_EQ(record.title.bytes, "Book");
    // The header's flags reach the reader.
    QByteArray withExtendedHeader =
        id3v2Tag(3, bigEndian(6, 4) + QByteArray(6, '\0') + titled(3, "c1", 1, "A")) + filler(10);
    withExtendedHeader[5] = char(media::id3ExtendedHeader);
    EXPECT_EQ(readTag(withExtendedHeader).chapters, Chapters({{1, "A"}}));
    EXPECT_EQ(readTag(id3v2Tag(2, frame(2, "CHA", "c1" + QByteArray(17, '\0')))).chapters,
              Chapters());
}

// A body too large to be read whole (cover art) still gives the chapters after the art; a
// chapter frame too large to be read is passed over.
TEST(Id3Chapters, ReadTagFindsChaptersAfterHugeCoverArt)
{
    constexpr qsizetype megabyte = 1024 * 1024;
    const QByteArray body =
        textFrame(3, "TIT2", 0, "Book") + frame(3, "APIC", QByteArray(17 * megabyte, 'C')) +
        titled(3, "c1", 1, "A") + chap(3, "big", 2, frame(3, "TXXX", QByteArray(megabyte, 'x'))) +
        chap(3, "fits", 3, frame(3, "TXXX", QByteArray(megabyte - 40, 'x'))) +
        ctoc(3, "toc", topLevel, {"big", "fits", "c1"}) + titled(3, "c2", 4, "B");
    const media::TagRecord record = readTag(id3v2Tag(3, body) + filler(100));
    EXPECT_EQ(record.chapters, Chapters({{3, ""}, {1, "A"}}));
    EXPECT_EQ(record.title.bytes, "Book");
}

// Chapter frames of more than 16 MB in all are not all gathered.
TEST(Id3Chapters, FramesGatheredFromADeviceAreBounded)
{
    constexpr qsizetype megabyte = 1024 * 1024;
    QByteArray body;
    // Each frame exactly a megabyte, so that sixteen of them are exactly the bound.
    for (int i = 10; i < 27; ++i)
        body += chap(3, QByteArray::number(i), quint32(i),
                     frame(3, "TXXX", QByteArray(megabyte - 39, 'x')));
    QBuffer buffer(&body);
    buffer.open(QIODevice::ReadOnly);
    const Chapters chapters =
        media::readId3Chapters(media::DeviceReader(buffer), 0, body.size(), 3);
    ASSERT_EQ(chapters.size(), 16);
    EXPECT_EQ(chapters.back().startMs, 25);
    EXPECT_EQ(media::readId3Chapters(body, 3).size(), 17);
}

} // namespace
