// Copying media into the test folder against `cat` on the same files: the
// export should copy at no less than 80 % of cat's throughput.
#include "export/ExportWrites.h"
#include "storage/FileUtils.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kFileSize = 128LL * 1024 * 1024;

// One large file of varied bytes, made once for both benchmarks.
struct LargeFile {
    QTemporaryDir dir;
    std::string source;
    std::string target;
    LargeFile()
    {
        source = dorvel::fromQString(dir.path()) + "/movie.avi";
        target = dorvel::fromQString(dir.path()) + "/copy.avi";
        std::ofstream out(source, std::ios::binary);
        std::vector<char> block(1 << 20);
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<char>((i * 2654435761u) >> 24);
        for (std::int64_t written = 0; written < kFileSize; written += static_cast<std::int64_t>(block.size()))
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
};

LargeFile& largeFile()
{
    static LargeFile file;
    return file;
}

void BM_ExportCopy(benchmark::State& state)
{
    LargeFile& f = largeFile();
    for (auto _ : state) {
        // The export copies into an emptied folder: the target is always new.
        dorvel::DeleteFile(f.target);
        if (!dorvel::CopyFileChunked(f.source, f.target))
            state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

void BM_Cat(benchmark::State& state)
{
    LargeFile& f = largeFile();
    const std::string command = "cat '" + f.source + "' > '" + f.target + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cat failed");
    }
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

}  // namespace

BENCHMARK(BM_ExportCopy)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_Cat)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ExportCopy)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

BENCHMARK_MAIN();
