#include "player/mpvplayer.h"

#include "platform/paths.h"
#include "player/playerwidget.h"

#include <QMetaObject>

#include <mpv/client.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

// A completed exact seek lands on its target, or on the last frame when aimed past it.
constexpr double seekTolerance = 1.0;
constexpr int endWatchIntervalMs = 250;

mpv_node textNode(const QByteArray &text)
{
    mpv_node node{};
    node.format = MPV_FORMAT_STRING;
    node.u.string = const_cast<char *>(text.constData());
    return node;
}

mpv_node numberNode(double value)
{
    mpv_node node{};
    node.format = MPV_FORMAT_DOUBLE;
    node.u.double_ = value;
    return node;
}

// A command given as an argument list, for as long as the list lives.
mpv_node commandNode(std::initializer_list<mpv_node> arguments, mpv_node_list &list)
{
    list.num = int(arguments.size());
    list.values = const_cast<mpv_node *>(arguments.begin());
    mpv_node command{};
    command.format = MPV_FORMAT_NODE_ARRAY;
    command.u.list = &list;
    return command;
}

int runCommand(mpv_handle *mpv, std::initializer_list<mpv_node> arguments)
{
    mpv_node_list list{};
    mpv_node command = commandNode(arguments, list);
    return mpv_command_node(mpv, &command, nullptr);
}

// Its answer comes as a command reply event carrying replyTo.
int sendCommand(mpv_handle *mpv, quint64 replyTo, std::initializer_list<mpv_node> arguments)
{
    mpv_node_list list{};
    mpv_node command = commandNode(arguments, list);
    return mpv_command_node_async(mpv, replyTo, &command);
}

// The "playlist_entry_id" of loadfile's result map; 0 when absent.
qint64 entryIdOf(const mpv_node &result)
{
    if (result.format != MPV_FORMAT_NODE_MAP)
        return 0;
    const mpv_node_list *map = result.u.list;
    for (int i = 0; i < map->num; ++i) {
        if (qstrcmp(map->keys[i], "playlist_entry_id") == 0 &&
            map->values[i].format == MPV_FORMAT_INT64)
            return map->values[i].u.int64;
    }
    return 0;
}

bool readFlag(mpv_handle *mpv, const char *name)
{
    int value = 0;
    return mpv && mpv_get_property(mpv, name, MPV_FORMAT_FLAG, &value) >= 0 && value != 0;
}

void writeFlag(mpv_handle *mpv, const char *name, bool on)
{
    int value = on ? 1 : 0;
    if (mpv)
        mpv_set_property(mpv, name, MPV_FORMAT_FLAG, &value);
}

// The property's value, or 0 when it has none (no file, not known yet).
double readNumber(mpv_handle *mpv, const char *name)
{
    double value = 0;
    if (!mpv || mpv_get_property(mpv, name, MPV_FORMAT_DOUBLE, &value) < 0 || !std::isfinite(value))
        return 0.0;
    return value;
}

// The desktop's sound servers and the sound card, never SDL: without a session bus its D-Bus
// library forks a bus launcher from inside the player's thread, and that child can hang.
constexpr const char *desktopAudioOutputs = "pipewire,pulse,alsa,jack";

// libmpv puts its time-stretching filter into the sound's path, or takes it out, as the speed
// leaves or comes back to 1; only its word on that is asked for, nothing else is logged.
constexpr const char *speedFilterLog = "autoaspeed";
constexpr const char *logLevels = "all=no,autoaspeed=v";
constexpr const char *pitchKeepingFilter = "adding scaletempo";

// FFmpeg's dynamic normalizer: a gain for each quarter second, smoothed over fifteen of them, so
// that a quiet passage rises and a loud one falls without pumping between words. Boundary mode
// levels from the first moment of a file or a seek. Its look-ahead delays the sound, not the
// time: libmpv keeps the positions of what is heard.
constexpr const char *voiceLevellingFilter = "@levelvoice:lavfi=[dynaudnorm=f=250:g=15:b=1]";

} // namespace

MpvPlayer::MpvPlayer(const QString &audioOutput, QObject *parent) : PlayerBase(parent)
{
    // libmpv refuses to start unless numbers use the C locale; QApplication set the user's.
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = mpv_create();
    if (m_mpv && !configure(audioOutput)) {
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
    }
    m_endWatch.setInterval(endWatchIntervalMs);
    connect(&m_endWatch, &QTimer::timeout, this, &MpvPlayer::checkForEnd);
    m_widget = new PlayerWidget(this);
}

