#include "app/menus/propertiesdialog.h"

#include "media/mediainfo.h"
#include "platform/paths.h"
#include "player/timeformat.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>

namespace {

QString sizeText(qint64 bytes)
{
    const QLocale locale;
    return locale.formattedDataSize(bytes) + QStringLiteral(" (") + locale.toString(bytes) +
           QStringLiteral(" bytes)");
}

void appendTagFields(QList<FileProperty> &properties, const media::TagRecord &tag, int codePage)
{
    const QList<FileProperty> fields{
        {QObject::tr("Title"), tag.title.toString(codePage)},
        {QObject::tr("Artist"), tag.artist.toString(codePage)},
        {QObject::tr("Album"), tag.album.toString(codePage)},
        {QObject::tr("Year"), tag.year > 0 ? QString::number(tag.year) : QString()},
        {QObject::tr("Track"), tag.track > 0 ? QString::number(tag.track) : QString()},
        {QObject::tr("Genre"), tag.genre.toString(codePage)},
        {QObject::tr("Comment"), tag.comment.toString(codePage)},
    };
    for (const FileProperty &field : fields) {
        if (!field.value.isEmpty())
            properties.append(field);
    }
}

} // namespace

QList<FileProperty> filePropertiesOf(const QString &internalPath, int codePage)
{
    const QString nativePath = platform::toNativePath(internalPath);
    QList<FileProperty> properties{{QObject::tr("File"), nativePath}};
    const QFileInfo file(nativePath);
    if (!file.isFile())
        return properties;
    properties.append({QObject::tr("Size"), sizeText(file.size())});
    properties.append(
        {QObject::tr("Modified"), QLocale().toString(file.lastModified(), QLocale::LongFormat)});
    const media::MediaInfo info = media::readMediaInfo(internalPath);
    appendTagFields(properties, info.tag, codePage);
    if (info.duration > 0)
        properties.append(
            {QObject::tr("Duration"), formatSeconds(FixedPoint::fromInt(info.duration))});
    return properties;
}

PropertiesDialog::PropertiesDialog(const QString &internalPath, int codePage, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fwProperties"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString name = internalPath.sliced(internalPath.lastIndexOf(u'\\') + 1);
    setWindowTitle(tr("%1 Properties").arg(name));
    // Room for a path and a title on one line; longer ones wrap.
    setMinimumWidth(420);
    auto *form = new QFormLayout(this);
    for (const FileProperty &property : filePropertiesOf(internalPath, codePage)) {
        auto *value = new QLabel(property.value, this);
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setWordWrap(true);
        form->addRow(property.label + u':', value);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}
