// Writing a bank of large media files against `cat` of the same files into
// one file, in the same run; and the memory a bank with a 1 GB media file
// takes. Run: build/bench/bank_write_bench
#include "bank/BankFile.h"
#include "bank/BankLists.h"
#include "bank/ExportLists.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace dorvel;

class SilentUserInterface : public UserInterface {
public:
    void showMessage(const std::string&, Tone) override {}
    Answer ask(const std::string&, Buttons, Tone) override { return Answer::Yes; }
    std::vector<std::string> chooseOpenFiles(const FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return std::nullopt; }
};

constexpr int kFiles = 4;
constexpr std::int64_t kFileSize = std::int64_t(64) << 20;

// Media files of random bytes, made once for the whole run.
struct MediaFolder {
    QTemporaryDir dir;
    std::vector<std::string> files;

    MediaFolder()
    {
        std::mt19937_64 random(42);
        std::vector<std::uint64_t> block((1 << 20) / sizeof(std::uint64_t));
        for (int i = 0; i < kFiles; ++i) {
            const std::string path = fromQString(dir.path()) + "/media" + std::to_string(i) + ".avi";
            FILE* f = std::fopen(path.c_str(), "wb");
            for (std::int64_t written = 0; written < kFileSize; written += (1 << 20)) {
                for (auto& v : block)
                    v = random();
                std::fwrite(block.data(), 1, 1 << 20, f);
            }
            std::fclose(f);
            files.push_back(path);
        }
    }
    std::string out(const char* name) const { return fromQString(dir.path()) + "/" + name; }
};

MediaFolder& Media()
{
    static MediaFolder media;
    return media;
}

double PeakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_WriteBank(benchmark::State& state)
{
    MediaFolder& media = Media();
    SilentUserInterface ui;
    ExportLists lists;
    for (const std::string& f : media.files)
        AddMediaFile(lists, true, f);
    const std::string bank = media.out("bench.vtb");
    for (auto _ : state) {
        if (WriteBankFile(lists, ui, bank, "<TestName>bench</TestName>", "", "").status != BankWriteStatus::Written)
            state.SkipWithError("bank not written");
        state.PauseTiming();
        DeleteFile(bank);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kFiles * kFileSize);
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

void BM_Cat(benchmark::State& state)
{
    MediaFolder& media = Media();
    const std::string out = media.out("bench.cat");
    std::string command = "cat";
    for (const std::string& f : media.files)
        command += " '" + f + "'";
    command += " > '" + out + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cat failed");
        state.PauseTiming();
        DeleteFile(out);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kFiles * kFileSize);
}

// Both in turns within each iteration, so that a busy machine slows both
// alike; the counters give each throughput and their ratio.
void BM_BankAgainstCat(benchmark::State& state)
{
    MediaFolder& media = Media();
    SilentUserInterface ui;
    ExportLists lists;
    for (const std::string& f : media.files)
        AddMediaFile(lists, true, f);
    const std::string bank = media.out("turns.vtb");
    const std::string out = media.out("turns.cat");
    std::string command = "cat";
    for (const std::string& f : media.files)
        command += " '" + f + "'";
    command += " > '" + out + "'";
    using Clock = std::chrono::steady_clock;
    Clock::duration bankTime{};
    Clock::duration catTime{};
    // Whoever goes first meets the clean-up of the files deleted just
    // before, so the order changes every round.
    bool bankFirst = true;
    for (auto _ : state) {
        auto timeBank = [&] {
            const auto t0 = Clock::now();
            WriteBankFile(lists, ui, bank, "<TestName>bench</TestName>", "", "");
            bankTime += Clock::now() - t0;
        };
        auto timeCat = [&] {
            const auto t0 = Clock::now();
            if (std::system(command.c_str()) != 0)
                state.SkipWithError("cat failed");
            catTime += Clock::now() - t0;
        };
        if (bankFirst) {
            timeBank();
            timeCat();
        } else {
            timeCat();
            timeBank();
        }
        bankFirst = !bankFirst;
        DeleteFile(bank);
        DeleteFile(out);
    }
    const double bytes = static_cast<double>(state.iterations()) * kFiles * kFileSize;
    const double bankSeconds = std::chrono::duration<double>(bankTime).count();
    const double catSeconds = std::chrono::duration<double>(catTime).count();
    state.counters["bank_GBps"] = bytes / bankSeconds / 1e9;
    state.counters["cat_GBps"] = bytes / catSeconds / 1e9;
    state.counters["bank_vs_cat_pct"] = 100.0 * catSeconds / bankSeconds;
}

// A sparse 1 GB video: the bank must hold it without holding it in memory.
void BM_WriteBankWithOneGigabyteFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string video = fromQString(dir.path()) + "/big.avi";
    const int fd = ::open(video.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0 || ::ftruncate(fd, std::int64_t(1) << 30) != 0) {
        state.SkipWithError("cannot make the 1 GB file");
        return;
    }
    ::close(fd);
    SilentUserInterface ui;
    ExportLists lists;
    AddMediaFile(lists, true, video);
    const std::string bank = fromQString(dir.path()) + "/big.vtb";
    const double before = PeakRssMegabytes();
    for (auto _ : state) {
        if (WriteBankFile(lists, ui, bank, "<TestName>big</TestName>", "", "").status != BankWriteStatus::Written)
            state.SkipWithError("bank not written");
    }
    state.SetBytesProcessed(state.iterations() * (std::int64_t(1) << 30));
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
    state.counters["peak_rss_growth_MB"] = PeakRssMegabytes() - before;
}

}  // namespace

// The bank writer first, then cat, over the same files in the same run.
BENCHMARK(BM_WriteBank)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Cat)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_BankAgainstCat)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_WriteBankWithOneGigabyteFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