MpvPlayer::~MpvPlayer()
{
    delete m_widget.data();
    if (m_mpv) {
        mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
        mpv_terminate_destroy(m_mpv);
    }
}

QWidget *MpvPlayer::widget() const
{
    return m_widget.data();
}

QString MpvPlayer::versionInfo() const
{
    if (!m_mpv)
        return QString();
    char *text = mpv_get_property_string(m_mpv, "mpv-version");
    const QString version = QString::fromUtf8(text);
    mpv_free(text);
    return version;
}

// Audio only, paused after each load, kept open at the end, with nothing of mpv's own (keys,
// terminal, scripts, configuration files) in the way.
bool MpvPlayer::configure(const QString &audioOutput)
{
    static const char *const options[][2] = {
        {"config", "no"},
        {"terminal", "no"},
        {"input-default-bindings", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"vid", "no"},
        {"idle", "yes"},
        {"keep-open", "yes"},
        {"audio-fallback-to-null", "yes"},
        {"pause", "yes"},
        {"volume", "100"},
        {"speed", "1"},
        {"loop-file", "no"},
        {"loop-playlist", "no"},
        {"audio-pitch-correction", "yes"},
        {"msg-level", logLevels},
        // Its built-in scripts too: each starts a Lua interpreter at start-up, for controls and
        // overlays that have no window here.
        {"osc", "no"},
        {"load-stats-overlay", "no"},
        {"load-console", "no"},
        {"load-auto-profiles", "no"},
    };
    for (const auto &option : options)
        mpv_set_option_string(m_mpv, option[0], option[1]);
    // libmpv documents its volume's top as 130 unless told: today's libmpv takes a higher volume
    // written directly all the same, a later one need not.
    mpv_set_option_string(m_mpv, "volume-max", QByteArray::number(maxVolume).constData());
    mpv_set_option_string(m_mpv, "ao",
                          audioOutput.isEmpty() ? desktopAudioOutputs
                                                : audioOutput.toUtf8().constData());
    if (mpv_initialize(m_mpv) < 0)
        return false;
    mpv_request_log_messages(m_mpv, "terminal-default");
    mpv_observe_property(m_mpv, 0, "eof-reached", MPV_FORMAT_FLAG);
    // A pause seen while playing can mean the end: an unpause at the end re-pauses at once and
    // eof-reached never changes.
    mpv_observe_property(m_mpv, 0, "pause", MPV_FORMAT_FLAG);
    mpv_set_wakeup_callback(m_mpv, &MpvPlayer::wakeUp, this);
    return true;
}

// Called on a libmpv thread: only hands over to the UI thread.
void MpvPlayer::wakeUp(void *context)
{
    QMetaObject::invokeMethod(static_cast<MpvPlayer *>(context), &MpvPlayer::drainEvents,
                              Qt::QueuedConnection);
}

void MpvPlayer::drainEvents()
{
    if (!m_mpv)
        return;
    for (;;) {
        const mpv_event *event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        handleEvent(*event);
    }
}

// Raises no event itself: what it learns reaches the contract through the queue.
void MpvPlayer::handleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE:
        checkForEnd();
        break;
    case MPV_EVENT_COMMAND_REPLY: {
        const auto *reply = static_cast<const mpv_event_command *>(event.data);
        if (m_load.answer(event.reply_userdata, event.error < 0 ? -1 : entryIdOf(reply->result)))
            settleLoad();
        break;
    }
    case MPV_EVENT_START_FILE:
        m_load.noteStarted(
            static_cast<const mpv_event_start_file *>(event.data)->playlist_entry_id);
        break;
    case MPV_EVENT_FILE_LOADED:
        m_load.noteFileLoaded();
        settleLoad();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        // A seek past the real end (a duration estimate too long) lands at the end instead. A
        // restart read late, once playback has moved on, still ends the seek when none other
        // is under way; one that belongs to an earlier seek does not end a later one.
        if (m_seekPending &&
            (std::abs(readNumber(m_mpv, "time-pos") - m_seekTarget) <= seekTolerance ||
             mediaAtEnd() || !readFlag(m_mpv, "seeking")))
            m_seekPending = false;
        break;
    case MPV_EVENT_LOG_MESSAGE:
        noteLogMessage(event);
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<const mpv_event_end_file *>(event.data);
        if (m_load.noteEnded(end->playlist_entry_id)) {
            m_seekPending = false;
            checkForEnd();
        }
        settleLoad();
        break;
    }
    default:
        break;
    }
}

