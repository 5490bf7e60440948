// Deciphering a large stored content file to file, against a plain buffered copy of the same
// bytes on the same disk in the same run, so that the cipher's cost shows as a ratio.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/throughput_reporter.h"
#include "package/aes.h"
#include "package/cipher_stream.h"
#include "package/file_stream.h"
#include "package/sub_stream.h"

namespace {

constexpr int64_t kPlainSize = int64_t{64} << 20;
constexpr int64_t kPassSize = 64 * 1024;
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

BENCHMARK(BM_Decipher)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->UseRealTime();

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

  int status = 0;
  try {
    CreateFiles(files);
    xa::bench::ThroughputReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto decipher = reporter.bytes_per_second.find("BM_Decipher");
    const auto copy = reporter.bytes_per_second.find("BM_Copy");
    if (decipher != reporter.bytes_per_second.end() && copy != reporter.bytes_per_second.end()) {
      std::printf("decipher: %.1f MB/s\n", decipher->second / 1e6);
      std::printf("copy:     %.1f MB/s\n", copy->second / 1e6);
      std::printf("decipher/copy ratio: %.3f\n", decipher->second / copy->second);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cipher_benchmark: %s\n", e.what());
    status = 1;
  }
  std::error_code ignored;
  std::filesystem::remove_all(files.dir, ignored);
  benchmark::Shutdown();
  return status;
}
