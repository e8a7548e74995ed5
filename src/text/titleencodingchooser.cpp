#include "text/titleencodingchooser.h"

#include "platform/codepage.h"
#include "text/characterreferences.h"
#include "text/codepagecatalogue.h"

#include <algorithm>

namespace text {

int preselectedCodePage()
{
    const int ansi = platform::ansiCodePage();
    const auto offered = offeredCodePages();
    return std::find(offered.begin(), offered.end(), ansi) != offered.end() ? ansi : 0;
}

TitleEncoding chooseTitleEncoding(TitleEncodingChooser &chooser, QByteArrayView title)
{
    const int codePage = chooser.choose(title);
    return {codePageToCharacterReferences(title, codePage), codePage};
}

} // namespace text
