#pragma once

#include <QString>
#include <QStringList>

namespace settings {

// The family's profiles, most recently selected first, and the one whose data is loaded. Item 0
// is the active profile once a selection has run; the list is kept in section "mProfileList".
class ProfileList {
public:
    // The stored list, or the single name "Default" when there is none; the loaded profile is
    // the stored key "0" (empty when missing), so that the first selection sees a switch.
    void load(const QString &settingsFile);

    const QStringList &names() const { return m_names; }
    int count() const { return int(m_names.size()); }
    // The profile whose placement and albums are loaded.
    const QString &active() const { return m_active; }
    // True when selecting index makes another profile the loaded one (exact comparison).
    bool isSwitch(int index) const;
    // Makes name index the loaded profile, moves it to the front and writes the list. Nothing
    // for an index outside the list.
    void select(int index, const QString &settingsFile);

    // The first index whose name equals name without regard to case; -1 when none does.
    int indexOf(const QString &name) const;
    // Appends the name; returns its index.
    int append(const QString &name);
    // Removes name index (never the active item 0) and writes the list; the others keep their
    // order.
    void remove(int index, const QString &settingsFile);

private:
    void save(const QString &settingsFile) const;

    QStringList m_names{QStringLiteral("Default")};
    QString m_active;
};

// A name is a settings section's name and a menu caption: longer ones are cut at input.
inline constexpr qsizetype maxProfileNameLength = 100;

// What a typed profile name is: the text before its first line break, every blank removed, at
// most maxProfileNameLength characters (a surrogate pair never cut in two).
enum class ProfileNameCheck { Empty, Unsupported, Usable };
QString cleanProfileName(const QString &typed);
// Unsupported: the settings file's ANSI code page cannot hold it, or it holds "?" (which is what
// such a character would be stored as).
ProfileNameCheck checkProfileName(const QString &cleanName);

} // namespace settings
