#include "windowfixture.h"

#include "platform/paths.h"

#include <QFile>

WindowFixture::WindowFixture(bool withHelpFile)
{
    if (withHelpFile) {
        QFile html(m_folder.filePath("sonnalby.html"));
        html.open(QIODevice::WriteOnly);
        html.write("<html><body><h2 id=\"h1001\">Open Album</h2></body></html>");
    }
    MainWindowSetup setup;
    setup.dialogKit = &m_dialogKit;
    setup.player = &m_player;
    setup.settingsFile = platform::fromNativePath(m_folder.filePath("sonnalby.dat"));
    setup.helpFile = platform::fromNativePath(m_folder.filePath("sonnalby.hlp"));
    m_window = std::make_unique<MainWindow>(setup);
}

QList<int> WindowFixture::shownHelp() const
{
    QList<int> numbers;
    for (const DialogCall &call : m_dialogKit.callsOf(DialogCallKind::ShowWhatsThis))
        numbers.append(call.number);
    return numbers;
}
