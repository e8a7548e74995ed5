#include "shell/manual/richtext.h"

#include <QList>

namespace {

enum class Destination { Text, ColorTable, Skipped };

struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int color = 0;
    int unicodeSkip = 1;
};

struct ControlWord {
    QString name;
    bool hasParameter = false;
    int parameter = 0;
};

class RtfConverter {
public:
    QString convert(QStringView rtf);

private:
    qsizetype readControl(QStringView rtf, qsizetype i);
    void applyWord(const ControlWord &word);
    void applyColorTableWord(const ControlWord &word);
    void appendCharacter(QChar c);
    void appendHtml(const QString &html, const QString &style);
    QString styleOf(const GroupState &state) const;
    void closeSpan();

    QList<GroupState> m_groups{GroupState()};
    QList<QString> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;
    int m_pendingSkip = 0;
    bool m_groupJustOpened = false;
    QString m_html;
    QString m_openStyle;
};

GroupState &current(QList<GroupState> &groups)
{
    return groups.last();
}

ControlWord readWord(QStringView rtf, qsizetype *i)
{
    ControlWord word;
    qsizetype p = *i;
    while (p < rtf.size() && rtf[p].isLetter() && rtf[p].unicode() < 128)
        word.name.append(rtf[p++]);
    const qsizetype numberStart = p;
    if (p < rtf.size() && rtf[p] == u'-')
        ++p;
    while (p < rtf.size() && rtf[p] >= u'0' && rtf[p] <= u'9')
        ++p;
    if (p > numberStart) {
        bool ok = false;
        word.parameter = rtf.mid(numberStart, p - numberStart).toInt(&ok);
        word.hasParameter = ok;
    }
    if (p < rtf.size() && rtf[p] == u' ')
        ++p; // the delimiting blank belongs to the word
    *i = p;
    return word;
}

QString escaped(QChar c)
{
    switch (c.unicode()) {
    case '&':
        return QStringLiteral("&amp;");
    case '<':
        return QStringLiteral("&lt;");
    case '>':
        return QStringLiteral("&gt;");
    case '"':
        return QStringLiteral("&quot;");
    case '\t':
        return QStringLiteral("&#9;");
    }
    return QString(c);
}

QString RtfConverter::convert(QStringView rtf)
{
    for (qsizetype i = 0; i < rtf.size();) {
        const QChar c = rtf[i];
        if (c == u'{') {
            m_groups.append(current(m_groups));
            m_groupJustOpened = true;
            ++i;
        } else if (c == u'}') {
            if (m_groups.size() > 1)
                m_groups.removeLast();
            m_groupJustOpened = false;
            ++i;
        } else if (c == u'\\') {
            i = readControl(rtf, i + 1);
        } else {
            if (c != u'\r' && c != u'\n')
                appendCharacter(c);
            m_groupJustOpened = false;
            ++i;
        }
    }
    closeSpan();
    return m_html;
}

// Handles the control word or symbol after a backslash at i; returns the position after it.
qsizetype RtfConverter::readControl(QStringView rtf, qsizetype i)
{
    if (i >= rtf.size())
        return i;
    const QChar c = rtf[i];
    const bool opensGroup = m_groupJustOpened;
    m_groupJustOpened = false;
    if (c.isLetter() && c.unicode() < 128) {
        const ControlWord word = readWord(rtf, &i);
        if (opensGroup && (word.name == u"colortbl")) {
            current(m_groups).destination = Destination::ColorTable;
        } else if (opensGroup && (word.name == u"fonttbl" || word.name == u"stylesheet" ||
                                  word.name == u"info" || word.name == u"pict")) {
            current(m_groups).destination = Destination::Skipped;
        } else {
            applyWord(word);
        }
        return i;
    }
    if (c == u'\'') {
        bool ok = false;
        const int byte = rtf.mid(i + 1, 2).toInt(&ok, 16);
        if (ok && i + 2 < rtf.size())
            appendCharacter(QChar(byte));
        return i + 3;
    }
    if (c == u'*' && opensGroup)
        current(m_groups).destination = Destination::Skipped;
    else if (c == u'~')
        appendCharacter(QChar(0xa0));
    else if (c == u'\n' || c == u'\r')
        applyWord({QStringLiteral("par")});
    else if (c == u'\\' || c == u'{' || c == u'}')
        appendCharacter(c);
    return i + 1;
}

