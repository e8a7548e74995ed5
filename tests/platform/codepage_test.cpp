#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

using platform::decodeCodePage;
using platform::encodeCodePage;

// Puts the system's own ANSI code page back whatever a test set.
class CodePage : public testing::Test {
protected:
    void TearDown() override { platform::setAnsiCodePage(0); }
};

QString fromCodePoint(char32_t codePoint)
{
    return QString::fromUcs4(&codePoint, 1);
}

TEST_F(CodePage, DecodesKnownBytesOfTheOfferedPages)
{
    struct Sample {
        int codePage;
        QByteArray bytes;
        char32_t expected;
    };
    const Sample samples[] = {
        {874, "\xA1", 0x0E01},       {932, "\x8A\xBF", 0x6F22}, {936, "\xBA\xBA", 0x6C49},
        {949, "\xC7\xD1", 0xD55C},   {950, "\xA4\xA4", 0x4E2D}, {1250, "\x8A", 0x0160},
        {1251, "\xC0", 0x0410},      {1252, "\xE9", 0x00E9},    {1252, "\x80", 0x20AC},
        {1253, "\xC1", 0x0391},      {1254, "\xD0", 0x011E},    {1255, "\xE0", 0x05D0},
        {1256, "\xC7", 0x0627},      {1257, "\xC0", 0x0104},    {1258, "\xC3", 0x0102},
        {20866, "\xE1", 0x0410},     {21866, "\xA4", 0x0454},   {28591, "\xE9", 0x00E9},
        {28595, "\xB0", 0x0410},     {28605, "\xA4", 0x20AC},   {866, "\x80", 0x0410},
        {437, "\x82", 0x00E9},       {10000, "\x8E", 0x00E9},   {10007, "\x80", 0x0410},
        {51932, "\xB4\xC1", 0x6F22}, {52936, "~{<:~}", 0x5DF1}, {37, "\xC1", 0x0041},
    };
    for (const Sample &sample : samples)
        EXPECT_EQ(decodeCodePage(sample.bytes, sample.codePage), fromCodePoint(sample.expected))
            << sample.codePage;
}

TEST_F(CodePage, UnicodePagesFollowWindowsNumbers)
{
    EXPECT_EQ(decodeCodePage(QByteArray("A\0\xE9\0", 4), 1200), u"Aé");
    EXPECT_EQ(decodeCodePage(QByteArray("\0A\0\xE9", 4), 1201), u"Aé");
    EXPECT_EQ(decodeCodePage("\xC3\xA9", 65001), u"é");
    EXPECT_EQ(decodeCodePage("+AOk-", 65000), u"é");
    EXPECT_EQ(encodeCodePage(u"A", 1200), QByteArray("A\0", 2));
    EXPECT_EQ(encodeCodePage(u"é", 65001), "\xC3\xA9");
}

TEST_F(CodePage, RoundTripsTypicalTextOfEachOfferedPage)
{
    struct Sample {
        int codePage;
        const char16_t *text;
    };
    const Sample samples[] = {
        {874, u"ภาษาไทย"},
        {932, u"日本語のテキスト ｶﾀｶﾅ"},
        {936, u"简体中文"},
        {949, u"한국어 텍스트"},
        {950, u"繁體中文"},
        {1250, u"Łódź, Příliš žluťoučký kůň"},
        {1251, u"Съешь же ещё"},
        {1252, u"Café crème – “déjà vu” €"},
        {1253, u"Καλημέρα κόσμε"},
        {1254, u"Çağrı İstanbul şehir"},
        {1255, u"שלום עולם"},
        {1256, u"مرحبا بالعالم"},
        {1257, u"Ąžuolas, Rīga, Tallinn õ"},
        {1258, u"Tiê\u0301ng Viê\u0323t"},
    };
    for (const Sample &sample : samples) {
        const QString text = QString::fromUtf16(sample.text);
        const QByteArray bytes = encodeCodePage(text, sample.codePage);
        EXPECT_FALSE(bytes.contains('?')) << sample.codePage;
        EXPECT_EQ(decodeCodePage(bytes, sample.codePage), text) << sample.codePage;
    }
}

