#pragma once

#include <QLatin1String>
#include <QString>

// Section and key names of the settings file. "fwMain", "mProfileList", "mFileList" and the
// option keys are the names of the main window and its menu items.
namespace settings::keys {

// The legend for people who open the file; never read back.
inline constexpr QLatin1String schemeSection("Scheme");
inline constexpr QLatin1String schemePathKey("<Path>");
inline constexpr QLatin1String schemeMarksKey("<Marks>:");

inline constexpr QLatin1String mainWindowSection("fwMain");
inline constexpr QLatin1String optionOnTopKey("mOptionOnTop");
inline constexpr QLatin1String optionMinimizeKey("mOptionMinimize");
inline constexpr QLatin1String optionSysTrayKey("mOptionSysTray");
inline constexpr QLatin1String optionMultiColKey("mOptionMultiCol");
inline constexpr QLatin1String textEditorKey("mOptionEditor-0");
inline constexpr QLatin1String mp3EditorKey("mOptionEditor-1");
inline constexpr QLatin1String skipBackKey("mOptionSkipBack");
inline constexpr QLatin1String skipForwardKey("mOptionSkipForward");
inline constexpr QLatin1String rewindKey("mOptionRewind");
// The Sleep Timer entry last chosen, by its place in the list (1 to 7).
inline constexpr QLatin1String sleepChoiceKey("mOptionSleepList");

// Places shared with other computers: the folder (stored as an album path is) and this
// computer's name there; no folder while not shared.
inline constexpr QLatin1String shareFolderKey("mOptionShareFolder");
inline constexpr QLatin1String shareComputerKey("mOptionShareComputer");

// Keys "0", "1", ... hold the profile names, "0" the active profile.
inline constexpr QLatin1String profileListSection("mProfileList");

// Keys of the section named after a profile.
inline constexpr QLatin1String filterIndexKey("FilterIndex");
inline constexpr QLatin1String leftKey("Left");
inline constexpr QLatin1String topKey("Top");
inline constexpr QLatin1String stateKey("State");

inline constexpr QLatin1String albumListName("mFileList");

// The section of a profile's album list: the profile name, "\", "mFileList".
inline QString albumListSection(const QString &profile)
{
    return profile + u'\\' + albumListName;
}

} // namespace settings::keys
