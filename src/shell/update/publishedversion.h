#pragma once

#include <QByteArrayView>
#include <QString>

namespace shell {

// The version published in the update file: the first line of the form
//     version = "1.2.3"
// ("=" or ":", either quote, blanks around; one to four numbers). Empty when there is none.
QString publishedVersion(QByteArrayView document);

// Compares two versions number by number ("1.00" and "1.0.0" are equal, "1.10" is above "1.9"):
// 1 when published is the newer, 0 otherwise. Numbers of any length compare without overflow.
bool isNewerVersion(const QString &installed, const QString &published);

} // namespace shell
