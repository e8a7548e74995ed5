#include "shell/menu/shortcuttext.h"

#include <array>
#include <string_view>

namespace shell {

namespace {

enum Modifier { shiftBit = 1, ctrlBit = 2, altBit = 4 };
enum ModifierKey { shiftKey = 16, ctrlKey = 17, altKey = 18 };

struct KeyName {
    int code;
    std::string_view name;
};

constexpr std::array<KeyName, 49> keyNames{{
    {3, "Cancel"},       {8, "Bksp"},         {9, "Tab"},         {12, "Clear"},
    {13, "Enter"},       {16, "Shift"},       {17, "Ctrl"},       {18, "Alt"},
    {19, "Pause"},       {20, "CapsLock"},    {27, "Esc"},        {32, "Space"},
    {33, "PgUp"},        {34, "PgDn"},        {35, "End"},        {36, "Home"},
    {37, "Left"},        {38, "Up"},          {39, "Right"},      {40, "Down"},
    {41, "Sel"},         {42, "PrtScr"},      {43, "Exec"},       {44, "Snapshot"},
    {45, "Ins"},         {46, "Del"},         {47, "Help"},       {91, "WinLeft"},
    {92, "WinRight"},    {93, "App"},         {106, "Num *"},     {107, "Num +"},
    {108, "Num Enter"},  {109, "Num -"},      {110, "Num ."},     {111, "Num /"},
    {144, "NumLock"},    {145, "ScrollLock"}, {186, "Semicolon"}, {187, "Equals"},
    {188, "Comma"},      {189, "Minus"},      {190, "FullStop"},  {191, "Slash"},
    {192, "Grave"},      {219, "LBracket"},   {220, "Backslash"}, {221, "RBracket"},
    {222, "Apostrophe"},
}};

// Keys named by a prefix and their offset in a run of codes: digits, letters, keypad digits and
// function keys.
struct KeyRun {
    int first;
    int last;
    std::string_view prefix;
    char firstName;
    int firstNumber; // 0: the name is a character counted from firstName
};

constexpr std::array<KeyRun, 4> keyRuns{{
    {48, 57, "", '0', 0},
    {65, 90, "", 'A', 0},
    {96, 105, "Num ", '0', 0},
    {112, 127, "F", 0, 1},
}};

QString keyName(int code)
{
    for (const KeyName &key : keyNames) {
        if (key.code == code)
            return QString::fromLatin1(key.name.data(), qsizetype(key.name.size()));
    }
    for (const KeyRun &run : keyRuns) {
        if (code < run.first || code > run.last)
            continue;
        const QString prefix = QString::fromLatin1(run.prefix.data(), qsizetype(run.prefix.size()));
        if (run.firstNumber > 0)
            return prefix + QString::number(run.firstNumber + code - run.first);
        return prefix + QChar(run.firstName + (code - run.first));
    }
    return QString();
}

int numberOf(QStringView text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? number : 0;
}

} // namespace

QString shortcutText(QStringView spec)
{
    const qsizetype firstStop = spec.indexOf(u'.');
    const int code = numberOf(firstStop < 0 ? spec : spec.left(firstStop));
    const int shift = numberOf(spec.mid(spec.lastIndexOf(u'.') + 1));
    const QString name = keyName(code);
    if (code == 0 || name.isEmpty())
        return QString();
    QString text;
    if ((shift & altBit) && code != altKey)
        text += QStringLiteral("Alt+");
    if ((shift & ctrlBit) && code != ctrlKey)
        text += QStringLiteral("Ctrl+");
    if ((shift & shiftBit) && code != shiftKey)
        text += QStringLiteral("Shift+");
    return text + name;
}

QString withShortcutText(QStringView caption, const QString &shortcut)
{
    const qsizetype tab = caption.indexOf(u'\t');
    QString text = (tab < 0 ? caption : caption.left(tab)).toString();
    if (!shortcut.isEmpty())
        text += u'\t' + shortcut;
    return text;
}

} // namespace shell
