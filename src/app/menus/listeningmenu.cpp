#include "app/menus/listeningmenu.h"

#include "album/albumsession.h"
#include "app/window/mainwindow.h"
#include "player/playersession.h"
#include "player/timeformat.h"
#include "shell/dialogs/dialogkit.h"
#include "shell/menu/menuitem.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

struct EndTexts {
    const char *prompt;
    const char *caption;
};

constexpr EndTexts endTexts[] = {
    {"Seconds to skip at the start of each record of this album (0 for none):", "Skip Intro"},
    {"Seconds to skip at the end of each record of this album (0 for none):", "Skip Outro"},
};

} // namespace

ListeningMenu::ListeningMenu(MainWindow &window, album::AlbumSession &albums,
                             PlayerSession &session, QObject *parent)
    : QObject(parent), m_window(window), m_albums(albums), m_session(session),
      m_levelVoice(window.menuItem(QStringLiteral("mOptionLevelVoice"))),
      m_intro(window.menuItem(QStringLiteral("mOptionSkipIntro"))),
      m_outro(window.menuItem(QStringLiteral("mOptionSkipOutro")))
{
    window.whatsThis().connectCommand(m_levelVoice, [this] { toggleLevelVoice(); });
    window.whatsThis().connectCommand(m_intro, [this] { ask(Intro); });
    window.whatsThis().connectCommand(m_outro, [this] { ask(Outro); });
    connect(window.menus().option, &QMenu::aboutToShow, this, &ListeningMenu::showSettings);
    connect(&albums, &album::AlbumSession::albumsChanged, this, &ListeningMenu::showSettings);
    showSettings();
}

void ListeningMenu::ask(End end)
{
    if (!m_albums.isAlbumActive())
        return;
    const EndTexts &texts = endTexts[end];
    const QString answer = m_window.dialogKit().inputBox(tr(texts.prompt), tr(texts.caption),
                                                         QString::number(suggestion(end)));
    bool isNumber = false;
    const int seconds = answer.trimmed().toInt(&isNumber);
    if (!isNumber)
        return;
    const album::AlbumListening now = m_albums.activeListening();
    const int longest = album::AlbumListening::longestSkipSeconds;
    const int kept = std::clamp(seconds, 0, longest);
    m_albums.setSkippedEnds(end == Intro ? kept : now.introSeconds,
                            end == Outro ? kept : now.outroSeconds);
    showSettings();
}

int ListeningMenu::suggestion(End end) const
{
    const PlayerComponent &player = m_session.player();
    const double position = player.currentPosition();
    const double length = player.currentItemDuration();
    if (!player.url().isEmpty() && length > 0 && position > 0)
        return wholeSeconds(end == Intro ? position : length - position);
    const album::AlbumListening now = m_albums.activeListening();
    return end == Intro ? now.introSeconds : now.outroSeconds;
}

void ListeningMenu::toggleLevelVoice()
{
    if (!m_albums.isAlbumActive())
        return;
    PlayerComponent &player = m_session.player();
    player.setVoiceLevelling(!player.voiceLevelling());
    m_albums.captureAndSave();
    showSettings();
}

void ListeningMenu::showSettings()
{
    const bool active = m_albums.isAlbumActive();
    m_levelVoice->setEnabled(active);
    shell::setMenuItemChecked(m_levelVoice, active && m_session.player().voiceLevelling());
    const album::AlbumListening now = m_albums.activeListening();
    const auto note = [](int seconds) {
        return seconds > 0 ? formatSeconds(FixedPoint::fromInt(seconds)) : QString();
    };
    m_intro->setEnabled(active);
    m_outro->setEnabled(active);
    shell::setShortcutText(m_intro, note(now.introSeconds));
    shell::setShortcutText(m_outro, note(now.outroSeconds));
}
