#pragma once

#include <QMainWindow>
#include <QString>

class QAction;
class QTextBrowser;

namespace shell {

// The program's own help window: the HTML manual in a browser of its own, with back, forward and
// contents, so that help works offline and with no web browser installed. Links to other sites
// open in the user's browser.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the manual at the internal path from its top, or at the topic of a help number
    // (its element id="h<number>"); 0 gives the top. Nothing when the file cannot be read.
    bool showManual(const QString &helpFile, int helpContext = 0);

    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

} // namespace shell