TEST_F(CodePage, BadInputGivesReplacementCharacters)
{
    const QString replacement(QChar(0xFFFD));
    EXPECT_EQ(decodeCodePage("a\xFF"
                             "b",
                             65001),
              QStringLiteral("a") + replacement + QStringLiteral("b"));
    EXPECT_EQ(decodeCodePage("a\x8A", 932), QStringLiteral("a") + replacement);
    EXPECT_EQ(decodeCodePage("\xFF", 1255), replacement);
    EXPECT_EQ(encodeCodePage(u"Ж漢", 1252), "??");
    EXPECT_EQ(encodeCodePage(u"aЖ", 37), "\x81\x6F");
    EXPECT_EQ(encodeCodePage(QString(QChar(0xD800)), 1200), QByteArray("?\0", 2));
}

TEST_F(CodePage, AConversionLeavesNoStateForTheNext)
{
    EXPECT_EQ(decodeCodePage("\x8A", 932), QString(QChar(0xFFFD)));
    EXPECT_EQ(decodeCodePage("A", 932), u"A");
    EXPECT_EQ(decodeCodePage("\x1B$B\x34\x41", 50220), u"漢");
    EXPECT_EQ(decodeCodePage("\x34\x41", 50220), u"4A");
    EXPECT_EQ(encodeCodePage(QString(QChar(0xD83D)), 65001), "?");
    EXPECT_EQ(encodeCodePage(u"a", 65001), "a");
}

TEST_F(CodePage, UnknownPagesGiveNothing)
{
    for (int codePage : {-5, 1, 50001, 50932, 1361, 65002, 99999}) {
        EXPECT_FALSE(platform::isCodePageAvailable(codePage)) << codePage;
        EXPECT_TRUE(decodeCodePage("abc", codePage).isEmpty()) << codePage;
        EXPECT_TRUE(encodeCodePage(u"abc", codePage).isEmpty()) << codePage;
    }
    EXPECT_TRUE(decodeCodePage("", 1252).isEmpty());
    EXPECT_TRUE(encodeCodePage(u"", 1252).isEmpty());
}

TEST_F(CodePage, OpensEveryPageOfTheCatalogueThatIcuKnows)
{
    const int available[] = {
        37,    437,   500,   708,   720,   737,   775,   850,   852,   855,   857,   860,   861,
        862,   863,   864,   865,   866,   869,   870,   874,   875,   932,   936,   949,   950,
        1026,  1200,  1201,  1250,  1251,  1252,  1253,  1254,  1255,  1256,  1257,  1258,  10000,
        10006, 10007, 10017, 10029, 10081, 20127, 20273, 20277, 20278, 20280, 20284, 20285, 20290,
        20297, 20420, 20424, 20838, 20866, 20871, 21025, 21866, 28591, 28592, 28593, 28594, 28595,
        28596, 28597, 28598, 28599, 28605, 50220, 50221, 50222, 50225, 50227, 50229, 50930, 50933,
        50935, 50937, 50939, 51932, 51936, 51949, 51950, 52936, 65000, 65001,
    };
    for (int codePage : available)
        EXPECT_TRUE(platform::isCodePageAvailable(codePage)) << codePage;
}

TEST_F(CodePage, CodePageZeroIsTheAnsiCodePage)
{
    platform::setAnsiCodePage(1251);
    EXPECT_EQ(platform::ansiCodePage(), 1251);
    EXPECT_EQ(decodeCodePage("\xC0", 0), u"А");
    EXPECT_EQ(platform::toAnsi(u"Жук"), "\xC6\xF3\xEA");
    EXPECT_EQ(platform::fromAnsi("\xC6\xF3\xEA"), u"Жук");
    platform::setAnsiCodePage(0);
    EXPECT_EQ(platform::ansiCodePage(), platform::systemAnsiCodePage());
}

