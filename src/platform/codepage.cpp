#include "platform/codepage.h"

#include <QStringDecoder>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

namespace platform {
namespace {

int ansiOverride = 0;
int titleOverride = 0;

// ICU knows most Windows pages as "windows-NNN"; these are the ones it knows by another name.
// The IBM tables named here are the ones Windows itself uses for those pages.
struct ConverterName {
    int codePage;
    const char *name;
};
constexpr ConverterName converterNames[] = {
    {37, "ibm-37"},
    {500, "ibm-500"},
    {708, "ASMO-708"},
    {860, "ibm-860"},
    {863, "ibm-863"},
    {864, "ibm-864"},
    {865, "ibm-865"},
    {870, "ibm-870"},
    {875, "ibm-875"},
    {1026, "ibm-1026"},
    {10017, "x-MacUkraine"},
    {20273, "ibm-273"},
    {20277, "ibm-277"},
    {20278, "ibm-278"},
    {20280, "ibm-280"},
    {20284, "ibm-284"},
    {20285, "ibm-285"},
    {20290, "ibm-290"},
    {20297, "ibm-297"},
    {20420, "ibm-420"},
    {20424, "ibm-424"},
    {20838, "ibm-838"},
    {20871, "ibm-871"},
    {21025, "ibm-1025"},
    {28591, "ISO-8859-1"},
    {50220, "x-windows-50220"},
    {50221, "x-windows-50221"},
    {50222, "JIS7"},
    {50225, "ISO-2022-KR"},
    {50227, "ISO-2022-CN"},
    {50229, "ISO-2022-CN"},
    {50930, "ibm-930"},
    {50933, "ibm-933"},
    {50935, "ibm-935"},
    {50937, "ibm-937"},
    {50939, "ibm-939"},
    {51932, "EUC-JP"},
    // EUC-CN is the double-byte half of GBK; the Windows table keeps its middle dot and dash.
    {51936, "windows-936"},
    {51950, "EUC-TW"},
    {52936, "HZ"},
};

std::string converterName(int codePage)
{
    const auto *end = std::end(converterNames);
    const auto *found = std::lower_bound(
        std::begin(converterNames), end, codePage,
        [](const ConverterName &entry, int wanted) { return entry.codePage < wanted; });
    if (found != end && found->codePage == codePage)
        return found->name;
    return "windows-" + std::to_string(codePage);
}

void U_CALLCONV writeReplacementCharacter(const void *, UConverterToUnicodeArgs *args, const char *,
                                          int32_t, UConverterCallbackReason reason,
                                          UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    static const UChar replacement = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, error);
}

// Written through the converter, so that "?" comes out in the page's own form (EBCDIC, UTF-16).
void U_CALLCONV writeQuestionMark(const void *, UConverterFromUnicodeArgs *args, const UChar *,
                                  int32_t, UChar32, UConverterCallbackReason reason,
                                  UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    static const UChar questionMark = u'?';
    const UChar *source = &questionMark;
    *error = U_ZERO_ERROR;
    ucnv_cbFromUWriteUChars(args, &source, source + 1, 0, error);
}

struct ConverterCloser {
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};
using ConverterPointer = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPointer openConverter(int codePage)
{
    if (codePage <= 0)
        return nullptr;
    UErrorCode error = U_ZERO_ERROR;
    ConverterPointer converter(ucnv_open(converterName(codePage).c_str(), &error));
    if (U_FAILURE(error))
        return nullptr;
    ucnv_setToUCallBack(converter.get(), writeReplacementCharacter, nullptr, nullptr, nullptr,
                        &error);
    ucnv_setFromUCallBack(converter.get(), writeQuestionMark, nullptr, nullptr, nullptr, &error);
    if (U_FAILURE(error))
        return nullptr;
    return converter;
}

// One converter per code page and thread, kept for the thread's life; unknown pages are kept
// as null so that ICU is asked only once.
UConverter *converterFor(int codePage)
{
    thread_local std::unordered_map<int, ConverterPointer> converters;
    if (codePage == 0)
        codePage = ansiCodePage();
    auto found = converters.find(codePage);
    if (found == converters.end())
        found = converters.emplace(codePage, openConverter(codePage)).first;
    return found->second.get();
}

// ICU takes int32 lengths: input is handed over in pieces far below that, the converter keeps
// a sequence cut at a piece's end for the next piece.
constexpr qsizetype pieceSize = qsizetype(1) << 20;
constexpr std::size_t bufferSize = std::size_t(1) << 14;

template <typename Unit> const Unit *pieceEnd(const Unit *from, const Unit *end)
{
    return end - from > pieceSize ? from + pieceSize : end;
}

// Spelled-out names of the C library that carry no number of their own. ASCII is the C
// locale's charset, which counts as UTF-8.
struct CharsetCodePage {
    const char *name;
    int codePage;
};
constexpr CharsetCodePage charsetCodePages[] = {
    {"UTF8", 65001},     {"ANSIX341968", 65001}, {"ASCII", 65001},   {"USASCII", 65001},
    {"KOI8R", 20866},    {"KOI8U", 21866},       {"SHIFTJIS", 932},  {"SJIS", 932},
    {"EUCJP", 51932},    {"GB2312", 936},        {"EUCCN", 936},     {"GBK", 936},
    {"GB18030", 54936},  {"BIG5", 950},          {"BIG5HKSCS", 950}, {"EUCKR", 949},
    {"EUCTW", 51950},    {"TIS620", 874},        {"ISO885911", 874}, {"ISO885913", 28603},
    {"ISO885915", 28605}};

// Upper case without the separators that spellings of one name differ by.
QByteArray normalizedCharset(QByteArrayView name)
{
    QByteArray normalized;
    for (char c : name) {
        if (c != '-' && c != '_' && c != '.' && c != ' ')
            normalized += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    return normalized;
}

// The number after a prefix ("CP1251", "WINDOWS-1251", "ISO-8859-5"), 0 when none follows.
int numberAfter(const QByteArray &name, QByteArrayView prefix)
{
    if (!name.startsWith(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 5)
        return 0;
    bool ok = false;
    const int number = name.mid(prefix.size()).toInt(&ok);
    return ok ? number : 0;
}

int codePageOfNormalizedCharset(const QByteArray &name)
{
    for (const CharsetCodePage &entry : charsetCodePages) {
        if (name == entry.name)
            return entry.codePage;
    }
    if (const int part = numberAfter(name, "ISO8859"); part >= 1 && part <= 9)
        return 28590 + part;
    if (const int number = numberAfter(name, "CP"))
        return number;
    return numberAfter(name, "WINDOWS");
}

// Windows' ANSI code page by the language of the system; languages not listed use 1252.
struct LanguageCodePage {
    QByteArrayView language;
    int codePage;
};
constexpr LanguageCodePage languageCodePages[] = {
    {"ar", 1256}, {"az", 1254}, {"be", 1251}, {"bg", 1251}, {"bs", 1250}, {"cs", 1250},
    {"el", 1253}, {"et", 1257}, {"fa", 1256}, {"he", 1255}, {"hr", 1250}, {"hu", 1250},
    {"iw", 1255}, {"ja", 932},  {"kk", 1251}, {"ko", 949},  {"ky", 1251}, {"lt", 1257},
    {"lv", 1257}, {"mk", 1251}, {"mn", 1251}, {"pl", 1250}, {"ro", 1250}, {"ru", 1251},
    {"sk", 1250}, {"sl", 1250}, {"sq", 1250}, {"sr", 1251}, {"th", 874},  {"tr", 1254},
    {"tt", 1251}, {"ug", 1256}, {"uk", 1251}, {"ur", 1256}, {"uz", 1254}, {"vi", 1258},
    {"yi", 1255}, {"zh", 936},
};
constexpr int westernCodePage = 1252;

// Traditional Chinese territories, and Serbian written in Latin letters, differ from their
// language's page.
int regionalCodePage(QByteArrayView language, QByteArrayView territory, QByteArrayView modifier)
{
    if (language == "zh" && (territory == "TW" || territory == "HK" || territory == "MO"))
        return 950;
    if (language == "sr" && modifier == "latin")
        return 1250;
    return 0;
}

} // namespace

int ansiCodePage()
{
    return ansiOverride != 0 ? ansiOverride : systemAnsiCodePage();
}

void setAnsiCodePage(int codePage)
{
    ansiOverride = codePage;
}

int titleCodePage()
{
    return titleOverride != 0 ? titleOverride : systemTitleCodePage();
}

void setTitleCodePage(int codePage)
{
    titleOverride = codePage;
}

// "language[_TERRITORY][.charset][@modifier]"
int legacyCodePageOfLocale(QByteArrayView localeName)
{
    const qsizetype at = localeName.indexOf('@');
    const QByteArrayView modifier = at < 0 ? QByteArrayView() : localeName.sliced(at + 1);
    QByteArrayView name = at < 0 ? localeName : localeName.first(at);
    if (const qsizetype dot = name.indexOf('.'); dot >= 0)
        name = name.first(dot);
    const qsizetype underscore = name.indexOf('_');
    const QByteArrayView language = underscore < 0 ? name : name.first(underscore);
    const QByteArrayView territory =
        underscore < 0 ? QByteArrayView() : name.sliced(underscore + 1);
    if (const int regional = regionalCodePage(language, territory, modifier))
        return regional;
    for (const LanguageCodePage &entry : languageCodePages) {
        if (entry.language == language)
            return entry.codePage;
    }
    return westernCodePage;
}

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoder reads only when its result is taken.
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

int codePageOfCharset(QByteArrayView charsetName)
{
    const int codePage = codePageOfNormalizedCharset(normalizedCharset(charsetName));
    return codePage > 0 && isCodePageAvailable(codePage) ? codePage : 0;
}

bool isCodePageAvailable(int codePage)
{
    return converterFor(codePage) != nullptr;
}

QString decodeCodePage(QByteArrayView bytes, int codePage)
{
    UConverter *converter = converterFor(codePage);
    if (converter == nullptr || bytes.isEmpty())
        return {};
    ucnv_resetToUnicode(converter);
    QString text;
    std::array<UChar, bufferSize> buffer;
    const char *source = bytes.data();
    const char *const end = source + bytes.size();
    for (;;) {
        const char *const limit = pieceEnd(source, end);
        const bool last = limit == end;
        UErrorCode error;
        do {
            error = U_ZERO_ERROR;
            UChar *target = buffer.data();
            ucnv_toUnicode(converter, &target, buffer.data() + buffer.size(), &source, limit,
                           nullptr, last, &error);
            text.append(QStringView(buffer.data(), target - buffer.data()));
        } while (error == U_BUFFER_OVERFLOW_ERROR);
        if (U_FAILURE(error))
            return {};
        if (last)
            return text;
    }
}

QByteArray encodeCodePage(QStringView text, int codePage)
{
    UConverter *converter = converterFor(codePage);
    if (converter == nullptr || text.isEmpty())
        return {};
    ucnv_resetFromUnicode(converter);
    QByteArray bytes;
    std::array<char, bufferSize> buffer;
    const UChar *source = text.utf16();
    const UChar *const end = source + text.size();
    for (;;) {
        const UChar *const limit = pieceEnd(source, end);
        const bool last = limit == end;
        UErrorCode error;
        do {
            error = U_ZERO_ERROR;
            char *target = buffer.data();
            ucnv_fromUnicode(converter, &target, buffer.data() + buffer.size(), &source, limit,
                             nullptr, last, &error);
            bytes.append(buffer.data(), target - buffer.data());
        } while (error == U_BUFFER_OVERFLOW_ERROR);
        if (U_FAILURE(error))
            return {};
        if (last)
            return bytes;
    }
}

} // namespace platform
