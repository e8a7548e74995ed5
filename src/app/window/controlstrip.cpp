#include "app/window/controlstrip.h"

#include "app/window/stripcolors.h"

#include "controls/controlsaccessible.h"
#include "controls/slider.h"
#include "controls/spinbox.h"
#include "player/playercomponent.h"
#include "shell/manual/helpcontext.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// The strip's pixel grid: a pixel between the three bands, the row kept a pixel inside the
// right edge and starting a pixel in from the left, two pixels between its cells.
constexpr int bandGap = 1;
constexpr int rowInset = 1;
constexpr int cellGap = 2;

constexpr int rightButton = 2;

// Every time the row shows is as wide as this one: digits have one width in any usable font.
constexpr char widestTime[] = "00:00:00";
// The room QLineEdit keeps on each side of its text, inside the frame.
constexpr int lineEditTextMargin = 2;
// Fonts are not made smaller than this, however narrow the cells.
constexpr qreal smallestPointSize = 6;
constexpr int smallestPixelSize = 8;

// The font one step smaller; the same font when it is already the smallest.
QFont smallerFont(QFont font)
{
    if (font.pointSizeF() > smallestPointSize)
        font.setPointSizeF(qMax(font.pointSizeF() - 0.5, smallestPointSize));
    else if (font.pointSizeF() <= 0 && font.pixelSize() > smallestPixelSize)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// The font made smaller in steps until fits(font) holds, or the smallest size.
template <typename Fits> QFont fittedFont(QFont font, Fits fits)
{
    while (!fits(font)) {
        const QFont smaller = smallerFont(font);
        if (smaller == font)
            break;
        font = smaller;
    }
    return font;
}

struct StatusLabelText {
    const char *toolTip;
    Qt::Alignment alignment;
};

constexpr std::array<StatusLabelText, 3> statusLabelTexts{{
    {QT_TRANSLATE_NOOP("ControlStrip", "Current media file"), Qt::AlignLeft | Qt::AlignVCenter},
    {QT_TRANSLATE_NOOP("ControlStrip", "Elapsed time"), Qt::AlignCenter},
    {QT_TRANSLATE_NOOP("ControlStrip", "Remained time"), Qt::AlignCenter},
}};

constexpr std::array<int, 3> statusLabelHelp{shell::help::status0, shell::help::status1,
                                             shell::help::status2};

} // namespace

ControlStrip::ControlStrip(QWidget *playerWidget, const PlayerComponent *player, QWidget *parent)
    : QWidget(parent), m_playerWidget(playerWidget)
{
    installControlsAccessibility();
    createBoxStrip();
    if (m_playerWidget) {
        m_playerWidget->setParent(this);
        // The volume box covers the player's right end: its own controls keep clear of it.
        m_playerWidget->setContentsMargins(0, 0, volumeWidth, 0);
    }
    // Tab follows the order of creation: strip, player, time box, volume box. Moving the volume
    // box's text alone later would leave its frame, which Tab passes on to that text, first.
    createPositionBox();
    createVolumeBox();
    createStatusLabels();
    connectHelpRequests(player);
    resize(sizeHint());
    fitFonts();
}

QLabel *ControlStrip::statusLabel(int index) const
{
    if (index < 0 || index >= int(m_statusLabels.size()))
        return nullptr;
    return m_statusLabels[size_t(index)];
}

void ControlStrip::setMediaCaption(const QString &caption)
{
    m_mediaCaption = caption;
    m_statusLabels[0]->setText(caption);
}

void ControlStrip::showStatusTip(const QString &tip)
{
    m_statusLabels[0]->setText(tip.isEmpty() ? m_mediaCaption : tip);
}

QSize ControlStrip::sizeHint() const
{
    return {defaultWidth, stripHeight};
}

QSize ControlStrip::minimumSizeHint() const
{
    // The three fixed cells of the row with their gaps; the media caption may shrink to nothing.
    return {rowInset + cellGap + 3 * cellWidth + 2 * cellGap + rowInset, stripHeight};
}

void ControlStrip::createBoxStrip()
{
    m_boxStrip = new Slider(this);
    m_boxStrip->setObjectName(QStringLiteral("pbSlider"));
    m_boxStrip->setAccessibleName(tr("Records"));
    m_boxStrip->setGap(1);
    colourBoxStrip();
}

void ControlStrip::colourBoxStrip()
{
    const StripColors colors = stripColors(palette());
    m_boxStrip->setBackColor(colors.ground);
    m_boxStrip->setForeColor(colors.box);
    m_boxStrip->setIndexColor(colors.current);
    m_boxStrip->setProgressColor(colors.current);
}

void ControlStrip::createVolumeBox()
{
    m_volumeBox = new SpinBox(this);
    m_volumeBox->setObjectName(QStringLiteral("tbVolume"));
    m_volumeBox->setMin(0);
    m_volumeBox->setMax(PlayerComponent::maxVolume);
    m_volumeBox->setSmallChange(1);
    m_volumeBox->setValue(100);
    m_volumeBox->setCustomMenu(true);
    m_volumeBox->setSpokenName(tr("Volume"), tr("percent"));
    // It lies over the player's corner.
    m_volumeBox->raise();
}

