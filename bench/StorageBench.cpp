// Opening and saving a full set, and scrambling a megabyte: the work an
// author waits for on every Open and Save.
#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "model/DefaultRecords.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace dorvel;

class SilentUserInterface : public UserInterface {
public:
    std::string savePath;
    void showMessage(const std::string&, Tone) override {}
    Answer ask(const std::string&, Buttons, Tone) override { return Answer::No; }
    std::vector<std::string> chooseOpenFiles(const FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return savePath; }
};

// A set of 100 questions with every answer box filled.
void fillSet(OpenSet& set)
{
    for (int n = 1; n <= kMaxQuestions; ++n) {
        std::string q = DefaultQuestionRecord();
        q = SetTag(q, "Title", "Question number " + std::to_string(n) + " asks something rather long today");
        for (int f = 1; f <= 4; ++f) {
            q = SetTag(q, "Text" + std::to_string(f), "A text of medium length for answer " + std::to_string(f));
            for (int a = 0; a <= 4; ++a)
                q = SetTag(q, "a" + std::to_string(f) + std::to_string(a), "answer" + std::to_string(a));
        }
        set.questionSlots[static_cast<std::size_t>(n)] = q;
    }
}

struct Fixture {
    QTemporaryDir dir;
    SilentUserInterface ui;
    LangStrings lang;
    Workspace workspace{ui, lang};
    std::string path;

    Fixture()
    {
        path = fromQString(dir.path()) + "/Hundred.vtd";
        ui.savePath = path;
        workspace.NewSet();
        fillSet(*workspace.current());
        workspace.SaveTest();
    }
};

void BM_SaveHundredQuestionSet(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(f.workspace.SaveTest());
    state.counters["bytes"] = static_cast<double>(FileSize(f.path));
}
BENCHMARK(BM_SaveHundredQuestionSet)->Unit(benchmark::kMillisecond);

void BM_OpenHundredQuestionSet(benchmark::State& state)
{
    Fixture f;
    f.workspace.CloseCurrentSet();
    for (auto _ : state) {
        f.workspace.OpenSetFile(f.path);
        f.workspace.CloseCurrentSet();
    }
}
BENCHMARK(BM_OpenHundredQuestionSet)->Unit(benchmark::kMillisecond);

void BM_ScrambleOneMegabyte(benchmark::State& state)
{
    std::string text;
    while (text.size() < (1u << 20))
        text += "<Title>Some question text with answers</Title> ";
    text.resize(1u << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(ScrambleText(text, 2));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ScrambleOneMegabyte)->Unit(benchmark::kMillisecond);

void BM_UnscrambleOneMegabyte(benchmark::State& state)
{
    std::string text(1u << 20, 'x');
    const std::string scrambled = ScrambleText(text, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(UnscrambleText(scrambled, 2));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_UnscrambleOneMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
