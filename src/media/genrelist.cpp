#include "media/genrelist.h"

#include <array>

namespace media {
namespace {

// Winamp's order, from 80 on its additions to the original list.
// clang-format off
constexpr std::array<const char *, 192> genreNames = {
    /*   0 */ "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop",
    /*   8 */ "Jazz", "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock",
    /*  18 */ "Techno", "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack",
    /*  25 */ "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance",
    /*  32 */ "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    /*  40 */ "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop",
    /*  47 */ "Instrumental Rock", "Ethnic", "Gothic", "Darkwave", "Techno-Industrial",
    /*  52 */ "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult",
    /*  59 */ "Gangsta Rap", "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American",
    /*  65 */ "Cabaret", "New Wave", "Psychedelic", "Rave", "Showtunes", "Trailer", "Lo-Fi",
    /*  72 */ "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll",
    /*  79 */ "Hard Rock", "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob",
    /*  86 */ "Latin", "Revival", "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock",
    /*  92 */ "Progressive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band",
    /*  97 */ "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera",
    /* 104 */ "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove",
    /* 110 */ "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad",
    /* 118 */ "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A Cappella",
    /* 124 */ "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore", "Terror",
    /* 131 */ "Indie", "BritPop", "Afro-Punk", "Polsk Punk", "Beat", "Christian Gangsta Rap",
    /* 137 */ "Heavy Metal", "Black Metal", "Crossover", "Contemporary Christian", "Christian Rock",
    /* 142 */ "Merengue", "Salsa", "Thrash Metal", "Anime", "JPop", "Synthpop", "Abstract",
    /* 149 */ "Art Rock", "Baroque", "Bhangra", "Big Beat", "Breakbeat", "Chillout", "Downtempo",
    /* 156 */ "Dub", "EBM", "Eclectic", "Electro", "Electroclash", "Emo", "Experimental", "Garage",
    /* 164 */ "Global", "IDM", "Illbient", "Industro-Goth", "Jam Band", "Krautrock", "Leftfield",
    /* 171 */ "Lounge", "Math Rock", "New Romantic", "Nu-Breakz", "Post-Punk", "Post-Rock",
    /* 177 */ "Psytrance", "Shoegaze", "Space Rock", "Trop Rock", "World Music", "Neoclassical",
    /* 183 */ "Audiobook", "Audio theatre", "Neue Deutsche Welle", "Podcast", "Indie Rock",
    /* 188 */ "G-Funk", "Dubstep", "Garage Rock", "Psybient"
};
// clang-format on

} // namespace

QStringList genreList()
{
    QStringList names;
    names.reserve(qsizetype(genreNames.size()));
    for (const char *name : genreNames)
        names.append(QString::fromLatin1(name));
    return names;
}

QByteArrayView genreName(int index)
{
    if (index < 0 || index >= int(genreNames.size()))
        return {};
    return genreNames[std::size_t(index)];
}

} // namespace media
