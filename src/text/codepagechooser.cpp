#include "text/codepagechooser.h"

#include "platform/codepage.h"
#include "text/codepagecatalogue.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace text {
namespace {

constexpr int optionColumns = 2;

QFont withWeight(QFont font, bool bold)
{
    font.setBold(bold);
    return font;
}

QString optionCaption(int codePage)
{
    return codePage == utf8CodePage ? utf8Caption.toString() : codePageName(codePage);
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
    m_preview->setAccessibleName(QStringLiteral("Album name in the chosen encoding"));

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
    // Enter, Escape and the close box all take the preselected page, a sound default.
    QAbstractButton *preselected = m_options->button(preselectedCodePage(m_title));
    preselected->setChecked(true);
    // The keyboard starts on the options, so that the arrows choose at once.
    preselected->setFocus();
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
    for (const int codePage : chooserCodePages()) {
        auto *option = new QRadioButton(optionCaption(codePage), frame);
        option->setObjectName(QStringLiteral("obCP%1").arg(index));
        option->setFont(withWeight(option->font(), true));
        width = std::max(width, option->sizeHint().width());
        option->setFont(withWeight(option->font(), false));
        m_options->addButton(option, codePage);
        grid->addWidget(option, index / optionColumns, index % optionColumns);
        ++index;
    }
    for (int column = 0; column < optionColumns; ++column)
        grid->setColumnMinimumWidth(column, width);
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
    return m_options->checkedId();
}

// Qt fonts have no character set: the preview shows the bytes decoded in the selected code page
// instead.
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
