#include "app/window/announcements.h"

#include "bookmarks/bookmarksession.h"
#include "controls/slider.h"
#include "player/sleeptimer.h"
#include "player/spokentext.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

constexpr qint64 lastMinuteMs = 60000;

// No pixels of its own: a screen reader hears it when it shows and reads its name.
class Notice : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

QAccessibleInterface *noticeAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String("Notice") || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
}

} // namespace

Announcements::Announcements(QWidget &window, const Slider &boxStrip, const SleepTimer &sleepTimer,
                             const BookmarkSession &bookmarks, QObject *parent)
    : QObject(parent), m_notice(new Notice(&window)), m_boxStrip(boxStrip), m_sleepTimer(sleepTimer)
{
    static const bool installed = (QAccessible::installFactory(noticeAccessible), true);
    Q_UNUSED(installed);
    m_notice->setObjectName(QStringLiteral("announcement"));
    m_notice->setGeometry(0, 0, 0, 0);
    m_notice->hide();
    connect(&boxStrip, &Slider::propertyChanged, this, &Announcements::announceBox);
    connect(&boxStrip, &Slider::itemNamesChanged, this, &Announcements::announceBox);
    connect(&sleepTimer, &SleepTimer::changed, this, &Announcements::announceSleep);
    connect(
        &bookmarks, &BookmarkSession::jumped, this,
        [this](const QString &title, double seconds) { announce(spoken::jump(title, seconds)); });
}

QString Announcements::lastAnnounced() const
{
    return m_notice->accessibleName();
}

void Announcements::announce(const QString &text)
{
    // Shown again, so that the same words can be said twice.
    m_notice->hide();
    m_notice->setAccessibleName(text);
    m_notice->show();
}

void Announcements::announceBox()
{
    const int current = m_boxStrip.value();
    const QString name = m_boxStrip.itemName(current);
    if (!m_boxStrip.isBoxVisible(current) || name == m_announcedBox)
        return;
    m_announcedBox = name;
    announce(name);
}

void Announcements::announceSleep()
{
    const qint64 left = m_sleepTimer.remainingMilliseconds();
    const bool inLastMinute = left >= 0 && left <= lastMinuteMs;
    if (inLastMinute && !m_lastMinuteAnnounced)
        announce(tr("Sleep timer: one minute left"));
    m_lastMinuteAnnounced = inLastMinute;
}

#include "announcements.moc"
