#include "app/window/historywindow.h"

#include "history/historysummary.h"
#include "platform/paths.h"
#include "player/timeformat.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using history::ListeningSession;

namespace {

QString timeOf(double seconds)
{
    return formatSeconds(FixedPoint::fromDouble(seconds));
}

QString lengthOf(qint64 ms)
{
    return timeOf(double(ms) / 1000);
}

QString startOf(qint64 ms)
{
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(ms);
    return QLocale().toString(start.date(), QLocale::ShortFormat) + u' ' +
           start.time().toString(QStringLiteral("hh:mm:ss"));
}

QString weekOf(const QDate &monday)
{
    int year = 0;
    const int week = monday.weekNumber(&year);
    return QObject::tr("Week %1 of %2, from %3")
        .arg(week)
        .arg(year)
        .arg(QLocale().toString(monday, QLocale::ShortFormat));
}

// A list of rows without a tree: every control is named for a screen reader.
QTreeWidget *newList(const QStringList &columns, const QString &name, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAccessibleName(name);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

} // namespace

HistoryWindow::HistoryWindow(const QList<ListeningSession> &sessions, AlbumCaption caption,
                             QWidget *parent)
    : QDialog(parent), m_caption(std::move(caption)), m_albumFilter(new QComboBox(this)),
      m_sessionList(
          newList({tr("Started"), tr("Album"), tr("Record"), tr("From"), tr("To"), tr("Length")},
                  tr("Sessions"), this)),
      m_albumTotals(newList({tr("Album"), tr("Listened")}, tr("Time per album"), this)),
      m_weekTotals(newList({tr("Week"), tr("Listened")}, tr("Time per week"), this)),
      m_goThere(new QPushButton(tr("Go &There"), this))
{
    if (!m_caption)
        m_caption = [](const QString &albumKey) { return albumKey; };
    setObjectName(QStringLiteral("fwHistory"));
    setWindowTitle(tr("History"));
    setModal(false);
    m_albumFilter->setAccessibleName(tr("Album"));
    m_goThere->setAccessibleName(tr("Go there"));
    // Enter anywhere but on another button goes to the session chosen.
    m_goThere->setDefault(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_goThere, QDialogButtonBox::ActionRole);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(tr("Close"));

    auto *filterRow = new QFormLayout;
    filterRow->addRow(tr("&Album:"), m_albumFilter);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(m_sessionList, 3);
    layout->addWidget(m_albumTotals, 1);
    layout->addWidget(m_weekTotals, 1);
    layout->addWidget(buttons);
    setTabOrder(m_albumFilter, m_sessionList);
    setTabOrder(m_sessionList, m_albumTotals);
    setTabOrder(m_albumTotals, m_weekTotals);
    setTabOrder(m_weekTotals, m_goThere);

    connect(m_albumFilter, &QComboBox::currentIndexChanged, this, &HistoryWindow::showChosenAlbum);
    connect(m_sessionList, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_goThere->setEnabled(!m_sessionList->selectedItems().isEmpty()); });
    connect(m_sessionList, &QTreeWidget::itemDoubleClicked, this, &HistoryWindow::goThere);
    connect(m_goThere, &QPushButton::clicked, this, &HistoryWindow::goThere);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(720, 520);
    setSessions(sessions);
}

void HistoryWindow::setSessions(const QList<ListeningSession> &sessions)
{
    m_sessions = history::newestFirst(sessions);
    fillAlbumFilter();
    showChosenAlbum();
}

void HistoryWindow::fillAlbumFilter()
{
    const QString chosen = m_albumFilter->currentData().toString();
    QList<std::pair<QString, QString>> albums;
    for (const QString &album : history::albumsOf(m_sessions))
        albums.append({m_caption(album), album});
    std::stable_sort(albums.begin(), albums.end(), [](const auto &a, const auto &b) {
        return QString::localeAwareCompare(a.first, b.first) < 0;
    });
    const QSignalBlocker quiet(m_albumFilter);
    m_albumFilter->clear();
    m_albumFilter->addItem(tr("All albums"));
    for (const auto &[title, album] : albums)
        m_albumFilter->addItem(title, album);
    m_albumFilter->setCurrentIndex(qMax(0, m_albumFilter->findData(chosen)));
}

void HistoryWindow::showChosenAlbum()
{
    const int chosen = m_albumFilter->currentIndex();
    m_shown = chosen <= 0 ? m_sessions
                          : history::sessionsOfAlbum(m_sessions,
                                                     m_albumFilter->itemData(chosen).toString());
    fillSessions(m_shown);
    fillTotals(m_shown);
}

void HistoryWindow::fillSessions(const QList<ListeningSession> &sessions)
{
    m_sessionList->clear();
    for (const ListeningSession &session : sessions) {
        const QString recordName = session.record.sliced(session.record.lastIndexOf(u'\\') + 1);
        auto *row = new QTreeWidgetItem(m_sessionList,
                                        {startOf(session.startMs), m_caption(session.album),
                                         recordName, timeOf(session.fromSeconds),
                                         timeOf(session.toSeconds), lengthOf(session.lengthMs)});
        row->setToolTip(2, platform::toNativePath(session.record));
    }
    m_goThere->setEnabled(false);
}

void HistoryWindow::fillTotals(const QList<ListeningSession> &sessions)
{
    m_albumTotals->clear();
    for (const history::AlbumTotal &total : history::totalsPerAlbum(sessions))
        new QTreeWidgetItem(m_albumTotals, {m_caption(total.album), lengthOf(total.lengthMs)});
    m_weekTotals->clear();
    for (const history::WeekTotal &total : history::totalsPerWeek(sessions))
        new QTreeWidgetItem(m_weekTotals, {weekOf(total.monday), lengthOf(total.lengthMs)});
}

void HistoryWindow::goThere()
{
    const QList<QTreeWidgetItem *> selected = m_sessionList->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_sessionList->indexOfTopLevelItem(selected.first());
    if (row >= 0 && row < m_shown.size())
        emit jumpRequested(m_shown[row]);
}