void ControlStrip::createPositionBox()
{
    m_positionBox = new QLineEdit(this);
    m_positionBox->setObjectName(QStringLiteral("tbPosition"));
    // Blanks are '0': displayText() shows them, text() would drop them.
    m_positionBox->setInputMask(QStringLiteral("99:99:99;0"));
    m_positionBox->setText(QStringLiteral("00:00:00"));
    m_positionBox->setAlignment(Qt::AlignCenter);
    m_positionBox->setTextMargins(0, 0, 0, 0);
    m_positionBox->setToolTip(tr("Time position in current record"));
    m_positionBox->setAccessibleName(tr("Position in record"));
}

void ControlStrip::createStatusLabels()
{
    for (size_t i = 0; i < m_statusLabels.size(); ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("tlStatus%1").arg(i));
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setAlignment(statusLabelTexts[i].alignment);
        label->setToolTip(tr(statusLabelTexts[i].toolTip));
        // The label's text is what is read; this says what it is.
        label->setAccessibleDescription(tr(statusLabelTexts[i].toolTip));
        label->installEventFilter(this);
        m_statusLabels[i] = label;
    }
}

void ControlStrip::connectHelpRequests(const PlayerComponent *player)
{
    const auto onRightButton = [this](int helpContext) {
        return [this, helpContext](int button, int, int, int) {
            if (button == rightButton)
                emit controlHelpRequested(helpContext);
        };
    };
    connect(m_boxStrip, &Slider::mouseDown, this, onRightButton(shell::help::boxStrip));
    connect(m_volumeBox, &SpinBox::mouseDown, this, onRightButton(shell::help::volume));
    if (player)
        connect(player, &PlayerComponent::mouseDown, this, onRightButton(shell::help::player));
}

bool ControlStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        for (size_t i = 0; i < m_statusLabels.size(); ++i) {
            if (watched == m_statusLabels[i]) {
                emit controlHelpRequested(statusLabelHelp[i]);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ControlStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void ControlStrip::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitFonts();
    else if (event->type() == QEvent::PaletteChange)
        colourBoxStrip();
}

void ControlStrip::fitFonts()
{
    const int room = timeTextRoom();
    const QFont rowFont = fittedFont(font(), [room](const QFont &font) {
        return QFontMetrics(font).horizontalAdvance(QString::fromLatin1(widestTime)) <= room;
    });
    m_positionBox->setFont(rowFont);
    for (QLabel *label : m_statusLabels)
        label->setFont(rowFont);
    // The volume box sizes its parts, and so its height, by its font.
    m_volumeBox->setFont(fittedFont(font(), [this](const QFont &font) {
        m_volumeBox->setFont(font);
        return m_volumeBox->sizeHint().width() <= volumeWidth;
    }));
    layoutControls();
}

int ControlStrip::timeTextRoom() const
{
    QStyleOptionFrame option;
    option.initFrom(m_positionBox);
    const int boxFrame =
        m_positionBox->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_positionBox);
    const QMargins margins = m_positionBox->textMargins();
    const int boxRoom =
        cellWidth - 2 * (boxFrame + lineEditTextMargin) - margins.left() - margins.right();
    const QLabel *label = m_statusLabels[1];
    const int labelRoom = cellWidth - 2 * (label->frameWidth() + qMax(label->margin(), 0));
    return qMin(boxRoom, labelRoom);
}

void ControlStrip::layoutControls()
{
    const int width = this->width();
    m_boxStrip->setGeometry(0, 0, width, boxStripHeight);

    const int playerTop = boxStripHeight + bandGap;
    const int playerBottom = playerTop + playerHeight;
    if (m_playerWidget)
        m_playerWidget->setGeometry(0, playerTop, width, playerHeight);
    const int volumeHeight = qMin(m_volumeBox->sizeHint().height(), playerHeight);
    m_volumeBox->setGeometry(width - volumeWidth, playerBottom - volumeHeight, volumeWidth,
                             volumeHeight);

    // The row is placed from the right: remaining, elapsed, position, then the caption.
    const int rowTop = playerBottom + bandGap;
    const int remainingLeft = width - rowInset - cellWidth;
    const int elapsedLeft = remainingLeft - cellGap - cellWidth;
    const int positionLeft = elapsedLeft - cellGap - cellWidth;
    m_statusLabels[2]->setGeometry(remainingLeft, rowTop, cellWidth, cellHeight);
    m_statusLabels[1]->setGeometry(elapsedLeft, rowTop, cellWidth, cellHeight);
    m_positionBox->setGeometry(positionLeft, rowTop, cellWidth, cellHeight);
    const int captionWidth = qMax(positionLeft - cellGap - rowInset, 0);
    m_statusLabels[0]->setGeometry(rowInset, rowTop, captionWidth, cellHeight);
}
