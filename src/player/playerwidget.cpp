#include "player/playerwidget.h"

#include "player/playerbase.h"
#include "player/spokentext.h"
#include "player/timeformat.h"
#include "player/transporticon.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>

#include <cmath>

namespace {

constexpr int refreshIntervalMs = 250;
// More than playing moves the bar between two refreshes.
constexpr double jumpSeconds = 2;

// The component's MouseDown numbering: 1 left, 2 right, 4 middle.
int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

// The component's shift state: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

QString timeText(double seconds)
{
    return formatSeconds(FixedPoint::fromDouble(seconds));
}

// A left click puts the seek bar's handle where it lands, as in every media player, and the
// handle can be dragged on from there; the keys keep their steps.
class SeekBarStyle : public QProxyStyle {
public:
    // Over a style of the application's own kind; that base is the proxy's to delete.
    SeekBarStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PlayerWidget::PlayerWidget(PlayerBase *player, QWidget *parent) : QWidget(parent), m_player(player)
{
    setObjectName(QStringLiteral("oPlayer"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);

    m_playButton = addButton("playButton", tr("Play"));
    m_stopButton = addButton("stopButton", tr("Stop"));
    m_elapsed = new QLabel(this);
    m_elapsed->setObjectName(QStringLiteral("elapsedLabel"));
    m_elapsed->setToolTip(tr("Elapsed time"));
    row->addWidget(m_elapsed);
    m_seekBar = addSlider("seekBar", tr("Position"));
    // Dragging, and a click, seek once on release; keys seek at once.
    m_seekBar->setTracking(false);
    auto *seekStyle = new SeekBarStyle;
    seekStyle->setParent(m_seekBar);
    m_seekBar->setStyle(seekStyle);
    m_seekBar->setSingleStep(5);
    m_seekBar->setPageStep(60);
    row->setStretchFactor(m_seekBar, 1);
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("totalLabel"));
    m_total->setToolTip(tr("Duration"));
    row->addWidget(m_total);
    m_muteButton = addButton("muteButton", tr("Mute"));
    m_muteButton->setCheckable(true);
    m_volumeBar = addSlider("volumeBar", tr("Volume"));
    m_volumeBar->setRange(0, PlayerBase::maxVolume);
    m_volumeBar->setSingleStep(5);
    m_volumeBar->setPageStep(10);
    m_volumeBar->setFixedWidth(80);
    setFocusProxy(m_playButton);

    for (QWidget *control : transportControls())
        control->installEventFilter(this);
    connect(m_playButton, &QToolButton::clicked, this, &PlayerWidget::togglePlay);
    connect(m_stopButton, &QToolButton::clicked, m_player, &PlayerBase::stopFromControls);
    connect(m_seekBar, &QSlider::valueChanged, this,
            [this](int seconds) { m_player->seekFromControls(seconds); });
    connect(m_seekBar, &QSlider::sliderMoved, this, [this](int seconds) { showElapsed(seconds); });
    connect(m_seekBar, &QSlider::sliderPressed, this,
            [this] { showElapsed(m_seekBar->sliderPosition()); });
    connect(m_muteButton, &QToolButton::toggled, m_player, &PlayerBase::setMuted);
    connect(m_volumeBar, &QSlider::valueChanged, m_player, &PlayerBase::setVolume);
    connect(m_player, &PlayerBase::playStateChange, this, &PlayerWidget::refresh);
    connect(m_player, &PlayerBase::positionChange, this, &PlayerWidget::refresh);
    connect(m_player, &PlayerBase::mediaChange, this, &PlayerWidget::refresh);
    connect(m_player, &PlayerBase::controlsChanged, this, &PlayerWidget::refresh);
    m_refreshTimer.setInterval(refreshIntervalMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &PlayerWidget::refresh);
    refresh();
}

std::array<QWidget *, 3> PlayerWidget::transportControls() const
{
    return {m_playButton, m_stopButton, m_seekBar};
}

QToolButton *PlayerWidget::addButton(const char *name, const QString &toolTip)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    layout()->addWidget(button);
    return button;
}

QSlider *PlayerWidget::addSlider(const char *name, const QString &toolTip)
{
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setToolTip(toolTip);
    slider->setAccessibleName(toolTip);
    slider->setFocusPolicy(Qt::StrongFocus);
    layout()->addWidget(slider);
    return slider;
}

void PlayerWidget::togglePlay()
{
    if (m_player->wantsToPlay())
        m_player->pause();
    else
        m_player->play();
}

void PlayerWidget::showElapsed(double seconds)
{
    m_elapsed->setText(timeText(seconds));
}

void PlayerWidget::describePosition(double position, double duration)
{
    // A listener on the bar hears where a seek, a bookmark or another record puts it, not
    // every second of playing.
    const bool jumped =
        std::abs(position - m_describedPosition) >= jumpSeconds || duration != m_describedDuration;
    if (m_seekBar->hasFocus() && !jumped)
        return;
    m_describedPosition = position;
    m_describedDuration = duration;
    m_seekBar->setAccessibleDescription(spoken::position(position, duration));
}

void PlayerWidget::refresh()
{
    const bool playing = m_player->playState() == PlayState::Playing;
    // Only a playing file moves by itself; every other change arrives as an event.
    if (playing && isVisible())
        m_refreshTimer.start();
    else
        m_refreshTimer.stop();
    m_playButton->setIcon(
        transportIcon(playing ? TransportGlyph::Pause : TransportGlyph::Play, palette()));
    m_stopButton->setIcon(transportIcon(TransportGlyph::Stop, palette()));
    m_playButton->setToolTip(playing ? tr("Pause") : tr("Play"));
    m_playButton->setAccessibleName(m_playButton->toolTip());

    const double duration = m_player->currentItemDuration();
    const double position = m_player->currentPosition();
    if (!m_seekBar->isSliderDown()) {
        const QSignalBlocker blocker(m_seekBar);
        m_seekBar->setRange(0, wholeSeconds(duration));
        m_seekBar->setValue(wholeSeconds(position));
        showElapsed(position);
        describePosition(position, duration);
    }
    m_total->setText(timeText(duration));

    const QSignalBlocker muteBlocker(m_muteButton);
    m_muteButton->setChecked(m_player->isMuted());
    m_muteButton->setIcon(transportIcon(
        m_player->isMuted() ? TransportGlyph::Muted : TransportGlyph::Volume, palette()));
    const QSignalBlocker volumeBlocker(m_volumeBar);
    m_volumeBar->setValue(m_player->volume());
    m_volumeBar->setAccessibleDescription(spoken::volume(m_player->volume()));

    const bool usable = m_player->isEnabled();
    const bool withMedia = usable && m_player->hasMedia();
    for (QWidget *control : transportControls())
        control->setEnabled(withMedia);
    m_muteButton->setEnabled(usable);
    m_volumeBar->setEnabled(usable);
}

void PlayerWidget::keyPressEvent(QKeyEvent *event)
{
    // Reaches here from the sliders too, which leave Space alone.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        togglePlay();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PlayerWidget::mousePressEvent(QMouseEvent *event)
{
    // Presses the controls leave alone (the right button on all of them) arrive here too, in
    // this widget's coordinates.
    if (reportMouseDown(*event, event->position().toPoint()))
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

// A disabled control passes no press on to its parent, yet a right press on it still asks for
// the player's help.
bool PlayerWidget::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (event->type() != QEvent::MouseButtonPress || !control || control->isEnabled())
        return QWidget::eventFilter(watched, event);
    const auto *press = static_cast<QMouseEvent *>(event);
    return reportMouseDown(*press, control->mapTo(this, press->position().toPoint()));
}

bool PlayerWidget::reportMouseDown(const QMouseEvent &event, QPoint at)
{
    const int button = buttonNumber(event.button());
    if (button == 0)
        return false;
    m_player->mouseDownOnControls(button, shiftState(event.modifiers()), at.x(), at.y());
    return true;
}

void PlayerWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        refresh();
}

void PlayerWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void PlayerWidget::hideEvent(QHideEvent *event)
{
    m_refreshTimer.stop();
    QWidget::hideEvent(event);
}