TEST_F(CodePage, LongInputIsConvertedInPieces)
{
    // Over two megabytes, so that double-byte characters and surrogate pairs straddle the
    // boundaries of the pieces handed to ICU.
    const qsizetype count = 1100000;
    QByteArray shiftJis = "a";
    QString expected = QStringLiteral("a");
    shiftJis.reserve(1 + 2 * count);
    expected.reserve(1 + count);
    for (qsizetype i = 0; i < count; ++i) {
        shiftJis += "\x8A\xBF";
        expected += u'漢';
    }
    EXPECT_EQ(decodeCodePage(shiftJis, 932), expected);

    QString emoji = QStringLiteral("a");
    for (qsizetype i = 0; i < count; ++i)
        emoji += fromCodePoint(0x1F600);
    const QByteArray utf8 = encodeCodePage(emoji, 65001);
    EXPECT_EQ(utf8, emoji.toUtf8());
    EXPECT_EQ(decodeCodePage(utf8, 65001), emoji);
}

TEST(CharsetCodePage, MapsCLibraryNamesToWindowsPages)
{
    using platform::codePageOfCharset;
    EXPECT_EQ(codePageOfCharset("UTF-8"), 65001);
    EXPECT_EQ(codePageOfCharset("utf8"), 65001);
    EXPECT_EQ(codePageOfCharset("ANSI_X3.4-1968"), 65001);
    EXPECT_EQ(codePageOfCharset("ISO-8859-1"), 28591);
    EXPECT_EQ(codePageOfCharset("iso88592"), 28592);
    EXPECT_EQ(codePageOfCharset("ISO-8859-15"), 28605);
    EXPECT_EQ(codePageOfCharset("KOI8-R"), 20866);
    EXPECT_EQ(codePageOfCharset("KOI8-U"), 21866);
    EXPECT_EQ(codePageOfCharset("CP1251"), 1251);
    EXPECT_EQ(codePageOfCharset("windows-1255"), 1255);
    EXPECT_EQ(codePageOfCharset("GB2312"), 936);
    EXPECT_EQ(codePageOfCharset("BIG5-HKSCS"), 950);
    EXPECT_EQ(codePageOfCharset("EUC-KR"), 949);
    EXPECT_EQ(codePageOfCharset("EUC-JP"), 51932);
    EXPECT_EQ(codePageOfCharset("TIS-620"), 874);
}

TEST(CharsetCodePage, UnknownOrUnconvertibleNamesGiveZero)
{
    using platform::codePageOfCharset;
    for (const char *name : {"", "ARMSCII-8", "CP", "CP99999", "CP123456789", "ISO-8859-99",
                             "GEORGIAN-PS", "WINDOWS-"})
        EXPECT_EQ(codePageOfCharset(name), 0) << name;
}

