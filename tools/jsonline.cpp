#include "jsonline.h"

QByteArray jsonString(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    // Thousands of lines are written: one allocation for the usual string with nothing to
    // escape.
    out.reserve(utf8.size() + 2);
    out += '"';
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            out += "\\u";
            out += QByteArray::number(byte, 16).rightJustified(4, '0');
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
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

JsonLine &JsonLine::addObjects(const char *key, const QList<JsonLine> &objects)
{
    QByteArray array = "[";
    for (const JsonLine &object : objects) {
        if (array.size() > 1)
            array += ',';
        array += object.object();
    }
    return addMember(key, array + ']');
}

JsonLine &JsonLine::addNumberText(const char *key, const QByteArray &number)
{
    return addMember(key, number);
}

JsonLine &JsonLine::addMember(const char *key, const QByteArray &value)
{
    if (m_object.size() > 1)
        m_object += ", ";
    m_object += jsonString(QString::fromLatin1(key));
    m_object += ": ";
    m_object += value;
    return *this;
}
