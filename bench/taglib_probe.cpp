// TagLib's side of the whole-process comparison with sonnalby-probe: prints, for each file
// named, one line with the same tag fields and the duration, read by TagLib (fast audio
// properties), the way a small tool built on TagLib would. MP3 and raw AAC (ADTS) files are opened
// as MPEG files, as TagLib 2 does with both; any other goes by its extension through FileRef.
// TagLib 1.13 tells no length of an ADTS file and cannot read Matroska.
//
//   taglib_probe FILE...

#include <taglib/fileref.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace {

void addText(std::string &line, const char *key, const TagLib::String &text)
{
    line += ",\"";
    line += key;
    line += "\":\"";
    line += text.to8Bit(true);
    line += '"';
}

void addNumber(std::string &line, const char *key, long value)
{
    line += ",\"";
    line += key;
    line += "\":";
    line += std::to_string(value);
}

bool isMpegStream(const std::string &path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = path.substr(dot + 1);
    for (char &c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == "mp3" || extension == "aac";
}

std::string recordLine(const char *path, const TagLib::Tag *tag,
                       const TagLib::AudioProperties *audio)
{
    std::string line = "{\"path\":\"";
    line += path;
    line += '"';
    if (tag) {
        addText(line, "title", tag->title());
        addText(line, "artist", tag->artist());
        addText(line, "album", tag->album());
        addText(line, "comment", tag->comment());
        addText(line, "genre", tag->genre());
        addNumber(line, "year", long(tag->year()));
        addNumber(line, "track", long(tag->track()));
    }
    addNumber(line, "duration", audio ? audio->lengthInSeconds() : 0);
    return line + "}\n";
}

std::string unreadableLine(const char *path)
{
    return std::string("{\"path\":\"") + path + "\",\"error\":\"unreadable\"}\n";
}

std::string fileLine(const char *path)
{
    if (isMpegStream(path)) {
        TagLib::MPEG::File file(path, true, TagLib::AudioProperties::Fast);
        if (!file.isValid())
            return unreadableLine(path);
        return recordLine(path, file.tag(), file.audioProperties());
    }
    const TagLib::FileRef file(path, true, TagLib::AudioProperties::Fast);
    if (file.isNull())
        return unreadableLine(path);
    return recordLine(path, file.tag(), file.audioProperties());
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string line = fileLine(argv[i]);
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return 0;
}
