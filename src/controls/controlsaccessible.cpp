#include "controls/controlsaccessible.h"

#include "controls/slider.h"
#include "controls/spinbox.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPointer>

#include <vector>

namespace {

// One box of the strip. Holds the strip weakly: the item outlives nothing, but a screen reader
// may ask after the strip is gone.
class BoxAccessible : public QAccessibleInterface {
public:
    BoxAccessible(Slider *strip, int index) : m_strip(strip), m_index(index) {}

    bool isValid() const override { return m_strip && m_index < m_strip->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_strip && m_strip->window() ? m_strip->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_strip);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && isValid() ? m_strip->itemName(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect box = m_strip->boxGeometry(m_index);
        return QRect(m_strip->mapToGlobal(box.topLeft()), box.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.selected = isValid() && m_strip->value() == m_index;
        state.invisible = !isValid() || !m_strip->isBoxVisible(m_index);
        return state;
    }

private:
    QPointer<Slider> m_strip;
    int m_index;
};

// The strip as a list of its boxes; their interfaces are made once each and handed back to
// Qt's registry when the count shrinks or the strip goes.
class StripAccessible : public QAccessibleWidget {
public:
    explicit StripAccessible(Slider *strip) : QAccessibleWidget(strip, QAccessible::List) {}
    ~StripAccessible() override { forgetItemsFrom(0); }

    int childCount() const override { return strip()->count(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        forgetItemsFrom(std::size_t(childCount()));
        const auto at = std::size_t(index);
        if (m_items.size() <= at)
            m_items.resize(at + 1, 0);
        if (m_items[at] == 0)
            m_items[at] =
                QAccessible::registerAccessibleInterface(new BoxAccessible(strip(), index));
        return QAccessible::accessibleInterface(m_items[at]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i] != 0 && QAccessible::accessibleInterface(m_items[i]) == child)
                return int(i);
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint local = strip()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i) {
            if (strip()->boxGeometry(i).contains(local))
                return child(i);
        }
        return nullptr;
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return strip()->itemName(strip()->value());
        return QAccessibleWidget::text(kind);
    }

private:
    Slider *strip() const { return static_cast<Slider *>(widget()); }
    void forgetItemsFrom(std::size_t from) const
    {
        for (std::size_t i = from; i < m_items.size(); ++i) {
            if (m_items[i] != 0)
                QAccessible::deleteAccessibleInterface(m_items[i]);
        }
        if (from < m_items.size())
            m_items.resize(from);
    }

    mutable std::vector<QAccessible::Id> m_items;
};

// The spin box: its number as the value, spoken with its unit.
class SpinBoxAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinBoxAccessible(SpinBox *box) : QAccessibleWidget(box, QAccessible::SpinBox) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return box()->spokenValue();
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return box()->value(); }
    void setCurrentValue(const QVariant &value) override { box()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return box()->max(); }
    QVariant minimumValue() const override { return box()->min(); }
    QVariant minimumStepSize() const override { return box()->smallChange(); }

private:
    SpinBox *box() const { return static_cast<SpinBox *>(widget()); }
};

QAccessibleInterface *controlsFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Slider") && object && object->isWidgetType())
        return new StripAccessible(static_cast<Slider *>(object));
    if (className == QLatin1String("SpinBox") && object && object->isWidgetType())
        return new SpinBoxAccessible(static_cast<SpinBox *>(object));
    return nullptr;
}

} // namespace

void installControlsAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
