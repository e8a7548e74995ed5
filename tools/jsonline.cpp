#include "jsonline.h"

QByteArray jsonString(const QString &text)
{
    QByteArray out = "\"";
    for (char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            out += QByteArray("\\") + c;
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (byte < 0x20)
            out += "\\u" + QByteArray::number(byte, 16).rightJustified(4, '0');
        else
            out += c;
    }
    return out + '"';
}

JsonLine &JsonLine::add(const char *key, const QString &text)
{
    return addMember(key, jsonString(text));
}

JsonLine &JsonLine::add(const char *key, bool value)
{
    return addMember(key, value ? "true" : "false");
}

JsonLine &JsonLine::add(const char *key, qint64 value)
{
    return addMember(key, QByteArray::number(value));
}

JsonLine &JsonLine::addNumberText(const char *key, const QByteArray &number)
{
    return addMember(key, number);
}

JsonLine &JsonLine::addMember(const char *key, const QByteArray &value)
{
    if (!m_members.isEmpty())
        m_members += ", ";
    m_members += jsonString(QString::fromLatin1(key)) + ": " + value;
    return *this;
}
