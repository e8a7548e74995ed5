#include "shell/dialogs/outsidecommands.h"

#include <QApplication>
#include <QWidget>

#include <utility>

namespace shell {

namespace {

// How often a blocked queue looks again whether the modal window has closed.
constexpr int retryMilliseconds = 50;

} // namespace

OutsideCommands::OutsideCommands(QObject *parent) : QObject(parent)
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &OutsideCommands::runWaiting);
}

void OutsideCommands::post(QObject *context, std::function<void()> command)
{
    m_waiting.enqueue({context, std::move(command)});
    if (!m_retry.isActive())
        m_retry.start(0);
}

bool OutsideCommands::isBlocked()
{
    return QApplication::activeModalWidget() != nullptr;
}

// A command may open a modal window of its own, whose event loop calls here again: the others
// wait for it to return.
void OutsideCommands::runWaiting()
{
    while (!m_waiting.isEmpty()) {
        if (m_running || isBlocked()) {
            m_retry.start(retryMilliseconds);
            return;
        }
        const Command command = m_waiting.dequeue();
        if (!command.context)
            continue;
        m_running = true;
        emit commandRunning();
        command.run();
        m_running = false;
    }
}

} // namespace shell
