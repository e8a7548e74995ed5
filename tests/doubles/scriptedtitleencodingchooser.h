#pragma once

#include "text/titleencodingchooser.h"

#include <QByteArray>
#include <QList>
#include <QQueue>

namespace text {

// A chooser for tests: answers come from a queue filled beforehand, and every title asked about
// is recorded. With the queue empty it answers as OK on the fresh window would: the preselected
// code page.
class ScriptedTitleEncodingChooser : public TitleEncodingChooser {
public:
    void queueAnswer(int codePage) { m_answers.enqueue(codePage); }
    const QList<QByteArray> &titlesAsked() const { return m_titles; }

    int choose(QByteArrayView title) override;

private:
    QQueue<int> m_answers;
    QList<QByteArray> m_titles;
};

} // namespace text
