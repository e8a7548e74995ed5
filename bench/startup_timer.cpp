// Starts a windowed program on the X display named by DISPLAY and prints, on one line, the
// milliseconds from its exec to its first top-level window being mapped and usable (its event loop
// answers the window manager's ping), and its peak resident memory in kB one second later. Then
// ends it with SIGTERM (SIGKILL when it lingers).
//
//   startup_timer COMMAND [ARG...]
//
// The program's own output is discarded.
// The window is noticed through the X server's map event, not by polling, so that neither the
// timing nor the server is disturbed; a mapped window counts once the program answers a
// _NET_WM_PING sent to it, so work done before its event loop runs is counted too.
// Exit status 1 when no window came within a minute.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int windowTimeoutMs = 60'000;
constexpr int settleSeconds = 1;
constexpr int endTimeoutMs = 10'000;

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The window's _NET_WM_PID, 0 when it has none.
long windowPid(Display *display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
        pid = *reinterpret_cast<long *>(data);
    if (data)
        XFree(data);
    return pid;
}

bool childEnded(pid_t child)
{
    int status = 0;
    return waitpid(child, &status, WNOHANG) == child;
}

// Asks the program owning window to answer through its event loop.
void sendPing(Display *display, Window window)
{
    XEvent ping{};
    ping.xclient.type = ClientMessage;
    ping.xclient.window = window;
    ping.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = long(XInternAtom(display, "_NET_WM_PING", False));
    ping.xclient.data.l[1] = CurrentTime;
    ping.xclient.data.l[2] = long(window);
    XSendEvent(display, window, False, NoEventMask, &ping);
    XFlush(display);
}

bool isPingAnswer(Display *display, const XEvent &event, Window window)
{
    return event.type == ClientMessage && event.xclient.format == 32 &&
           event.xclient.data.l[0] == long(XInternAtom(display, "_NET_WM_PING", False)) &&
           Window(event.xclient.data.l[2]) == window;
}

// Milliseconds until a top-level window of the child is mapped and its event loop answers;
// negative when none came.
double awaitWindow(Display *display, pid_t child, double start)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Window mapped = None;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (nowMs() - start < windowTimeoutMs) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (mapped == None && event.type == MapNotify && !event.xmap.override_redirect &&
                windowPid(display, event.xmap.window, pidAtom) == child) {
                mapped = event.xmap.window;
                sendPing(display, mapped);
            } else if (mapped != None && isPingAnswer(display, event, mapped)) {
                return nowMs() - start;
            }
        }
        if (childEnded(child))
            return -1;
        poll(&connection, 1, 100);
    }
    return -1;
}

// VmHWM of the process in kB, 0 when unknown.
long peakKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

void endChild(pid_t child)
{
    kill(child, SIGTERM);
    const double start = nowMs();
    while (nowMs() - start < endTimeoutMs) {
        if (childEnded(child))
            return;
        usleep(10'000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_timer COMMAND [ARG...]\n");
        return 2;
    }
    // A server busy with the previous program's end may refuse a connection for a moment.
    Display *display = XOpenDisplay(nullptr);
    for (int attempt = 0; !display && attempt < 40; ++attempt) {
        usleep(50'000);
        display = XOpenDisplay(nullptr);
    }
    if (!display) {
        std::fprintf(stderr, "startup_timer: cannot open the display\n");
        return 2;
    }
    // Map events of top-level windows, and the ping answers the program sends to the root.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask | StructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        // What the program says on its way (sound servers it does not find) is no figure.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const double elapsed = awaitWindow(display, child, start);
    if (elapsed < 0) {
        endChild(child);
        std::fprintf(stderr, "startup_timer: no window from %s\n", argv[1]);
        return 1;
    }
    sleep(settleSeconds);
    const long peak = peakKilobytes(child);
    endChild(child);
    std::printf("%.1f %ld\n", elapsed, peak);
    XCloseDisplay(display);
    return 0;
}
