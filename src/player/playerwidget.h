#pragma once

#include <QTimer>
#include <QWidget>

#include <array>

class PlayerBase;
class QLabel;
class QSlider;
class QToolButton;

// The player's own row of controls: play/pause, stop, seek bar with elapsed and total time,
// mute and volume. It acts through the player's contract, so its buttons raise the same events
// as the program's calls; a mouse button pressed on it is the player's MouseDown. The player must
// outlive it.
class PlayerWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlayerWidget(PlayerBase *player, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *addButton(const char *name, const QString &toolTip);
    QSlider *addSlider(const char *name, const QString &toolTip);
    // The controls that act on a file: of no use while the player has none.
    std::array<QWidget *, 3> transportControls() const;
    void togglePlay();
    // The player's MouseDown for a press at a point of this widget; false for a left press.
    bool reportMouseDown(const QMouseEvent &event, QPoint at);
    void showElapsed(double seconds);
    // The seek bar's description says the position as a time ("00:12:34 of 09:58:00").
    void describePosition(double position, double duration);
    // Brings every control in line with the player; the player announces no volume or enabled
    // change, so this also runs on a timer while shown.
    void refresh();

    PlayerBase *m_player;
    QToolButton *m_playButton;
    QToolButton *m_stopButton;
    QLabel *m_elapsed;
    QSlider *m_seekBar;
    QLabel *m_total;
    QToolButton *m_muteButton;
    QSlider *m_volumeBar;
    QTimer m_refreshTimer;
    double m_describedPosition = 0;
    double m_describedDuration = -1;
};