TEST(SystemAnsiCodePage, IsUtf8UnderTheCAndUtf8Locales)
{
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
    EXPECT_EQ(platform::systemAnsiCodePage(), 65001);
    if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr) {
        EXPECT_EQ(platform::systemAnsiCodePage(), 65001);
    }
    std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(TitleCodePage, LegacyPageOfTheLanguage)
{
    struct Case {
        const char *locale;
        int codePage;
    };
    const Case cases[] = {
        {"en_US.UTF-8", 1252},
        {"de_DE.UTF-8", 1252},
        {"fr_FR", 1252},
        {"es_ES.UTF-8", 1252},
        {"it_IT", 1252},
        {"nl_NL.UTF-8", 1252},
        {"pt_BR.UTF-8", 1252},
        {"sv_SE.UTF-8", 1252},
        {"ru_RU.UTF-8", 1251},
        {"uk_UA.UTF-8", 1251},
        {"be_BY.UTF-8", 1251},
        {"bg_BG.UTF-8", 1251},
        {"sr_RS.UTF-8", 1251},
        {"sr_RS@latin", 1250},
        {"pl_PL.UTF-8", 1250},
        {"cs_CZ.UTF-8", 1250},
        {"sk_SK", 1250},
        {"hu_HU.UTF-8", 1250},
        {"hr_HR.UTF-8", 1250},
        {"sl_SI.UTF-8", 1250},
        {"ro_RO.UTF-8", 1250},
        {"el_GR.UTF-8", 1253},
        {"tr_TR.UTF-8", 1254},
        {"he_IL.UTF-8", 1255},
        {"ar_EG.UTF-8", 1256},
        {"fa_IR.UTF-8", 1256},
        {"lt_LT.UTF-8", 1257},
        {"lv_LV.UTF-8", 1257},
        {"et_EE.UTF-8", 1257},
        {"vi_VN", 1258},
        {"th_TH.UTF-8", 874},
        {"ja_JP.UTF-8", 932},
        {"zh_CN.UTF-8", 936},
        {"zh_SG.GBK", 936},
        {"ko_KR.EUC-KR", 949},
        {"zh_TW.UTF-8", 950},
        {"zh_HK.UTF-8", 950},
        {"ru", 1251},
        {"ru_RU.KOI8-R@x", 1251},
        {"C", 1252},
        {"POSIX", 1252},
        {"C.UTF-8", 1252},
        {"", 1252},
        {"xx_YY.UTF-8", 1252},
        {"r", 1252},
        {"rus_RU", 1252},
        {"de_DE.UTF-8@euro", 1252},
    };
    for (const Case &c : cases)
        EXPECT_EQ(platform::legacyCodePageOfLocale(c.locale), c.codePage) << c.locale;
}

// The environment as the C library reads it: LC_ALL over LC_CTYPE over LANG.
TEST(TitleCodePage, FollowsTheEnvironmentOfTheLocale)
{
    const char *variables[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i)
        saved[i] = qgetenv(variables[i]);
    const auto set = [&](const char *all, const char *ctype, const char *lang) {
        const char *values[] = {all, ctype, lang};
        for (int i = 0; i < 3; ++i)
            values[i] ? qputenv(variables[i], values[i]) : qunsetenv(variables[i]);
    };
    set(nullptr, nullptr, "ru_RU.UTF-8");
    EXPECT_EQ(platform::systemTitleCodePage(), 1251);
    set(nullptr, "el_GR.UTF-8", "ru_RU.UTF-8");
    EXPECT_EQ(platform::systemTitleCodePage(), 1253);
    set("pl_PL.UTF-8", "el_GR.UTF-8", "ru_RU.UTF-8");
    EXPECT_EQ(platform::systemTitleCodePage(), 1250);
    set("", "", "ja_JP.UTF-8");
    EXPECT_EQ(platform::systemTitleCodePage(), 932);
    set(nullptr, nullptr, nullptr);
    EXPECT_EQ(platform::systemTitleCodePage(), 1252);

    platform::setTitleCodePage(874);
    EXPECT_EQ(platform::titleCodePage(), 874);
    platform::setTitleCodePage(0);
    EXPECT_EQ(platform::titleCodePage(), 1252);
    for (int i = 0; i < 3; ++i)
        saved[i].isNull() ? qunsetenv(variables[i]) : qputenv(variables[i], saved[i]);
}

TEST(Utf8, WellFormedOnly)
{
    for (const char *valid : {"", "plain", "Caf\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"})
        EXPECT_TRUE(platform::isValidUtf8(valid)) << valid;
    for (const char *invalid :
         {"Caf\xE9", "\xC3", "\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"})
        EXPECT_FALSE(platform::isValidUtf8(invalid)) << QByteArray(invalid).toHex().constData();
}

} // namespace
