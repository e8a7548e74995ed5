// Starting the program on an album of many bookmarks: the settings file read, the album
// activated and its bookmarks put in the menus (which make their entries when first opened).
// Google Benchmark fits the times to the count; the fit should be linear (O(N)).
//
//   bookmarks_bench [benchmark flags...]

#include "app/program/application.h"
#include "app/window/mainwindow.h"
#include "doubles/fakeplayer.h"
#include "doubles/scripteddialogkit.h"
#include "doubles/scriptedtitleencodingchooser.h"
#include "platform/paths.h"
#include "shell/menu/actionitemarray.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void giveUp(const char *what)
{
    std::fprintf(stderr, "bookmarks_bench: %s\n", what);
    std::exit(1);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        giveUp("cannot write the benchmark's files");
}

// An album of one silent record whose line holds count bookmarks.
QString makeSettings(const QTemporaryDir &dir, int count)
{
    QByteArray frame(104, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x10);
    frame[3] = char(0xC4);
    writeFile(dir.filePath("01.mp3"), frame.repeated(100));
    writeFile(dir.filePath("index.wpl"), "<smil><head><title></title></head><body><seq>\r\n"
                                         "<media src=\"01.mp3\"/>\r\n</seq></body></smil>");
    QByteArray marks = "01.mp3/0/";
    for (int i = 0; i < count; ++i)
        marks += "|01.mp3/" + QByteArray::number(i % 2) + "/Bookmark " + QByteArray::number(i);
    const QByteArray playlist = platform::fromNativePath(dir.filePath("index.wpl")).toUtf8();
    writeFile(dir.filePath("sonnalby.dat"),
              "[Scheme]\r\n[mProfileList]\r\n0=Default\r\n[Default\\mFileList]\r\n" + playlist +
                  "=2026:01:01:00:00:00==1252=1=2=100=" + marks + "\r\n");
    return platform::fromNativePath(dir.filePath("sonnalby.dat"));
}

void startWithBookmarks(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString settings = makeSettings(dir, int(state.range(0)));
    ScriptedDialogKit dialogs;
    text::ScriptedTitleEncodingChooser chooser;
    for (auto _ : state) {
        FakePlayer player;
        ApplicationSetup setup;
        setup.player = &player;
        setup.dialogKit = &dialogs;
        setup.encodingChooser = &chooser;
        setup.settingsFile = settings;
        Application application(setup);
        application.start();
        benchmark::DoNotOptimize(application.window().menus().bookmarkList->count());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(startWithBookmarks)
    ->Arg(10'000)
    ->Arg(30'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen").toUtf8());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
