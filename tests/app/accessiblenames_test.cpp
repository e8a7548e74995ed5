#include "app/menus/propertiesdialog.h"
#include "shell/manual/helpwindow.h"
#include "text/codepagechooser.h"

#include <QAccessible>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Roles a listener works with; containers carry no name of their own.
bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::RadioButton:
    case QAccessible::CheckBox:
    case QAccessible::EditableText:
    case QAccessible::StaticText:
    case QAccessible::List:
    case QAccessible::ComboBox:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::Document:
        return true;
    default:
        return false;
    }
}

// The roles of the visible controls under the window that have no name.
QStringList unnamedControls(QWidget &window)
{
    window.show();
    QStringList unnamed;
    QList<QAccessibleInterface *> pending{QAccessible::queryAccessibleInterface(&window)};
    while (!pending.isEmpty()) {
        QAccessibleInterface *node = pending.takeLast();
        if (!node->state().invisible && isControl(node->role()) &&
            node->text(QAccessible::Name).isEmpty())
            unnamed.append(QString::number(node->role(), 16) + u' ' +
                           (node->object() ? node->object()->objectName() : QString()));
        for (int i = 0; i < node->childCount(); ++i)
            pending.append(node->child(i));
    }
    return unnamed;
}

} // namespace

TEST(AccessibleNames, TheEncodingChooserThePropertiesAndTheManualNameEveryControl)
{
    QAccessible::setActive(true);
    QTemporaryDir folder;
    QFile file(folder.filePath("01.mp3"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    text::CodePageChooser chooser("Caf\xe9");
    EXPECT_EQ(unnamedControls(chooser), QStringList());
    PropertiesDialog properties(folder.path().replace(u'/', u'\\') + "\\01.mp3", 1252);
    EXPECT_EQ(unnamedControls(properties), QStringList());
    shell::HelpWindow help;
    EXPECT_EQ(unnamedControls(help), QStringList());
}
