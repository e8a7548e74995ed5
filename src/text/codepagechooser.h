#pragma once

#include "text/titleencodingchooser.h"

#include <QByteArray>
#include <QDialog>
#include <QPointer>

class QButtonGroup;
class QLineEdit;

namespace text {

// The encoding chooser window: previews an undecoded title in the code page of the selected
// option, one option per offered code page and one for UTF-8. One option is always selected,
// from the start the preselected one.
class CodePageChooser : public QDialog {
    Q_OBJECT
public:
    explicit CodePageChooser(QByteArrayView title, QWidget *parent = nullptr);

    // The code page of the selected option.
    int codePage() const;

    // Shows a fresh chooser modally and returns its code page. Closing the window in any way
    // counts as OK: the caller needs a code page.
    static int ask(QWidget *parent, QByteArrayView title);

private:
    void buildOptions(QWidget *frame);
    void layOut(QWidget *frame, QWidget *ok);
    void showSelection(int codePage);

    QByteArray m_title;
    QLineEdit *m_preview = nullptr;
    QButtonGroup *m_options = nullptr;
};

// The chooser on screen, shown modally over its owner.
class QtTitleEncodingChooser : public TitleEncodingChooser {
public:
    explicit QtTitleEncodingChooser(QWidget *owner) : m_owner(owner) {}
    int choose(QByteArrayView title) override;

private:
    QPointer<QWidget> m_owner;
};

// Lets the user pick the code page of an undecoded title in the chooser window; returns the
// title decoded in it, in character-reference form, with the code page.
TitleEncoding chooseTitleEncoding(QWidget *owner, QByteArrayView title);

} // namespace text
