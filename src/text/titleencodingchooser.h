#pragma once

#include <QByteArrayView>
#include <QList>
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

// The code pages the chooser offers, in its order: the Windows pages, then UTF-8.
QList<int> chooserCodePages();

// The code page the chooser opens with, so that every way of closing it takes a sound answer:
// UTF-8 for well-formed UTF-8 that holds a multi-byte character, else the title code page (the
// first offered page when a test made that one no choice of the chooser).
int preselectedCodePage(QByteArrayView title);

// True when every byte is ASCII: such a title reads the same in every offered code page.
bool isAscii(QByteArrayView title);

// Lets the chooser pick the code page and decodes the title in it into character-reference form.
TitleEncoding chooseTitleEncoding(TitleEncodingChooser &chooser, QByteArrayView title);

} // namespace text
