#pragma once

#include <QString>
#include <QStringView>

namespace shell {

// A caption from outside (a file name, a title) as menu text: every "&" doubled, so that it shows
// literally instead of marking a mnemonic.
QString literalMenuText(QStringView caption);

// The text a menu entry shows: "&&" becomes "&" and a lone "&" (a mnemonic mark) is dropped.
QString shownMenuText(QStringView menuText);

} // namespace shell
