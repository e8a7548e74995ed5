// TagLib's side of the whole-process comparison with sonnalby-probe: prints, for each MP3 file
// named, one line with the same tag fields and the duration, read by TagLib (fast audio
// properties), the way a small tool built on TagLib would.
//
//   taglib_probe FILE...

#include <taglib/mpegfile.h>
#include <taglib/tag.h>

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

std::string fileLine(const char *path)
{
    TagLib::MPEG::File file(path, true, TagLib::AudioProperties::Fast);
    std::string line = "{\"path\":\"";
    line += path;
    line += '"';
    if (!file.isValid())
        return line + ",\"error\":\"unreadable\"}\n";
    if (const TagLib::Tag *tag = file.tag()) {
        addText(line, "title", tag->title());
        addText(line, "artist", tag->artist());
        addText(line, "album", tag->album());
        addText(line, "comment", tag->comment());
        addText(line, "genre", tag->genre());
        addNumber(line, "year", long(tag->year()));
        addNumber(line, "track", long(tag->track()));
    }
    const TagLib::AudioProperties *audio = file.audioProperties();
    addNumber(line, "duration", audio ? audio->lengthInSeconds() : 0);
    return line + "}\n";
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
