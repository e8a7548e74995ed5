#include "text/codepagechooser.h"

#include "platform/codepage.h"
#include "text/codepagecatalogue.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace text {
namespace {

constexpr int optionColumns = 2;

bool isArrowKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

QFont withWeight(QFont font, bool bold)
{
    font.setBold(bold);
    return font;
}

} // namespace

CodePageChooser::CodePageChooser(QByteArrayView title, QWidget *parent)
    : QDialog(parent), m_title(title.toByteArray())
{
    setObjectName(QStringLiteral("fwCodePage"));
    setWindowTitle(QStringLiteral("Revise Album Name"));
    setModal(true);

    m_preview = new QLineEdit(this);
    m_preview->setObjectName(QStringLiteral("tbCP"));
    m_preview->setReadOnly(true);

    auto *frame = new QGroupBox(QStringLiteral(" Choose appropriate encoding: "), this);
    frame->setObjectName(QStringLiteral("fbCP"));
    buildOptions(frame);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("bbOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    layOut(frame, ok);

    connect(m_options, &QButtonGroup::idToggled, this, [this](int codePage, bool checked) {
        if (checked)
            showSelection(codePage);
    });
    showSelection(0);
    if (QAbstractButton *preselected = m_options->button(preselectedCodePage()))
        preselected->setChecked(true);
    // The keyboard starts on the options, so that the arrows choose at once.
    QAbstractButton *focused = m_options->checkedButton();
    (focused ? focused : m_options->buttons().constFirst())->setFocus();
}

// Two columns, row-major, the first code page top left; both columns as wide as the widest
// caption in bold, so that selecting never moves an option.
void CodePageChooser::buildOptions(QWidget *frame)
{
    m_options = new QButtonGroup(this);
    auto *grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    int width = 0;
    int index = 0;
    for (const int codePage : offeredCodePages()) {
        auto *option = new QRadioButton(codePageName(codePage), frame);
        option->setObjectName(QStringLiteral("obCP%1").arg(index));
        option->setFont(withWeight(option->font(), true));
        width = std::max(width, option->sizeHint().width());
        option->setFont(withWeight(option->font(), false));
        option->installEventFilter(this);
        m_options->addButton(option, codePage);
        grid->addWidget(option, index / optionColumns, index % optionColumns);
        ++index;
    }
    for (int column = 0; column < optionColumns; ++column)
        grid->setColumnMinimumWidth(column, width);
}

// Qt's arrows select the next option only when the one they leave is selected. Selecting that
// one first makes them choose also when nothing was preselected, as the focus suggests.
bool CodePageChooser::eventFilter(QObject *watched, QEvent *event)
{
    if (isArrowKey(event) && m_options->checkedButton() == nullptr) {
        if (auto *option = qobject_cast<QAbstractButton *>(watched))
            option->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

// The preview on top as wide as the frame below it, OK under the frame's right edge.
void CodePageChooser::layOut(QWidget *frame, QWidget *ok)
{
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(4);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_preview);
    layout->addWidget(frame);
    layout->addLayout(buttonRow);
}

int CodePageChooser::codePage() const
{
    const int checked = m_options->checkedId();
    return checked > 0 ? checked : offeredCodePages().front();
}

// Qt fonts have no character set: the preview shows the bytes decoded in the selected code page
// instead, and in the ANSI code page while none is selected.
void CodePageChooser::showSelection(int codePage)
{
    m_preview->setText(platform::decodeCodePage(m_title, codePage));
    m_preview->setCursorPosition(0);
    for (QAbstractButton *option : m_options->buttons())
        option->setFont(withWeight(option->font(), m_options->id(option) == codePage));
}

int CodePageChooser::ask(QWidget *parent, QByteArrayView title)
{
    CodePageChooser chooser(title, parent);
    chooser.exec();
    return chooser.codePage();
}

int QtTitleEncodingChooser::choose(QByteArrayView title)
{
    return CodePageChooser::ask(m_owner, title);
}

TitleEncoding chooseTitleEncoding(QWidget *owner, QByteArrayView title)
{
    QtTitleEncodingChooser chooser(owner);
    return chooseTitleEncoding(chooser, title);
}

} // namespace text
