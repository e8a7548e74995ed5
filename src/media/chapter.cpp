#include "media/chapter.h"

#include <algorithm>

namespace media {

Chapters tidyChapters(Chapters chapters, qint64 durationMs)
{
    chapters.removeIf([durationMs](const Chapter &chapter) {
        return chapter.startMs < 0 || (durationMs > 0 && chapter.startMs >= durationMs);
    });
    std::stable_sort(chapters.begin(), chapters.end(),
                     [](const Chapter &a, const Chapter &b) { return a.startMs < b.startMs; });
    const auto sameStart = [](const Chapter &a, const Chapter &b) {
        return a.startMs == b.startMs;
    };
    chapters.erase(std::unique(chapters.begin(), chapters.end(), sameStart), chapters.end());
    if (chapters.size() > maximumChapters)
        chapters.resize(maximumChapters);
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        QString &title = chapters[i].title;
        title = title.simplified().left(maximumChapterTitle);
        if (title.isEmpty())
            title = QStringLiteral("Chapter %1").arg(i + 1);
    }
    return chapters;
}

int chapterAt(const Chapters &chapters, qint64 positionMs)
{
    if (chapters.isEmpty())
        return -1;
    const auto after = std::upper_bound(
        chapters.begin(), chapters.end(), positionMs,
        [](qint64 position, const Chapter &chapter) { return position < chapter.startMs; });
    return int(std::max<qsizetype>(0, after - chapters.begin() - 1));
}

QString chapterStatusText(const Chapters &chapters, int index)
{
    if (index < 0 || index >= chapters.size())
        return QString();
    return QStringLiteral("Chapter %1/%2: %3")
        .arg(index + 1)
        .arg(chapters.size())
        .arg(chapters[index].title);
}

} // namespace media
