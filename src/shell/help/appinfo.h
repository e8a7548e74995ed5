#pragma once

#include <QString>

namespace shell {

// The program's application information: what a version resource holds.
struct AppInfo {
    QString title;    // application title, "Sonnalby"
    QString baseName; // executable base name, "sonnalby"
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString fileDescription;
    QString legalCopyright;
    QString legalTrademarks;
    // The maker's web address and its "mailto:" address, separated by ", ".
    QString comments;
};

// The program's own information, as CMake generated it.
AppInfo applicationInfo();

// Full: major "." minor as plain digits ("00" for 0), then "." revision when it is 1 or more
// (1.12.3). Short: the minor as two digits and the revision as four (1.12.0003).
QString versionText(const AppInfo &info, bool full);

// Element 0 of Comments split at ", "; the whole text when it holds no ", ".
QString webAddress(const AppInfo &info);
// Element 1 of Comments split at ", "; empty when Comments holds only the web address.
QString mailAddress(const AppInfo &info);
// web address + "/Products/" + title + "/".
QString productPageAddress(const AppInfo &info);
// The setup program on the product page: product page + base name + "_Setup.exe".
QString setupFileAddress(const AppInfo &info);
// Where the published version is read: web address + "/Products/" + title + "/" + base name +
// ".js".
QString updateRemotePath(const AppInfo &info);
// The mail address with the subject title + " Bug Report"; empty without a mail address.
QString feedbackAddress(const AppInfo &info);

// The About box's title, "About " + LegalTrademarks.
QString aboutTitle(const AppInfo &info);
// The About box's text, each line ended by a line break: the description one sentence a line, the
// short version, the extra line when given, a spacer of 60 blanks, the copyright, the web address
// and the mail address when Comments holds one.
QString aboutText(const AppInfo &info, const QString &extraLine);

} // namespace shell
