#include "text/codepagecatalogue.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace text {
namespace {

struct CodePageEntry {
    int codePage;
    const char *name;
};

// Sorted by number. Windows documents 50227 as the simplified and 50229 as the traditional
// Chinese form of ISO 2022.
constexpr CodePageEntry codePageNames[] = {
    {37, "EBCDIC US Canada"},
    {437, "OEM United States"},
    {500, "EBCDIC International"},
    {708, "Arabic ASMO"},
    {720, "Arabic Transparent ASMO"},
    {737, "OEM Greek 437G"},
    {775, "OEM Baltic"},
    {850, "OEM Multilingual LatinI"},
    {852, "OEM Multilingual LatinII"},
    {855, "OEM Cyrillic"},
    {857, "OEM Turkish"},
    {860, "OEM Portuguese"},
    {861, "OEM Icelandic"},
    {862, "OEM Hebrew"},
    {863, "OEM Canadian French"},
    {864, "OEM Arabic"},
    {865, "OEM Nordic"},
    {866, "OEM Cyrillic II"},
    {869, "OEM Modern Greek"},
    {870, "EBCDIC Multilingual ROECE Latin2"},
    {874, "Thai"},
    {875, "EBCDIC Greek Modern"},
    {932, "Japanese Shift JIS"},
    {936, "Simplified Chinese GBK"},
    {949, "Korean"},
    {950, "Traditional Chinese Big5"},
    {1026, "EBCDIC Turkish Latin5"},
    {1200, "Unicode Little Endian"},
    {1201, "Unicode Big Endian"},
    {1250, "Eastern European"},
    {1251, "Cyrillic"},
    {1252, "Western"},
    {1253, "Greek"},
    {1254, "Turkish"},
    {1255, "Hebrew"},
    {1256, "Arabic"},
    {1257, "Baltic"},
    {1258, "Vietnamese"},
    {1361, "Korean Johab"},
    {10000, "MacRoman"},
    {10001, "Mac Japanese"},
    {10002, "Mac Traditional Chinese Big5"},
    {10003, "Mac Korean"},
    {10004, "Mac Arabic"},
    {10005, "Mac Hebrew"},
    {10006, "Mac Greek1"},
    {10007, "Mac Cyrillic"},
    {10008, "Mac Simplified Chinese GB2312"},
    {10010, "Mac Romania"},
    {10017, "Mac Ukraine"},
    {10029, "Mac Latin2"},
    {10079, "Mac Icelandic"},
    {10081, "Mac Turkish"},
    {10082, "Mac Croatia"},
    {20000, "Taiwan CNS"},
    {20001, "Taiwan TCA"},
    {20002, "Taiwan Eten"},
    {20003, "Taiwan IBM5550"},
    {20004, "Taiwan TeleText"},
    {20005, "Taiwan Wang"},
    {20105, "IA5 IRV"},
    {20106, "IA5 German"},
    {20107, "IA5 Swedish"},
    {20108, "IA5 Norwegian"},
    {20127, "USA SCII"},
    {20261, "T61"},
    {20269, "ISO6937 Non Spacing Accent"},
    {20273, "EBCDIC Germany"},
    {20277, "EBCDIC Denmark Norway"},
    {20278, "EBCDIC Finland Sweden"},
    {20280, "EBCDIC Italy"},
    {20284, "EBCDIC Latin America Spain"},
    {20285, "EBCDIC United Kingdom"},
    {20290, "EBCDIC Japanese Katakana Extended"},
    {20297, "EBCDIC France"},
    {20420, "EBCDIC Arabic"},
    {20423, "EBCDIC Greek"},
    {20424, "EBCDIC Hebrew"},
    {20833, "EBCDIC Korean Extended"},
    {20838, "EBCDIC Thai"},
    {20866, "KOI8R"},
    {20871, "EBCDIC Icelandic"},
    {20880, "EBCDIC Russian"},
    {20905, "EBCDIC Turkish"},
    {21025, "EBCDIC Serbian Bulgarian"},
    {21027, "Ext Alpha Lowercase"},
    {21866, "KOI8U"},
    {28591, "ISO88591 Latin1"},
    {28592, "ISO88592 CentralEurope"},
    {28593, "ISO88593 Latin3"},
    {28594, "ISO88594 Baltic"},
    {28595, "ISO88595 Cyrillic"},
    {28596, "ISO88596 Arabic"},
    {28597, "ISO88597 Greek"},
    {28598, "ISO88598 Hebrew"},
    {28599, "ISO88599 Turkish"},
    {28605, "ISO885915 Latin9"},
    {29001, "Europa3"},
    {50001, "Auto Detect"},
    {50220, "ISO2022 JPNo Halfwidth Katakana"},
    {50221, "ISO2022 JPJISX 02021984"},
    {50222, "ISO2022 JPJISX 02011989"},
    {50225, "ISO2022 KR"},
    {50227, "ISO2022 CN Simplified Chinese"},
    {50229, "ISO2022 CN Traditional Chinese"},
    {50930, "EBCDIC Japanese Katakana Extended And Japanese"},
    {50931, "EBCDIC US Canada And Japanese"},
    {50932, "Japanese Auto Detect"},
    {50933, "EBCDIC Korean Extended And Korean"},
    {50935, "EBCDIC Simplified Chinese Extended And Simplified Chinese"},
    {50936, "Simplified Chinese Auto Detect"},
    {50937, "EBCDIC US Canada And Traditional Chinese"},
    {50939, "EBCDIC Japanese Latin Extended And Japanese"},
    {50949, "Korean Auto Detect"},
    {50950, "Traditional Chinese Auto Detect"},
    {51251, "Cyrillic Auto Detect"},
    {51253, "Greek Auto Detect"},
    {51256, "Arabic Auto Detect"},
    {51932, "EUC Japanese"},
    {51936, "EUC Chinese Simplified Chinese"},
    {51949, "EUC Korean"},
    {51950, "EUC Taiwanese Traditional Chinese"},
    {52936, "HZGB Simplified Chinese"},
    {65000, "UTF7"},
    {65001, "UTF8"},
};

struct CharsetEntry {
    int codePage;
    quint8 charset;
};

// The GDI character set constants (THAI_CHARSET, SHIFTJIS_CHARSET, ...).
constexpr CharsetEntry codePageCharsets[] = {
    {874, 222},  {932, 128},  {936, 134},  {949, 129},  {950, 136},
    {1250, 238}, {1251, 204}, {1252, 0},   {1253, 161}, {1254, 162},
    {1255, 177}, {1256, 178}, {1257, 186}, {1258, 163}, {1361, 130},
};

constexpr std::array<int, 14> offered = {874,  932,  936,  949,  950,  1250, 1251,
                                         1252, 1253, 1254, 1255, 1256, 1257, 1258};

template <typename Entry, std::size_t count> constexpr bool isSorted(const Entry (&entries)[count])
{
    return std::is_sorted(std::begin(entries), std::end(entries),
                          [](const Entry &a, const Entry &b) { return a.codePage < b.codePage; });
}
static_assert(isSorted(codePageNames) && isSorted(codePageCharsets));

template <typename Entry, std::size_t count>
const Entry *findEntry(const Entry (&entries)[count], int codePage)
{
    const Entry *found =
        std::lower_bound(std::begin(entries), std::end(entries), codePage,
                         [](const Entry &entry, int wanted) { return entry.codePage < wanted; });
    return found != std::end(entries) && found->codePage == codePage ? found : nullptr;
}

} // namespace

QString codePageName(int codePage)
{
    const CodePageEntry *entry = findEntry(codePageNames, codePage);
    return entry != nullptr ? QString::fromLatin1(entry->name) : QString();
}

quint8 codePageCharset(int codePage)
{
    const CharsetEntry *entry = findEntry(codePageCharsets, codePage);
    return entry != nullptr ? entry->charset : 0;
}

std::span<const int> offeredCodePages()
{
    return offered;
}

} // namespace text
