#include "app/menus/options.h"

#include "settings/settingskeys.h"
#include "settings/settingsstore.h"

namespace {

namespace keys = settings::keys;

const std::array<QLatin1String, Options::switchCount> switchKeys = {
    keys::optionOnTopKey, keys::optionMinimizeKey, keys::optionSysTrayKey, keys::optionMultiColKey};
const std::array<QLatin1String, 2> editorKeys = {keys::textEditorKey, keys::mp3EditorKey};

// What a missing key reads as: a stored value never holds a line break.
const QString missingValue = QStringLiteral("\x01\n\x01");

FixedPoint numberOf(bool on)
{
    return FixedPoint::fromInt(on ? 1 : 0);
}

} // namespace

Options::Options(const QString &settingsFile, std::function<QString()> defaultTextEditor,
                 QObject *parent)
    : QObject(parent), m_settingsFile(settingsFile),
      m_defaultTextEditor(std::move(defaultTextEditor))
{
}

void Options::load()
{
    // Turning the opposite of the stored state over applies the option and rewrites any other
    // stored number as 1.
    for (const Switch option : {AlwaysOnTop, MinimizeOnClose, HideToTray}) {
        const FixedPoint stored =
            settings::readSettingNumber(m_settingsFile, keys::mainWindowSection, switchKeys[option],
                                        numberOf(option != AlwaysOnTop));
        m_switches[option] = stored == FixedPoint();
        toggle(option);
    }
    m_switches[MultiColumnMenu] =
        settings::readSettingNumber(m_settingsFile, keys::mainWindowSection,
                                    switchKeys[MultiColumnMenu], numberOf(true)) == numberOf(true);
    emit switchChanged(MultiColumnMenu, m_switches[MultiColumnMenu]);
    const QString textEditor = settings::readSetting(m_settingsFile, keys::mainWindowSection,
                                                     editorKeys[TextEditor], missingValue);
    if (textEditor == missingValue)
        m_defaultPending = true;
    else
        setEditor(TextEditor, textEditor);
    setEditor(Mp3Editor, settings::readSetting(m_settingsFile, keys::mainWindowSection,
                                               editorKeys[Mp3Editor]));
}

void Options::toggle(Switch option)
{
    const bool on = !m_switches[option];
    m_switches[option] = on;
    emit switchChanged(option, on);
    if (settings::readSettingNumber(m_settingsFile, keys::mainWindowSection, switchKeys[option]) !=
        numberOf(on))
        settings::writeSettingNumber(m_settingsFile, keys::mainWindowSection, switchKeys[option],
                                     numberOf(on));
}

QString Options::editor(Editor editor)
{
    if (editor == TextEditor && m_defaultPending) {
        m_defaultPending = false;
        m_editors[TextEditor] = m_defaultTextEditor ? m_defaultTextEditor() : QString();
    }
    return m_editors[editor];
}

void Options::setEditor(Editor editor, const QString &path)
{
    if (editor == TextEditor)
        m_defaultPending = false;
    m_editors[editor] = path;
    emit editorChanged(editor, path);
    if (editor == Mp3Editor)
        emit mp3EditorChanged(path);
}

void Options::chooseEditor(Editor editor, const QString &path)
{
    setEditor(editor, path);
    settings::writeSetting(m_settingsFile, keys::mainWindowSection, editorKeys[editor], path);
}
