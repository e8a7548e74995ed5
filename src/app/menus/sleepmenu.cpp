#include "app/menus/sleepmenu.h"

#include "app/window/mainwindow.h"
#include "player/sleeptimer.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/whatsthis.h"

#include <QMenu>

#include <array>

namespace {

// The items in menu order: Off, the minutes, End of Record, End of Chapter.
constexpr std::array<int, 5> itemMinutes{15, 30, 45, 60, 90};
constexpr int offItem = 0;
constexpr int recordEndItem = int(itemMinutes.size()) + 1;
constexpr int chapterEndItem = recordEndItem + 1;

} // namespace

SleepMenu::SleepMenu(MainWindow &window, SleepTimer &timer, const QString &settingsFile,
                     QObject *parent)
    : QObject(parent), m_window(window), m_timer(timer), m_settingsFile(settingsFile)
{
    window.whatsThis().connectArray(window.menus().optionSleepList,
                                    [this](int index) { choose(index); });
    connect(&timer, &SleepTimer::changed, this, &SleepMenu::showMode);
    showMode();
    showRemembered(int(settings::readSettingNumber(settingsFile, settings::keys::mainWindowSection,
                                                   settings::keys::sleepChoiceKey)
                           .roundedToInt()));
}

void SleepMenu::showRemembered(int index)
{
    if (index <= offItem || index > chapterEndItem)
        return;
    const shell::ActionItemArray &list = *m_window.menus().optionSleepList;
    list.menu()->setDefaultAction(list.action(index));
}

void SleepMenu::choose(int index)
{
    if (index == offItem)
        m_timer.cancel();
    else if (index == recordEndItem)
        m_timer.startAtRecordEnd();
    else if (index == chapterEndItem)
        m_timer.startAtChapterEnd();
    else if (index > offItem && index < recordEndItem)
        m_timer.start(itemMinutes[size_t(index - 1)]);
    if (index <= offItem || index > chapterEndItem)
        return;
    showRemembered(index);
    settings::writeSettingNumber(m_settingsFile, settings::keys::mainWindowSection,
                                 settings::keys::sleepChoiceKey, FixedPoint::fromInt(index));
}

void SleepMenu::showMode()
{
    int checked = offItem;
    if (m_timer.mode() == SleepTimer::Mode::EndOfRecord) {
        checked = recordEndItem;
    } else if (m_timer.mode() == SleepTimer::Mode::EndOfChapter) {
        checked = chapterEndItem;
    } else if (m_timer.mode() == SleepTimer::Mode::Minutes) {
        for (size_t i = 0; i < itemMinutes.size(); ++i) {
            if (itemMinutes[i] == m_timer.minutes())
                checked = int(i) + 1;
        }
    }
    shell::radioCheckMenuItem(*m_window.menus().optionSleepList, checked);
}
