#include "shell/dialogs/openfilter.h"

#include "platform/programinfo.h"

QList<FilterChoice> parseFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QList<FilterChoice> choices;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty())
            continue;
        choices.append({parts[i], pattern, pattern == u".", platform::isProgramPattern(pattern)});
    }
    return choices;
}

namespace {

QString qtPatterns(const QString &written)
{
    QStringList patterns;
    for (const QString &part : written.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty())
            patterns.append(pattern == u"*.*" ? QStringLiteral("*") : pattern);
    }
    return patterns.join(u' ');
}

} // namespace

QStringList qtNameFilters(const QList<FilterChoice> &choices)
{
    QStringList filters;
    for (const FilterChoice &choice : choices)
        filters.append(choice.label + QStringLiteral(" (") +
                       (choice.chooseProgram ? QStringLiteral("*") : qtPatterns(choice.pattern)) +
                       u')');
    return filters;
}
