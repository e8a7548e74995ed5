#pragma once

#include <QWidget>

#include <array>

class PlayerComponent;
class QLabel;
class QLineEdit;
class Slider;
class SpinBox;

// The main window's client area: the records strip pbSlider on top, the player component's
// controls under it with the volume box tbVolume over their lower right corner, and a row of
// the status label tlStatus0 (current media file), the position box tbPosition and the status
// labels tlStatus1 (elapsed) and tlStatus2 (remaining). Sizes are fixed pixels; the row and the
// volume box keep to the right edge when the width changes.
class ControlStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int defaultWidth = 480;
    static constexpr int boxStripHeight = 8;
    static constexpr int playerHeight = 45;
    static constexpr int volumeWidth = 40;
    static constexpr int cellWidth = 54;
    static constexpr int cellHeight = 18;
    // The strip's height: box strip, player and the row with a pixel between each.
    static constexpr int stripHeight = boxStripHeight + 1 + playerHeight + 1 + cellHeight;

    // Takes playerWidget as its child; a right button pressed on the player (its MouseDown)
    // asks for the player's help. Both must outlive the strip or be deleted with it.
    ControlStrip(QWidget *playerWidget, const PlayerComponent *player, QWidget *parent = nullptr);

    Slider *boxStrip() const { return m_boxStrip; }
    QWidget *playerWidget() const { return m_playerWidget; }
    SpinBox *volumeBox() const { return m_volumeBox; }
    QLineEdit *positionBox() const { return m_positionBox; }
    // 0 current media file, 1 elapsed time, 2 remaining time; nullptr for any other index.
    QLabel *statusLabel(int index) const;

    // Status label 0's own caption (the current media file), shown whenever no tip is.
    void setMediaCaption(const QString &caption);
    // Shows a menu entry's tip in status label 0; an empty tip puts the own caption back.
    void showStatusTip(const QString &tip);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A right button was pressed on the box strip, the player, the volume box or a status
    // label; helpContext is that control's help number.
    void controlHelpRequested(int helpContext);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createBoxStrip();
    // Follows the desktop's palette, light or dark.
    void colourBoxStrip();
    void createVolumeBox();
    void createPositionBox();
    void createStatusLabels();
    void connectHelpRequests(const PlayerComponent *player);
    // Places every control for the strip's current width.
    void layoutControls();
    // Gives the bottom row and the volume box the strip's font, made smaller where a time would
    // not fit its cell or the volume box its width.
    void fitFonts();
    // The narrowest room for text among the time cells, in pixels.
    int timeTextRoom() const;

    Slider *m_boxStrip;
    QWidget *m_playerWidget;
    SpinBox *m_volumeBox;
    QLineEdit *m_positionBox;
    std::array<QLabel *, 3> m_statusLabels{};
    QString m_mediaCaption;
};
