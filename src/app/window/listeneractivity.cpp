#include "app/window/listeneractivity.h"

#include "player/sleeptimer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

ListenerActivity::ListenerActivity(SleepTimer &timer, QObject *parent)
    : QObject(parent), m_timer(timer)
{
    QCoreApplication::instance()->installEventFilter(this);
}

void ListenerActivity::commandArrived()
{
    if (m_timer.wake() == SleepTimer::Wake::Restarted)
        QTimer::singleShot(0, &m_timer, &SleepTimer::playAfterWake);
}

bool ListenerActivity::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!m_swallowing && m_timer.wake() == SleepTimer::Wake::Restarted)
            m_swallowing = true;
        if (!m_swallowing)
            break;
        // Accepted, so that no shortcut takes the key either.
        event->accept();
        return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
        if (!m_swallowing)
            break;
        m_swallowing = false;
        QTimer::singleShot(0, &m_timer, &SleepTimer::playAfterWake);
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
