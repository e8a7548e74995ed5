#pragma once

#include <QStringView>

#include <array>
#include <string_view>

// Help context numbers: one per menu, menu item, item array and control. The help file holds one
// topic per number, the element with id="h<number>". Hundreds group the menus (1000 File,
// 1100 View, 1200 Record, 1300 Bookmark, 1400 Profile, 1500 Option, 1600 Help, 1700 Tray,
// 1800 List, 1900 Popup; the menu itself is the round number); 2000 and up are the main window
// and its controls. Every item of an array shares the array's number, except the two items of
// the Option menu's editor array, which set different programs.
namespace shell::help {

// File menu
inline constexpr int fileMenu = 1000;
inline constexpr int fileOpen = 1001;
inline constexpr int fileRename = 1002;
inline constexpr int filePlaylist = 1003;
inline constexpr int fileEditor = 1004;
inline constexpr int fileNonFound = 1005;
inline constexpr int fileRemove = 1006;            // the Remove submenu
inline constexpr int fileRemovePlaceholder = 1007; // its heading "Click on item to remove..."
inline constexpr int fileRemoveList = 1008;        // an album path in the Remove submenu
inline constexpr int fileList = 1009;              // an album in the File menu
inline constexpr int fileExit = 1010;

// View menu
inline constexpr int viewMenu = 1100;
inline constexpr int viewProperties = 1101;
inline constexpr int viewEditor = 1102;
inline constexpr int viewEncoding = 1103;     // the Encoding submenu
inline constexpr int viewEncodingList = 1104; // an encoding in it
inline constexpr int viewSpeed = 1105;        // the Speed submenu
inline constexpr int viewSpeedList = 1106;    // a speed in it
inline constexpr int viewSpeedFaster = 1107;
inline constexpr int viewSpeedSlower = 1108;
inline constexpr int viewHistory = 1109;

// Record menu
inline constexpr int recordMenu = 1200;
inline constexpr int recordList = 1201; // a record of the active album

// Bookmark menu
inline constexpr int bookmarkMenu = 1300;
inline constexpr int bookmarkNew = 1301;
inline constexpr int bookmarkClearAll = 1302;
inline constexpr int bookmarkDelete = 1303; // the Delete submenu
inline constexpr int bookmarkDeletePlaceholder = 1304;
inline constexpr int bookmarkDeleteList = 1305;
inline constexpr int bookmarkRename = 1306; // the Rename submenu
inline constexpr int bookmarkRenamePlaceholder = 1307;
inline constexpr int bookmarkRenameList = 1308;
inline constexpr int bookmarkList = 1309; // a bookmark in the Bookmark menu
inline constexpr int bookmarkLast = 1310;

// Profile menu
inline constexpr int profileMenu = 1400;
inline constexpr int profileNew = 1401;
inline constexpr int profileDelete = 1402; // the Remove submenu
inline constexpr int profileDeletePlaceholder = 1403;
inline constexpr int profileDeleteList = 1404;
inline constexpr int profileList = 1405; // a profile in the Profile menu

// Option menu
inline constexpr int optionMenu = 1500;
inline constexpr int optionOnTop = 1501;
inline constexpr int optionMinimize = 1502;
inline constexpr int optionSysTray = 1503;
inline constexpr int optionMultiCol = 1504;
inline constexpr int optionTextEditor = 1505; // mOptionEditor item 0
inline constexpr int optionMp3Editor = 1506;  // mOptionEditor item 1
inline constexpr int optionSleep = 1507;      // the Sleep Timer submenu
inline constexpr int optionSleepList = 1508;  // a time in it
inline constexpr int optionSkipBack = 1509;   // the Skip Back submenu
inline constexpr int optionSkipBackList = 1510;
inline constexpr int optionSkipForward = 1511; // the Skip Forward submenu
inline constexpr int optionSkipForwardList = 1512;
inline constexpr int optionRewind = 1513;
inline constexpr int optionSkipIntro = 1514;
inline constexpr int optionSkipOutro = 1515;
inline constexpr int optionLevelVoice = 1516;
inline constexpr int optionShare = 1517;

// Help menu
inline constexpr int helpMenu = 1600;
inline constexpr int helpWhatsThis = 1601;
inline constexpr int helpTopics = 1602;
inline constexpr int helpUpdate = 1603;
inline constexpr int helpWeb = 1604;
inline constexpr int helpMail = 1605;
inline constexpr int helpAbout = 1606;

// The tray icon's menu
inline constexpr int trayMenu = 1700;
inline constexpr int trayPlay = 1701;
inline constexpr int trayRestore = 1702;
inline constexpr int trayExit = 1703;
inline constexpr int traySkipBack = 1704;
inline constexpr int traySkipForward = 1705;
inline constexpr int trayPrevious = 1706;
inline constexpr int trayNext = 1707;

// The List pop-up menu
inline constexpr int listMenu = 1800;
inline constexpr int listRemove = 1801;

// The What's This pop-up of the controls
inline constexpr int popupMenu = 1900;
inline constexpr int popupWhatsThis = 1901;

// The main window and its controls
inline constexpr int mainWindow = 2000; // fwMain
inline constexpr int boxStrip = 2001;   // pbSlider, one box per record
inline constexpr int player = 2002;     // oPlayer, the media player's own controls
inline constexpr int position = 2003;   // tbPosition, the time-position box
inline constexpr int volume = 2004;     // tbVolume, the volume spin box
inline constexpr int status0 = 2005;    // tlStatus 0, elapsed time of the album
inline constexpr int status1 = 2006;    // tlStatus 1, remaining time of the album
inline constexpr int status2 = 2007;    // tlStatus 2, time of the record

struct NamedHelpContext {
    std::string_view objectName;
    int number;
};

// Every help context number with the objectName it belongs to (for array items the array's
// name; the status labels as tlStatus0..2 and the editor items as mOptionEditor0 and 1).
inline constexpr std::array<NamedHelpContext, 85> table{{
    {"mFile", fileMenu},
    {"mFileOpen", fileOpen},
    {"mFileRename", fileRename},
    {"mFilePlaylist", filePlaylist},
    {"mFileEditor", fileEditor},
    {"mFileNonFound", fileNonFound},
    {"mFileRemove", fileRemove},
    {"mFileRemovePlaceholder", fileRemovePlaceholder},
    {"mFileRemoveList", fileRemoveList},
    {"mFileList", fileList},
    {"mFileExit", fileExit},
    {"mView", viewMenu},
    {"mViewHistory", viewHistory},
    {"mViewProperties", viewProperties},
    {"mViewEditor", viewEditor},
    {"mViewEncoding", viewEncoding},
    {"mViewEncodingList", viewEncodingList},
    {"mViewSpeed", viewSpeed},
    {"mViewSpeedList", viewSpeedList},
    {"mViewSpeedFaster", viewSpeedFaster},
    {"mViewSpeedSlower", viewSpeedSlower},
    {"mRecord", recordMenu},
    {"mRecordList", recordList},
    {"mBookmark", bookmarkMenu},
    {"mBookmarkNew", bookmarkNew},
    {"mBookmarkClearAll", bookmarkClearAll},
    {"mBookmarkDelete", bookmarkDelete},
    {"mBookmarkDeletePlaceholder", bookmarkDeletePlaceholder},
    {"mBookmarkDeleteList", bookmarkDeleteList},
    {"mBookmarkRename", bookmarkRename},
    {"mBookmarkRenamePlaceholder", bookmarkRenamePlaceholder},
    {"mBookmarkRenameList", bookmarkRenameList},
    {"mBookmarkList", bookmarkList},
    {"mBookmarkLast", bookmarkLast},
    {"mProfile", profileMenu},
    {"mProfileNew", profileNew},
    {"mProfileDelete", profileDelete},
    {"mProfileDeletePlaceholder", profileDeletePlaceholder},
    {"mProfileDeleteList", profileDeleteList},
    {"mProfileList", profileList},
    {"mOption", optionMenu},
    {"mOptionOnTop", optionOnTop},
    {"mOptionMinimize", optionMinimize},
    {"mOptionSysTray", optionSysTray},
    {"mOptionMultiCol", optionMultiCol},
    {"mOptionEditor0", optionTextEditor},
    {"mOptionEditor1", optionMp3Editor},
    {"mOptionSleep", optionSleep},
    {"mOptionSleepList", optionSleepList},
    {"mOptionSkipBack", optionSkipBack},
    {"mOptionSkipBackList", optionSkipBackList},
    {"mOptionSkipForward", optionSkipForward},
    {"mOptionSkipForwardList", optionSkipForwardList},
    {"mOptionRewind", optionRewind},
    {"mOptionLevelVoice", optionLevelVoice},
    {"mOptionSkipIntro", optionSkipIntro},
    {"mOptionSkipOutro", optionSkipOutro},
    {"mOptionShare", optionShare},
    {"mHelp", helpMenu},
    {"mHelpWhatsThis", helpWhatsThis},
    {"mHelpTopics", helpTopics},
    {"mHelpUpdate", helpUpdate},
    {"mHelpWeb", helpWeb},
    {"mHelpMail", helpMail},
    {"mHelpAbout", helpAbout},
    {"mTray", trayMenu},
    {"mTrayPlay", trayPlay},
    {"mTrayRestore", trayRestore},
    {"mTrayExit", trayExit},
    {"mTraySkipBack", traySkipBack},
    {"mTraySkipForward", traySkipForward},
    {"mTrayPrevious", trayPrevious},
    {"mTrayNext", trayNext},
    {"mList", listMenu},
    {"mListRemove", listRemove},
    {"mPopup", popupMenu},
    {"mPopupWhatsThis", popupWhatsThis},
    {"fwMain", mainWindow},
    {"pbSlider", boxStrip},
    {"oPlayer", player},
    {"tbPosition", position},
    {"tbVolume", volume},
    {"tlStatus0", status0},
    {"tlStatus1", status1},
    {"tlStatus2", status2},
}};

// The number for an objectName: an exact name of the table, else an array item's name (the
// array's name followed by decimal digits, "mFileList3") gives its array's number; 0 when
// neither matches.
int helpContextOf(QStringView objectName);

} // namespace shell::help
