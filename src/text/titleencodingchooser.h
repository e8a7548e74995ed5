#pragma once

#include <QByteArrayView>
#include <QString>

// The user's choice of the code page in which an undecoded 8-bit album title is read.
namespace text {

// A title settled by the user: in character-reference form, with the code page it was read in.
struct TitleEncoding {
    QString title;
    int codePage = 0;
};

// Asks which offered code page an undecoded title is in. The window does it on screen; tests
// answer from a script.
class TitleEncodingChooser {
public:
    virtual ~TitleEncodingChooser() = default;
    // The chosen code page, always one of the offered pages; the user cannot decline.
    virtual int choose(QByteArrayView title) = 0;
};

// The offered code page the chooser opens with: the ANSI code page when it is offered, else 0
// (none selected).
int preselectedCodePage();

// Lets the chooser pick the code page and decodes the title in it into character-reference form.
TitleEncoding chooseTitleEncoding(TitleEncodingChooser &chooser, QByteArrayView title);

} // namespace text