void RtfConverter::applyWord(const ControlWord &word)
{
    GroupState &state = current(m_groups);
    if (state.destination == Destination::ColorTable) {
        applyColorTableWord(word);
        return;
    }
    const bool on = !word.hasParameter || word.parameter != 0;
    if (word.name == u"par" || word.name == u"line") {
        if (state.destination == Destination::Text)
            appendHtml(QStringLiteral("<br>"), QString());
    } else if (word.name == u"tab") {
        appendCharacter(u'\t');
    } else if (word.name == u"b") {
        state.bold = on;
    } else if (word.name == u"i") {
        state.italic = on;
    } else if (word.name == u"ul") {
        state.underline = on;
    } else if (word.name == u"ulnone") {
        state.underline = false;
    } else if (word.name == u"plain") {
        state.bold = state.italic = state.underline = false;
        state.color = 0;
    } else if (word.name == u"cf") {
        state.color = word.parameter;
    } else if (word.name == u"uc") {
        state.unicodeSkip = qBound(0, word.parameter, 8);
    } else if (word.name == u"u" && word.hasParameter) {
        appendCharacter(QChar(static_cast<char16_t>(word.parameter)));
        if (state.destination == Destination::Text)
            m_pendingSkip = state.unicodeSkip;
    }
}

void RtfConverter::applyColorTableWord(const ControlWord &word)
{
    const int value = qBound(0, word.parameter, 255);
    if (word.name == u"red")
        m_red = value;
    else if (word.name == u"green")
        m_green = value;
    else if (word.name == u"blue")
        m_blue = value;
}

void RtfConverter::appendCharacter(QChar c)
{
    const GroupState &state = current(m_groups);
    if (state.destination == Destination::ColorTable) {
        if (c == u';') {
            const bool automatic = m_red < 0 && m_green < 0 && m_blue < 0;
            m_colors.append(automatic ? QString()
                                      : QStringLiteral("#%1%2%3")
                                            .arg(qMax(m_red, 0), 2, 16, QChar(u'0'))
                                            .arg(qMax(m_green, 0), 2, 16, QChar(u'0'))
                                            .arg(qMax(m_blue, 0), 2, 16, QChar(u'0')));
            m_red = m_green = m_blue = -1;
        }
        return;
    }
    if (state.destination == Destination::Skipped)
        return;
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return;
    }
    appendHtml(escaped(c), styleOf(state));
}

QString RtfConverter::styleOf(const GroupState &state) const
{
    QString style;
    if (state.bold)
        style += QStringLiteral("font-weight:bold;");
    if (state.italic)
        style += QStringLiteral("font-style:italic;");
    if (state.underline)
        style += QStringLiteral("text-decoration:underline;");
    const QString color = m_colors.value(state.color);
    if (!color.isEmpty())
        style += QStringLiteral("color:") + color + u';';
    return style;
}

void RtfConverter::appendHtml(const QString &html, const QString &style)
{
    if (style != m_openStyle) {
        closeSpan();
        if (!style.isEmpty())
            m_html += QStringLiteral("<span style=\"") + style + QStringLiteral("\">");
        m_openStyle = style;
    }
    m_html += html;
}

void RtfConverter::closeSpan()
{
    if (!m_openStyle.isEmpty())
        m_html += QStringLiteral("</span>");
    m_openStyle.clear();
}

} // namespace

bool isRtf(QStringView text)
{
    return text.startsWith(u"{\\rtf");
}

QString rtfToHtml(QStringView rtf)
{
    return RtfConverter().convert(rtf);
}
