#pragma once

#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QTimer>

#include <functional>

namespace shell {

// Commands that come from outside the window's own flow of events (media controls, drops,
// hand-overs of a second start, answers from the network): each runs from the event loop, once,
// in the order they came, and only while no modal window is open and no other of them runs, so
// that none lands in the middle of a question the program is asking. UI thread only.
class OutsideCommands : public QObject {
    Q_OBJECT
public:
    explicit OutsideCommands(QObject *parent = nullptr);

    // The command runs only if context still exists by then.
    void post(QObject *context, std::function<void()> command);
    // Commands waiting, for tests.
    qsizetype waiting() const { return m_waiting.size(); }

signals:
    // A command is about to run: somebody outside (a media key, the desktop's media controls,
    // another start of the program) asked for it.
    void commandRunning();

private:
    void runWaiting();
    static bool isBlocked();

    struct Command {
        QPointer<QObject> context;
        std::function<void()> run;
    };

    QQueue<Command> m_waiting;
    QTimer m_retry;
    bool m_running = false;
};

} // namespace shell
