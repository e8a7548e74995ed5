#include "shell/help/appinfo.h"

#include "version.h"

#include <QStringList>

namespace shell {

namespace {

const QString commentsSeparator = QStringLiteral(", ");
const QString lineBreak = QStringLiteral("\r\n");
constexpr int aboutSpacerWidth = 60;

QString commentsElement(const AppInfo &info, int index)
{
    return info.comments.split(commentsSeparator).value(index);
}

} // namespace

AppInfo applicationInfo()
{
    AppInfo info;
    info.title = QString::fromUtf8(version::title);
    info.baseName = QString::fromUtf8(version::baseName);
    info.major = version::major;
    info.minor = version::minor;
    info.revision = version::revision;
    info.fileDescription = QString::fromUtf8(version::fileDescription);
    info.legalCopyright = QString::fromUtf8(version::legalCopyright);
    info.legalTrademarks = QString::fromUtf8(version::legalTrademarks);
    info.comments = QString::fromUtf8(version::comments);
    return info;
}

QString versionText(const AppInfo &info, bool full)
{
    QString text = QString::number(info.major) + u'.';
    if (full)
        text += info.minor == 0 ? QStringLiteral("00") : QString::number(info.minor);
    else
        text += QStringLiteral("%1").arg(info.minor, 2, 10, QLatin1Char('0'));
    if (info.revision >= 1) {
        text += u'.';
        text += full ? QString::number(info.revision)
                     : QStringLiteral("%1").arg(info.revision, 4, 10, QLatin1Char('0'));
    }
    return text;
}

QString webAddress(const AppInfo &info)
{
    return commentsElement(info, 0);
}

QString mailAddress(const AppInfo &info)
{
    return commentsElement(info, 1);
}

QString productPageAddress(const AppInfo &info)
{
    return webAddress(info) + QStringLiteral("/Products/") + info.title + u'/';
}

QString setupFileAddress(const AppInfo &info)
{
    return productPageAddress(info) + info.baseName + QStringLiteral("_Setup.exe");
}

QString updateRemotePath(const AppInfo &info)
{
    return productPageAddress(info) + info.baseName + QStringLiteral(".js");
}

QString feedbackAddress(const AppInfo &info)
{
    const QString mail = mailAddress(info);
    if (mail.isEmpty())
        return QString();
    return mail + QStringLiteral("?subject=") + info.title + QStringLiteral(" Bug Report");
}

QString aboutTitle(const AppInfo &info)
{
    return QStringLiteral("About ") + info.legalTrademarks;
}

QString aboutText(const AppInfo &info, const QString &extraLine)
{
    QStringList lines;
    lines << QString(info.fileDescription).replace(QStringLiteral(". "), u'.' + lineBreak);
    lines << QStringLiteral("Version ") + versionText(info, false);
    if (!extraLine.isEmpty())
        lines << extraLine;
    lines << QString(aboutSpacerWidth, u' ');
    lines << info.legalCopyright;
    lines << webAddress(info);
    if (!mailAddress(info).isEmpty())
        lines << mailAddress(info);
    return lines.join(lineBreak) + lineBreak;
}

} // namespace shell
