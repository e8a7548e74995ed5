#include "media/devicewindow.h"

#include "tagbytes.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using media::DeviceReader;
using media::DeviceWindow;
using tagbytes::CountingBuffer;
using tagbytes::filler;

// 40,000 bytes that count up, so that every piece is told from its neighbours.
QByteArray countingBytes()
{
    QByteArray bytes(40'000, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i % 251 == 250 ? 0 : i % 251);
    return bytes;
}

TEST(DeviceWindow, PiecesAreTheDevicesBytesCutAtItsEnd)
{
    const QByteArray bytes = countingBytes();
    CountingBuffer buffer(bytes);
    const DeviceReader reader(buffer);
    DeviceWindow window(reader, {});
    const std::pair<qint64, qint64> pieces[] = {
        {0, 4},           {16'380, 10}, {100, 4},    {39'990, 50}, {39'999, 1},
        {20'000, 20'000}, {0, 40'000},  {5, 39'000}, {12, 0},
    };
    for (const auto &[offset, count] : pieces)
        EXPECT_EQ(window.bytesAt(offset, count), bytes.mid(offset, count))
            << offset << ' ' << count;
    for (const auto &[offset, count] : {std::pair<qint64, qint64>{-1, 4},
                                        {-10, 20},
                                        {40'000, 4},
                                        {50'000, 4},
                                        {100, -5},
                                        {39'000, -5}})
        EXPECT_TRUE(window.bytesAt(offset, count).isEmpty()) << offset << ' ' << count;
}

TEST(DeviceWindow, PiecesInTheFilesStartOrTheLastChunkCostNoRead)
{
    const QByteArray bytes = countingBytes();
    CountingBuffer buffer(bytes);
    const DeviceReader reader(buffer);
    DeviceWindow window(reader, bytes.first(4096));
    EXPECT_EQ(window.bytesAt(0, 10), bytes.first(10));
    EXPECT_EQ(window.bytesAt(4000, 96), bytes.mid(4000, 96));
    EXPECT_EQ(buffer.bytesRead, 0);
    EXPECT_EQ(window.bytesAt(4090, 10), bytes.mid(4090, 10));
    const qint64 afterOneRead = buffer.bytesRead;
    EXPECT_GT(afterOneRead, 0);
    EXPECT_EQ(window.bytesAt(8000, 100), bytes.mid(8000, 100));
    EXPECT_EQ(buffer.bytesRead, afterOneRead);
}

TEST(DeviceWindow, SyncsAreFoundAcrossChunksWithinTheirBounds)
{
    for (const qsizetype at : {0, 4095, 16'382, 16'383, 16'384, 32'767, 39'998}) {
        QByteArray bytes = filler(40'000);
        bytes.replace(at, 2, "\xFF\xE0");
        for (const QByteArray &fileStart : {QByteArray(), bytes.first(4096)}) {
            CountingBuffer buffer(bytes);
            const DeviceReader reader(buffer);
            DeviceWindow window(reader, fileStart);
            EXPECT_EQ(window.findSync(0, 40'000), at) << at;
            // A pair must lie wholly in [from, to).
            EXPECT_EQ(window.findSync(0, at + 1), -1) << at;
            EXPECT_EQ(window.findSync(at + 1, 40'000), -1) << at;
            EXPECT_EQ(window.findSync(at, at + 2), at) << at;
        }
    }
}

} // namespace
