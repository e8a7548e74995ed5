#pragma once

#include <QDialog>
#include <QList>
#include <QString>

// One line of the Properties dialog.
struct FileProperty {
    QString label;
    QString value;

    friend bool operator==(const FileProperty &, const FileProperty &) = default;
};

// What the Properties dialog shows of the file at the internal path: its native path, size and
// modification time, the tag fields it has (8-bit ones decoded in the code page; 0 and 1200 read
// as the ANSI code page) and its duration. A missing file gives its path alone.
QList<FileProperty> filePropertiesOf(const QString &internalPath, int codePage);

// The program's own properties sheet, for desktops whose file manager shows none: the file's
// properties, selectable, and a Close button. Not modal; it deletes itself when closed.
class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    PropertiesDialog(const QString &internalPath, int codePage, QWidget *parent = nullptr);
};
