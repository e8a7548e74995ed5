#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>

// The named property values a control saves and restores itself from, in the order they were
// written. Names match without regard to case; writing a name again replaces its value in place.
class PropertyBag {
public:
    void write(const QString &name, const QVariant &value);
    // The stored value, or fallback when the name is missing.
    QVariant read(const QString &name, const QVariant &fallback = {}) const;
    bool contains(const QString &name) const;
    QStringList names() const;

    // Typed reads: fallback when the name is missing or its value is not of the kind asked for.
    int readInt(const QString &name, int fallback) const;
    bool readBool(const QString &name, bool fallback) const;
    // Takes a QColor or a number 0x00BBGGRR.
    QColor readColor(const QString &name, const QColor &fallback) const;

private:
    qsizetype indexOf(const QString &name) const;

    QList<std::pair<QString, QVariant>> m_values;
};

// The colour of a number written 0x00BBGGRR; the top byte is ignored.
QColor colorFromBgr(quint32 bgr);
