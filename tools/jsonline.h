#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// One JSON object on one line, its members in the order they are added, in UTF-8.
class JsonLine {
public:
    JsonLine &add(const char *key, const QString &text);
    JsonLine &add(const char *key, bool value);
    JsonLine &add(const char *key, qint64 value);
    // A number already written as JSON text.
    JsonLine &addNumberText(const char *key, const QByteArray &number);
    // An array of objects, each as object() gives it.
    JsonLine &addObjects(const char *key, const QList<JsonLine> &objects);

    // The object alone.
    QByteArray object() const { return m_object + '}'; }
    // The object and a line end.
    QByteArray text() const { return object() + '\n'; }

private:
    JsonLine &addMember(const char *key, const QByteArray &value);

    // The object so far, without its closing brace.
    QByteArray m_object = "{";
};

// The text as a JSON string, quotes included: '"', "\" and control characters escaped.
QByteArray jsonString(const QString &text);
