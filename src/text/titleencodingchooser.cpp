#include "text/titleencodingchooser.h"

#include "platform/codepage.h"
#include "text/characterreferences.h"
#include "text/codepagecatalogue.h"

#include <algorithm>

namespace text {

QList<int> chooserCodePages()
{
    const auto offered = offeredCodePages();
    QList<int> pages(offered.begin(), offered.end());
    pages.append(utf8CodePage);
    return pages;
}

bool isAscii(QByteArrayView title)
{
    return std::all_of(title.begin(), title.end(), [](char c) { return uchar(c) < 0x80; });
}

int preselectedCodePage(QByteArrayView title)
{
    if (!isAscii(title) && platform::isValidUtf8(title))
        return utf8CodePage;
    const int legacy = platform::titleCodePage();
    const auto offered = offeredCodePages();
    return std::find(offered.begin(), offered.end(), legacy) != offered.end() ? legacy
                                                                              : offered.front();
}

TitleEncoding chooseTitleEncoding(TitleEncodingChooser &chooser, QByteArrayView title)
{
    const int codePage = chooser.choose(title);
    return {codePageToCharacterReferences(title, codePage), codePage};
}

} // namespace text
