#pragma once

#include <QList>
#include <QObject>
#include <QString>

class MainWindow;
class QAction;

namespace places {
class SharedPlaces;
struct Offer;
} // namespace places

// Albums that only another computer has, shown greyed under the File menu's albums as
// "Title (on Kitchen)": opening the book's folder here takes its place from there.
class PlacesOffers : public QObject {
    Q_OBJECT
public:
    PlacesOffers(MainWindow &window, places::SharedPlaces &places, QObject *parent = nullptr);

private:
    void show();

    MainWindow &m_window;
    places::SharedPlaces &m_places;
    QList<QAction *> m_items;
};

// "Title (on Kitchen)" as menu text: control characters as blanks, long names cut with "...",
// "&" shown as itself.
QString offerCaption(const places::Offer &offer);
