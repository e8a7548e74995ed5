#include "controls/propertybag.h"

void PropertyBag::write(const QString &name, const QVariant &value)
{
    const qsizetype at = indexOf(name);
    if (at < 0)
        m_values.append({name, value});
    else
        m_values[at].second = value;
}

QVariant PropertyBag::read(const QString &name, const QVariant &fallback) const
{
    const qsizetype at = indexOf(name);
    return at < 0 ? fallback : m_values.at(at).second;
}

bool PropertyBag::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

QStringList PropertyBag::names() const
{
    QStringList names;
    for (const auto &[name, value] : m_values)
        names.append(name);
    return names;
}

int PropertyBag::readInt(const QString &name, int fallback) const
{
    const QVariant value = read(name);
    if (value.typeId() == QMetaType::Bool)
        return fallback;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

bool PropertyBag::readBool(const QString &name, bool fallback) const
{
    const QVariant value = read(name);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number != 0 : fallback;
}

QColor PropertyBag::readColor(const QString &name, const QColor &fallback) const
{
    const QVariant value = read(name);
    if (value.typeId() == QMetaType::QColor) {
        const QColor color = value.value<QColor>();
        return color.isValid() ? color : fallback;
    }
    if (value.typeId() == QMetaType::Bool)
        return fallback;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    return ok && number >= 0 && number <= 0xFFFFFF ? colorFromBgr(quint32(number)) : fallback;
}

qsizetype PropertyBag::indexOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        if (m_values.at(i).first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
