#include "app/menus/placesoffers.h"

#include "app/window/mainwindow.h"
#include "app/window/menutree.h"
#include "places/sharedplaces.h"
#include "shell/manual/helpcontext.h"
#include "shell/menu/menuitem.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr qsizetype longestShownName = 80;

// One line of menu text: a tab would start the shortcut column, an "&" a mnemonic.
QString menuText(const QString &name)
{
    QString text;
    for (const QChar c : name)
        text += c.category() == QChar::Other_Control ? QChar(u' ') : c;
    if (text.size() > longestShownName)
        text = text.first(longestShownName - 1) + QChar(0x2026);
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

QString offerCaption(const places::Offer &offer)
{
    return PlacesOffers::tr("%1 (on %2)").arg(menuText(offer.title), menuText(offer.computer));
}

PlacesOffers::PlacesOffers(MainWindow &window, places::SharedPlaces &places, QObject *parent)
    : QObject(parent), m_window(window), m_places(places)
{
    connect(&places, &places::SharedPlaces::offersChanged, this, &PlacesOffers::show);
}

void PlacesOffers::show()
{
    qDeleteAll(m_items);
    m_items.clear();
    const QList<places::Offer> &offers = m_places.offers();
    if (offers.isEmpty())
        return;
    QMenu *file = m_window.menus().file;
    QAction *before = m_window.menus().fileListSeparator;
    // Separators next to each other are shown as one, so the offers stand apart with or without
    // albums above them.
    auto *above = new QAction(file);
    above->setSeparator(true);
    file->insertAction(before, above);
    m_items.append(above);
    for (const places::Offer &offer : offers) {
        auto *item = new QAction(offerCaption(offer), file);
        item->setObjectName(QStringLiteral("mFileOffer"));
        item->setEnabled(false);
        shell::setMenuItemHelpContext(item, shell::help::fileList);
        item->setStatusTip(
            tr("Open its folder here to go on where %1 stopped.").arg(offer.computer));
        file->insertAction(before, item);
        m_items.append(item);
    }
    auto *below = new QAction(file);
    below->setSeparator(true);
    file->insertAction(before, below);
    m_items.append(below);
}