void MpvPlayer::noteLogMessage(const mpv_event &event)
{
    const auto *message = static_cast<const mpv_event_log_message *>(event.data);
    if (qstrcmp(message->prefix, speedFilterLog) != 0)
        return;
    // "adding scaletempo2" keeps the pitch; "adding drop" and "removing ..." do not.
    m_keepsPitch = qstrncmp(message->text, pitchKeepingFilter, qstrlen(pitchKeepingFilter)) == 0;
}

void MpvPlayer::checkForEnd()
{
    if (playState() != PlayState::Playing || !mediaAtEnd())
        return;
    m_endWatch.stop();
    mediaReachedEnd();
}

void MpvPlayer::settleLoad()
{
    if (const auto outcome = m_load.settle())
        loadFinished(outcome->ticket, outcome->loaded);
}

void MpvPlayer::holdLoads(bool hold)
{
    m_holdingLoads = hold;
    if (!hold && m_heldTicket != 0)
        sendLoad(std::exchange(m_heldPath, QString()), std::exchange(m_heldTicket, 0));
}

// The window goes on while libmpv opens the file: a slow disk or a network folder holds nothing.
void MpvPlayer::loadMedia(const QString &path, quint64 ticket)
{
    forgetFile();
    if (!m_mpv) {
        loadFinished(ticket, false);
        return;
    }
    if (m_holdingLoads) {
        m_heldTicket = ticket;
        m_heldPath = path;
        return;
    }
    sendLoad(path, ticket);
}

void MpvPlayer::sendLoad(const QString &path, quint64 ticket)
{
    writeFlag(m_mpv, "pause", true);
    const QByteArray file = platform::toNativePath(path).toUtf8();
    if (sendCommand(m_mpv, ticket, {textNode("loadfile"), textNode(file), textNode("replace")}) <
        0) {
        loadFinished(ticket, false);
        return;
    }
    m_load.send(ticket);
}

void MpvPlayer::unloadMedia()
{
    // A load under way must not start playing later behind the program's back.
    if (m_load.isBusy())
        runCommand(m_mpv, {textNode("stop")});
    forgetFile();
}

void MpvPlayer::forgetFile()
{
    m_load.forget();
    m_heldTicket = 0;
    m_heldPath.clear();
    m_seekPending = false;
    m_endWatch.stop();
}

void MpvPlayer::resumeMedia()
{
    writeFlag(m_mpv, "pause", false);
    m_endWatch.start();
}

void MpvPlayer::holdMedia()
{
    writeFlag(m_mpv, "pause", true);
    m_endWatch.stop();
}

void MpvPlayer::seekMedia(double seconds)
{
    if (!m_load.hasFile() || m_load.fileEnded())
        return;
    m_seekTarget = seconds;
    m_seekPending =
        runCommand(m_mpv, {textNode("seek"), numberNode(seconds), textNode("absolute+exact")}) >= 0;
}

double MpvPlayer::mediaPosition() const
{
    // time-pos starts a little below 0 while the audio output's buffer refills.
    return m_seekPending ? m_seekTarget : std::max(0.0, readNumber(m_mpv, "time-pos"));
}

double MpvPlayer::mediaDuration() const
{
    return readNumber(m_mpv, "duration");
}

bool MpvPlayer::mediaAtEnd() const
{
    return m_load.fileEnded() || readFlag(m_mpv, "eof-reached");
}

void MpvPlayer::applyVolume(double volume)
{
    double value = volume;
    if (m_mpv)
        mpv_set_property(m_mpv, "volume", MPV_FORMAT_DOUBLE, &value);
}

void MpvPlayer::applyMute(bool muted)
{
    writeFlag(m_mpv, "mute", muted);
}

void MpvPlayer::applyVoiceLevelling(bool on)
{
    if (m_mpv)
        mpv_set_property_string(m_mpv, "af", on ? voiceLevellingFilter : "");
}

void MpvPlayer::renderToFile(const QString &nativePath)
{
    if (!m_mpv)
        return;
    mpv_set_property_string(m_mpv, "ao-pcm-file", nativePath.toUtf8().constData());
    mpv_set_property_string(m_mpv, "ao", "pcm");
}

void MpvPlayer::applyRate(double rate)
{
    if (m_mpv)
        mpv_set_property(m_mpv, "speed", MPV_FORMAT_DOUBLE, &rate);
}
