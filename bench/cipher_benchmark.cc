// Deciphering in memory on each path against memcpy, and a large stored content file to file
// against a plain buffered copy of the same bytes on the same disk, each pair in the same run so
// that the cipher's cost shows as a ratio.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/throughput_reporter.h"
#include "package/aes.h"
#include "package/cipher_blocks.h"
#include "package/cipher_stream.h"
#include "package/file_stream.h"
#include "package/sub_stream.h"

namespace {

constexpr int64_t kPlainSize = int64_t{64} << 20;
// The copies move passes as large as CipherStream's.
constexpr int64_t kPassSize = xa::CipherPassSize;
// Large enough to leave the caches, as a file's passes do.
constexpr int64_t kMemorySize = int64_t{64} << 20;
constexpr uint8_t kKey[16] = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6,
                              0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};

struct Files {
  std::filesystem::path dir;
  std::string plain;
  std::string stored;
  std::string deciphered;
  std::string copied;
};

Files* g_files = nullptr;

// Writes kPlainSize pseudo-random bytes and their stored (enciphered) form.
void CreateFiles(Files& files) {
  std::filesystem::create_directories(files.dir);
  {
    xa::TFileStream plain(files.plain, xa::FileMode::kCreate);
    std::vector<uint8_t> pass(kPassSize);
    uint32_t x = 2463534242u;
    for (int64_t done = 0; done < kPlainSize; done += kPassSize) {
      for (uint8_t& b : pass) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<uint8_t>(x);
      }
      plain.WriteBuffer(pass.data(), kPassSize);
    }
  }
  xa::TFileStream plain(files.plain, xa::FileMode::kOpenRead);
  xa::TFileStream stored(files.stored, xa::FileMode::kCreate);
  xa::CipherStream(plain, stored, kKey, 16, xa::CipherDirection::kEncipher);
}

// As the install run does it: a window on the stored bytes, seeked to 0, deciphered into a new
// file.
void BM_Decipher(benchmark::State& state) {
  int64_t stored_size = 0;
  for (auto _ : state) {
    xa::TFileStream source(g_files->stored, xa::FileMode::kOpenRead);
    stored_size = source.Size();
    xa::TFileStream target(g_files->deciphered, xa::FileMode::kCreate);
    xa::TSubStream window(&source, 0, stored_size - 1, false);
    window.Seek(0, xa::SeekOrigin::kBeginning);
    xa::CipherStream(window, target, kKey, 16, xa::CipherDirection::kDecipher);
    if (target.Size() != kPlainSize)
      state.SkipWithError("deciphered size differs from the plain size");
  }
  state.SetBytesProcessed(state.iterations() * stored_size);
}

void BM_Copy(benchmark::State& state) {
  int64_t stored_size = 0;
  std::vector<uint8_t> pass(kPassSize);
  for (auto _ : state) {
    xa::TFileStream source(g_files->stored, xa::FileMode::kOpenRead);
    stored_size = source.Size();
    xa::TFileStream target(g_files->copied, xa::FileMode::kCreate);
    for (int64_t n; (n = source.Read(pass.data(), kPassSize)) > 0;)
      target.WriteBuffer(pass.data(), n);
    if (target.Size() != stored_size)
      state.SkipWithError("copy size differs from the stored size");
  }
  state.SetBytesProcessed(state.iterations() * stored_size);
}

struct MemoryPath {
  const char* name;
  xa::CipherPath path;
};

constexpr MemoryPath kMemoryPaths[] = {{"BM_MemoryReference", xa::CipherPath::kReference},
                                       {"BM_MemoryTables", xa::CipherPath::kTables},
                                       {"BM_MemoryAesNi", xa::CipherPath::kAesNi},
                                       {"BM_MemoryVaes", xa::CipherPath::kVaes}};

// Deciphers kMemorySize bytes in place, in passes as CipherStream makes them.
void BM_MemoryDecipher(benchmark::State& state, xa::CipherPath path) {
  if (!xa::CipherPathAvailable(path)) {
    state.SkipWithError("this processor lacks the instructions");
    return;
  }
  xa::CipherContext context;
  xa::InitCipher(kKey, 16, context, xa::CipherDirection::kDecipher);
  xa::CipherSchedule schedule;
  xa::PrepareSchedule(context, path, schedule);
  std::vector<uint8_t> data(kMemorySize, 0x5a);
  for (auto _ : state) {
    for (int64_t done = 0; done < kMemorySize; done += kPassSize)
      xa::CipherBlocks(schedule, data.data() + done, kPassSize / 16);
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(state.iterations() * kMemorySize);
}

void BM_MemoryCopy(benchmark::State& state) {
  std::vector<uint8_t> from(kMemorySize, 0x5a);
  std::vector<uint8_t> to(kMemorySize);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kMemorySize);
    benchmark::DoNotOptimize(to.data());
  }
  state.SetBytesProcessed(state.iterations() * kMemorySize);
}

BENCHMARK(BM_MemoryCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Decipher)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints each measured figure beside its copy and their ratio.
void PrintRatios(const std::map<std::string, double>& bytes_per_second) {
  const auto print = [&](const char* label, const char* name, const char* copy_name) {
    const auto measured = bytes_per_second.find(name);
    const auto copy = bytes_per_second.find(copy_name);
    if (measured == bytes_per_second.end() || copy == bytes_per_second.end())
      return;
    std::printf("%-34s %9.1f MB/s   copy %9.1f MB/s   ratio %.3f\n", label, measured->second / 1e6,
                copy->second / 1e6, measured->second / copy->second);
  };
  for (const MemoryPath& path : kMemoryPaths) {
    const std::string label = std::string("decipher in memory, ") + (path.name + 9);
    print(label.c_str(), path.name, "BM_MemoryCopy");
  }
  print("decipher file to file", "BM_Decipher", "BM_Copy");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;

  Files files;
  files.dir =
      std::filesystem::temp_directory_path() / ("xa-cipher-bench-" + std::to_string(::getpid()));
  files.plain = (files.dir / "plain.bin").string();
  files.stored = (files.dir / "stored.bin").string();
  files.deciphered = (files.dir / "deciphered.bin").string();
  files.copied = (files.dir / "copied.bin").string();
  g_files = &files;

  for (const MemoryPath& path : kMemoryPaths) {
    benchmark::RegisterBenchmark(path.name, BM_MemoryDecipher, path.path)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  int status = 0;
  try {
    CreateFiles(files);
    xa::bench::ThroughputReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter.bytes_per_second);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cipher_benchmark: %s\n", e.what());
    status = 1;
  }
  std::error_code ignored;
  std::filesystem::remove_all(files.dir, ignored);
  benchmark::Shutdown();
  return status;
}
