#include "shell/update/publishedversion.h"

#include <QRegularExpression>
#include <QStringList>

namespace shell {

namespace {

// Leading zeros off, so that length then text orders the numbers.
QStringView withoutLeadingZeros(QStringView number)
{
    qsizetype i = 0;
    while (i + 1 < number.size() && number[i] == u'0')
        ++i;
    return number.mid(i);
}

int compareNumbers(QStringView a, QStringView b)
{
    a = withoutLeadingZeros(a);
    b = withoutLeadingZeros(b);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

QString publishedVersion(QByteArrayView document)
{
    static const QRegularExpression line(
        QStringLiteral(
            R"(^\s*(?:var\s+|let\s+|const\s+)?version\s*[=:]\s*["'](\d+(?:\.\d+){0,3})["'])"),
        QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(document));
    return match.hasMatch() ? match.captured(1) : QString();
}

bool isNewerVersion(const QString &installed, const QString &published)
{
    const QStringList ours = installed.split(u'.');
    const QStringList theirs = published.split(u'.');
    for (qsizetype i = 0; i < std::max(ours.size(), theirs.size()); ++i) {
        const QString zero = QStringLiteral("0");
        const int order = compareNumbers(ours.value(i, zero), theirs.value(i, zero));
        if (order != 0)
            return order < 0;
    }
    return false;
}

} // namespace shell
