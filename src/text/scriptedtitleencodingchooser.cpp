#include "text/scriptedtitleencodingchooser.h"

#include "text/codepagecatalogue.h"

namespace text {

int ScriptedTitleEncodingChooser::choose(QByteArrayView title)
{
    m_titles.append(title.toByteArray());
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    const int preselected = preselectedCodePage();
    return preselected != 0 ? preselected : offeredCodePages().front();
}

} // namespace text
