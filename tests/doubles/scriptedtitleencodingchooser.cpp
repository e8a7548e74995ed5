#include "doubles/scriptedtitleencodingchooser.h"

namespace text {

int ScriptedTitleEncodingChooser::choose(QByteArrayView title)
{
    m_titles.append(title.toByteArray());
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    return preselectedCodePage(title);
}

} // namespace text
