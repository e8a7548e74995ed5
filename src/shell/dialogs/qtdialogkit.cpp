#include "shell/dialogs/qtdialogkit.h"

#include "platform/paths.h"
#include "shell/manual/helptopic.h"
#include "shell/manual/helpwindow.h"
#include "shell/dialogs/openfilter.h"
#include "shell/manual/richtext.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QWhatsThis>
#include <QWhatsThisClickedEvent>

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

namespace {

// The standard buttons of each button set, in the order that DefaultButton counts them.
struct ButtonSet {
    MessageButtons buttons;
    std::array<QMessageBox::StandardButton, 3> order;
};

constexpr std::array<ButtonSet, 6> buttonSets{{
    {MessageButtons::Ok, {QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton}},
    {MessageButtons::OkCancel, {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::NoButton}},
    {MessageButtons::AbortRetryIgnore,
     {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}},
    {MessageButtons::YesNoCancel, {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}},
    {MessageButtons::YesNo, {QMessageBox::Yes, QMessageBox::No, QMessageBox::NoButton}},
    {MessageButtons::RetryCancel, {QMessageBox::Retry, QMessageBox::Cancel, QMessageBox::NoButton}},
}};

constexpr std::array<std::pair<QMessageBox::StandardButton, MessageResult>, 7> buttonResults{{
    {QMessageBox::Ok, MessageResult::Ok},
    {QMessageBox::Cancel, MessageResult::Cancel},
    {QMessageBox::Abort, MessageResult::Abort},
    {QMessageBox::Retry, MessageResult::Retry},
    {QMessageBox::Ignore, MessageResult::Ignore},
    {QMessageBox::Yes, MessageResult::Yes},
    {QMessageBox::No, MessageResult::No},
}};

constexpr std::array<std::pair<MessageIcon, QMessageBox::Icon>, 5> icons{{
    {MessageIcon::None, QMessageBox::NoIcon},
    {MessageIcon::Critical, QMessageBox::Critical},
    {MessageIcon::Question, QMessageBox::Question},
    {MessageIcon::Warning, QMessageBox::Warning},
    {MessageIcon::Information, QMessageBox::Information},
}};

const std::array<QMessageBox::StandardButton, 3> &buttonOrder(MessageButtons buttons)
{
    for (const ButtonSet &set : buttonSets) {
        if (set.buttons == buttons)
            return set.order;
    }
    return buttonSets[0].order;
}

MessageResult resultOf(QMessageBox::StandardButton button, MessageButtons buttons)
{
    for (const auto &[standard, result] : buttonResults) {
        if (standard == button)
            return result;
    }
    return dismissedResult(buttons);
}

// The box's icon; the program's own icon is the window icon its owner window shows.
void setBoxIcon(QMessageBox &box, MessageIcon icon)
{
    if (icon == MessageIcon::Application) {
        const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        box.setIconPixmap(box.windowIcon().pixmap(size));
        return;
    }
    for (const auto &[ours, qt] : icons) {
        if (ours == icon)
            box.setIcon(qt);
    }
}

QString withLineFeeds(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Sets the dialog to choice index: files, or folders for the folder choice. Qt's folder mode
// replaces the list of choices with its own, so the list is given again.
void applyChoice(QFileDialog &dialog, const QList<FilterChoice> &choices,
                 const QStringList &nameFilters, qsizetype index)
{
    if (index < 0 || index >= choices.size())
        return;
    const bool folder = choices[index].chooseFolder;
    if (folder == (dialog.fileMode() == QFileDialog::Directory))
        return;
    dialog.setFileMode(folder ? QFileDialog::Directory : QFileDialog::ExistingFile);
    if (folder) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters[index]);
    }
}

// Hides the files that are not programs while the program choice is on; folders always show.
class ProgramFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setProgramsOnly(bool on)
    {
        m_programsOnly = on;
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (!m_programsOnly || !files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || files->fileInfo(index).isExecutable();
    }

private:
    bool m_programsOnly = false;
};

bool anyProgramChoice(const QList<FilterChoice> &choices)
{
    return std::any_of(choices.begin(), choices.end(),
                       [](const FilterChoice &choice) { return choice.chooseProgram; });
}

// The shown labels: the dialog hides the patterns of each choice.
QStringList shownLabels(const QList<FilterChoice> &choices)
{
    QStringList labels;
    for (const FilterChoice &choice : choices)
        labels.append(choice.label.simplified());
    return labels;
}

// A link clicked in a What's This pop-up reaches the pop-up's widget: "#h<number>" opens the
// help window at that topic, any other address the user's browser.
class WhatsThisLinks : public QObject {
public:
    WhatsThisLinks(QWidget *widget, std::function<void(int)> showTopic)
        : QObject(widget), m_showTopic(std::move(showTopic))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::WhatsThisClicked)
            return QObject::eventFilter(watched, event);
        const QUrl link(static_cast<QWhatsThisClickedEvent *>(event)->href());
        const QString fragment = link.fragment();
        bool isTopic = false;
        const int number = fragment.startsWith(u'h') ? fragment.mid(1).toInt(&isTopic) : 0;
        if (link.isRelative() && link.path().isEmpty() && isTopic)
            m_showTopic(number);
        else
            QDesktopServices::openUrl(link);
        return true;
    }

