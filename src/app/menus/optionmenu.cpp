#include "app/menus/optionmenu.h"

#include "album/albumopener.h"
#include "app/window/mainwindow.h"
#include "platform/paths.h"
#include "platform/programinfo.h"
#include "shell/dialogs/dialogkit.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/menuitem.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace {

const char *const switchNames[Options::switchCount] = {"mOptionOnTop", "mOptionMinimize",
                                                       "mOptionSysTray", "mOptionMultiCol"};
const QString programFilter = QStringLiteral("Programs (*.exe)|*.exe|All Files (*.*)|*.*");

// The folder of the program's path when it exists, else the home folder (the drive's root on
// Windows).
QString chooserFolder(const QString &program)
{
    const QString folder = program.left(program.lastIndexOf(u'\\'));
    if (!folder.isEmpty() && QDir(platform::toNativePath(folder)).exists())
        return folder;
    return platform::fromNativePath(QDir::homePath());
}

} // namespace

OptionMenu::OptionMenu(MainWindow &window, Options &options, QObject *parent)
    : QObject(parent), m_window(window), m_options(options)
{
    shell::WhatsThis &whatsThis = window.whatsThis();
    for (int i = 0; i < Options::switchCount; ++i) {
        const auto option = Options::Switch(i);
        whatsThis.connectCommand(switchAction(option),
                                 [&options, option] { options.toggle(option); });
        showSwitch(option, options.isOn(option));
    }
    whatsThis.connectArray(window.menus().optionEditor,
                           [this](int index) { chooseProgram(Options::Editor(index)); });
    connect(&options, &Options::switchChanged, this, &OptionMenu::showSwitch);
    connect(window.menus().option, &QMenu::aboutToShow, this, &OptionMenu::showEditorNotes);
}

QAction *OptionMenu::switchAction(Options::Switch option) const
{
    return m_window.menuItem(QString::fromLatin1(switchNames[option]));
}

void OptionMenu::showSwitch(Options::Switch option, bool on)
{
    shell::setMenuItemChecked(switchAction(option), on);
}

void OptionMenu::showEditorNotes()
{
    shell::ActionItemArray &items = *m_window.menus().optionEditor;
    for (const auto editor : {Options::TextEditor, Options::Mp3Editor}) {
        const QString path = m_options.editor(editor);
        shell::setShortcutText(items.action(editor),
                               path.isEmpty() ? QString() : u'[' + noteFor(path) + u']');
    }
}

QString OptionMenu::noteFor(const QString &path)
{
    auto known = m_descriptions.constFind(path);
    if (known == m_descriptions.cend()) {
        QString description = platform::programDescription(platform::toNativePath(path));
        if (description.isEmpty())
            description = platform::toNativePath(path).toLower();
        known = m_descriptions.insert(path, description);
    }
    return *known;
}

void OptionMenu::chooseProgram(Options::Editor editor)
{
    DialogKit &dialogs = m_window.dialogKit();
    const int albumFilterIndex = dialogs.filterIndex();
    const QString path = m_options.editor(editor);
    dialogs.setFilter(programFilter);
    dialogs.setFilterIndex(1);
    dialogs.setInitialFolder(chooserFolder(path));
    dialogs.setDialogTitle(album::dialogTitleFromCaption(
        m_window.menus().optionEditor->action(editor)->text().section(u'\t', 0, 0)));
    dialogs.setFileName(path);
    const bool confirmed = dialogs.showOpen() == 1;
    dialogs.setFilter(album::openFilter());
    dialogs.setFilterIndex(albumFilterIndex);
    if (confirmed)
        m_options.chooseEditor(editor, dialogs.fileName());
}
