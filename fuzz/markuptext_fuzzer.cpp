#include "fuzzcheck.h"

#include "album/markuptext.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// The input is UTF-8 lines: the start marker, the end marker, the attribute name, then the
// markup text (which may hold further lines).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList parts = input.split(u'\n');
    const auto part = [&parts](qsizetype i) { return i < parts.size() ? parts[i] : QString(); };
    const QString start = part(0);
    const QString end = part(1);
    const QString name = part(2);
    const qsizetype headerSize = start.size() + end.size() + name.size() + 3;
    const QStringView text = QStringView(input).sliced(qMin(headerSize, input.size()));

    for (const Qt::CaseSensitivity cs : {Qt::CaseInsensitive, Qt::CaseSensitive}) {
        for (const bool exclusive : {true, false}) {
            const QString between = album::textBetween(text, start, end, cs, exclusive);
            fuzzCheck(between.isEmpty() || text.contains(between),
                      "textBetween gave text the markup does not hold");
            fuzzCheck(exclusive || between.isEmpty() || between.startsWith(start, cs),
                      "textBetween kept no start marker");
        }
    }
    const QString value = album::attributeValue(text, name);
    fuzzCheck(value.isEmpty() || text.contains(value),
              "attributeValue gave text the element does not hold");
    return 0;
}