private:
    std::function<void(int)> m_showTopic;
};

} // namespace

QtDialogKit::QtDialogKit(QWidget *parent) : m_parent(parent) {}

QString QtDialogKit::inputBox(const QString &prompt, const QString &caption,
                              const QString &defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(withLineFeeds(prompt));
    dialog.setTextValue(defaultText);
    // Qt's own width elides the caption and hides most of a default such as "x.mp3 - 00:01:15".
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 48);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

int QtDialogKit::showOpen()
{
    const QList<FilterChoice> choices = parseFilter(filter());
    const QStringList nameFilters = qtNameFilters(choices);
    const QStringList labels = shownLabels(choices);

    QFileDialog dialog(m_parent, dialogTitle());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters);
    if (!initialFolder().isEmpty())
        dialog.setDirectory(platform::toNativePath(initialFolder()));
    if (!fileName().isEmpty())
        dialog.selectFile(platform::toNativePath(fileName()));
    ProgramFilter *programs = nullptr;
    if (anyProgramChoice(choices)) {
        programs = new ProgramFilter(&dialog);
        dialog.setProxyModel(programs);
    }
    const auto choose = [&dialog, &choices, &nameFilters, programs](qsizetype index) {
        applyChoice(dialog, choices, nameFilters, index);
        if (programs && index >= 0 && index < choices.size())
            programs->setProgramsOnly(choices[index].chooseProgram);
    };
    if (!choices.isEmpty()) {
        const bool inRange = filterIndex() >= 1 && filterIndex() <= choices.size();
        const qsizetype preselected = inRange ? filterIndex() - 1 : 0;
        dialog.selectNameFilter(nameFilters[preselected]);
        choose(preselected);
    }
    // Queued: the switch rebuilds the list of choices that is reporting the selection.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &label) {
        QTimer::singleShot(0, &dialog,
                           [&choose, &labels, label] { choose(labels.indexOf(label)); });
    });

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return 0;
    const qsizetype chosen = labels.indexOf(dialog.selectedNameFilter());
    setOpenResult(platform::internalPathFromQt(dialog.selectedFiles().constFirst()),
                  chosen >= 0 ? int(chosen + 1) : filterIndex());
    return 1;
}

void QtDialogKit::showHelpContents()
{
    showHelpTopic(0);
}

void QtDialogKit::showHelpTopic(int helpContext)
{
    if (!m_helpWindow)
        m_helpWindow = new shell::HelpWindow(m_parent);
    m_helpWindow->showManual(helpFile(), helpContext);
}

void QtDialogKit::showWhatsThis(int helpContext)
{
    const QString topic = readHelpTopic(helpFile(), helpContext);
    if (topic.isEmpty())
        return;
    if (!m_linkWatcher && m_parent)
        m_linkWatcher = new WhatsThisLinks(m_parent, [this](int number) { showHelpTopic(number); });
    QWhatsThis::showText(QCursor::pos(), topic, m_parent);
}

int QtDialogKit::showButtonMessageBox(const QString &richText, const QString &caption,
                                      MessageIcon icon)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(caption);
    setBoxIcon(box, icon);
    box.setTextFormat(Qt::RichText);
    box.setText(isRtf(richText) ? rtfToHtml(richText) : richText);
    QList<QAbstractButton *> added;
    for (const QString &buttonCaption : buttons())
        added.append(box.addButton(buttonCaption, QMessageBox::ActionRole));
    if (!added.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(added.constFirst()));
    box.exec();
    return int(added.indexOf(box.clickedButton()) + 1);
}

MessageResult QtDialogKit::showMessageBox(const QString &text, MessageButtons buttons,
                                          MessageIcon icon, DefaultButton defaultButton,
                                          const QString &caption, int helpContext)
{
    const auto &order = buttonOrder(buttons);
    QMessageBox box(m_parent);
    box.setWindowTitle(caption);
    setBoxIcon(box, icon);
    box.setTextFormat(Qt::PlainText);
    box.setText(withLineFeeds(text));
    QMessageBox::StandardButtons standardButtons;
    for (QMessageBox::StandardButton button : order)
        standardButtons |= button;
    box.setStandardButtons(standardButtons);
    const QMessageBox::StandardButton preferred = order[static_cast<size_t>(defaultButton)];
    box.setDefaultButton(preferred != QMessageBox::NoButton ? preferred : order[0]);
    QAbstractButton *help = helpContext > 0 ? box.addButton(QMessageBox::Help) : nullptr;
    // Help shows its topic and the question stays open, as the box's Help button promises.
    while (true) {
        box.exec();
        if (help == nullptr || box.clickedButton() != help)
            break;
        QTimer::singleShot(0, &box, [this, helpContext] { showWhatsThis(helpContext); });
    }
    return resultOf(box.standardButton(box.clickedButton()), buttons);
}
