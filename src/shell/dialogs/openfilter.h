#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One choice of the Open dialog's filter list.
struct FilterChoice {
    QString label;
    QString pattern; // as written, patterns separated by ";"
    bool chooseFolder = false;
    bool chooseProgram = false; // programs: executable files where programs have no extension
};

// Splits "label|pattern|label|pattern|..." into its choices, in order. A trailing "|" and a
// label without a pattern are dropped; the pattern "." is the folder choice, a program pattern
// ("*.exe") the program choice.
QList<FilterChoice> parseFilter(const QString &filter);

// The choices as Qt name filters, "label (patterns)", with the patterns separated by blanks and
// "*.*" (every file, also one without an extension) written "*"; the folder choice's "." matches
// no file, so only folders show; the program choice lets every name through, for the dialog to
// show executable files only. The label is kept whole, so a dialog that hides the patterns
// shows it as given.
QStringList qtNameFilters(const QList<FilterChoice> &choices);
