// Building a 256 MiB package with xapack's builder and extracting it again, each against a
// plain copy of the same bytes on the same disk in the same run, so that the builder's cost
// (reading, enciphering, writing the payload, its checksum) and the extractor's (reading,
// deciphering, writing the files) show as ratios.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/throughput_reporter.h"
#include "package/cipher_stream.h"
#include "package/file_stream.h"
#include "xapack/installer_builder.h"
#include "xapack/manifest.h"
#include "xapack/package_extractor.h"
#include "xapack/testing/package_fixture.h"

namespace {

constexpr int kFiles = 4;
constexpr int64_t kFileSize = int64_t{64} << 20;
// The copies move passes as large as CipherStream's.
constexpr int64_t kPassSize = xa::CipherPassSize;

struct Package {
  std::filesystem::path dir;
  std::string manifest;
  std::string stub;
  std::string output;
  std::string copy;
  std::string extracted;
  std::vector<std::string> sources;
};

Package* g_package = nullptr;

void WriteSource(const std::string& path, uint32_t seed) {
  xa::TFileStream file(path, xa::FileMode::kCreate);
  std::vector<uint8_t> pass(kPassSize);
  uint32_t x = seed;
  for (int64_t done = 0; done < kFileSize; done += kPassSize) {
    for (uint8_t& b : pass) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      b = static_cast<uint8_t>(x);
    }
    file.WriteBuffer(pass.data(), kPassSize);
  }
}

void CreatePackage(Package& package) {
  std::filesystem::create_directories(package.dir);
  std::string manifest = "[program]\nname = \"Benchmark\"\nversion = \"1.0\"\n";
  for (int i = 0; i < kFiles; ++i) {
    const std::string name = "source" + std::to_string(i) + ".bin";
    package.sources.push_back((package.dir / name).string());
    WriteSource(package.sources.back(), 2463534242u + static_cast<uint32_t>(i));
    manifest += "[[file]]\nsource = \"" + name + "\"\ntarget = \"{app}\\\\" + name + "\"\n";
  }
  package.manifest = (package.dir / "package.toml").string();
  xa::xapack::testing::WriteFile(package.manifest, manifest);
  const std::vector<uint8_t> stub = xa::xapack::testing::MakeStub();
  package.stub = (package.dir / "stub.exe").string();
  xa::xapack::testing::WriteFile(package.stub, std::string(stub.begin(), stub.end()));
  package.output = (package.dir / "Setup.exe").string();
  package.copy = (package.dir / "copy.bin").string();
  package.extracted = (package.dir / "extracted").string();
}

// Every timed run writes new files, as a vendor's build or extraction does, and starts with
// nothing left to write back, so that neither freeing the last run's files nor the dirty pages
// it left are timed.
void Settle(benchmark::State& state, const std::string& target) {
  state.PauseTiming();
  std::filesystem::remove_all(target);
  ::sync();
  state.ResumeTiming();
}

void Build() {
  xa::xapack::BuildOptions options;
  options.stub_path = g_package->stub;
  options.output_path = g_package->output;
  options.key = xa::xapack::ContentKey{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  xa::xapack::BuildInstaller(xa::xapack::LoadManifest(g_package->manifest), options);
}

void BM_Build(benchmark::State& state) {
  for (auto _ : state) {
    Settle(state, g_package->output);
    Build();
  }
  state.SetBytesProcessed(state.iterations() * kFiles * kFileSize);
}

void BM_Extract(benchmark::State& state) {
  if (!std::filesystem::exists(g_package->output))
    Build();
  for (auto _ : state) {
    Settle(state, g_package->extracted);
    xa::xapack::ExtractPackage(g_package->output, g_package->extracted);
  }
  state.SetBytesProcessed(state.iterations() * kFiles * kFileSize);
}

void BM_Copy(benchmark::State& state) {
  std::vector<uint8_t> pass(kPassSize);
  for (auto _ : state) {
    Settle(state, g_package->copy);
    xa::TFileStream target(g_package->copy, xa::FileMode::kCreate);
    for (const std::string& path : g_package->sources) {
      xa::TFileStream source(path, xa::FileMode::kOpenRead);
      for (int64_t n; (n = source.Read(pass.data(), kPassSize)) > 0;)
        target.WriteBuffer(pass.data(), n);
    }
  }
  state.SetBytesProcessed(state.iterations() * kFiles * kFileSize);
}

// Best of several single runs: a run now and then takes three times as long whatever it does,
// as the system hands out memory for the page cache.
BENCHMARK(BM_Build)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);
BENCHMARK(BM_Extract)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);

}  // namespace

int main(int argc, char** argv) {
  // The repetitions of the three interleaved, so that a slow spell of the machine does not fall
  // on one of them alone; the caller's arguments come after and may say otherwise.
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data()))
    return 1;

  Package package;
  package.dir =
      std::filesystem::temp_directory_path() / ("xa-xapack-bench-" + std::to_string(::getpid()));
  g_package = &package;

  int status = 0;
  try {
    CreatePackage(package);
    xa::bench::ThroughputReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& speeds = reporter.bytes_per_second;
    const auto copy = speeds.find("BM_Copy");
    if (copy != speeds.end()) {
      std::printf("copy same bytes:         %.1f MB/s\n", copy->second / 1e6);
      const std::pair<const char*, const char*> jobs[] = {{"build", "BM_Build"},
                                                          {"extract", "BM_Extract"}};
      for (const auto& [job, name] : jobs) {
        const auto found = speeds.find(name);
        if (found == speeds.end())
          continue;
        std::printf("%-7s 256 MiB package: %.1f MB/s\n", job, found->second / 1e6);
        std::printf("%s/copy ratio: %.3f\n", job, found->second / copy->second);
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "xapack_benchmark: %s\n", e.what());
    status = 1;
  }
  std::error_code ignored;
  std::filesystem::remove_all(package.dir, ignored);
  benchmark::Shutdown();
  return status;
}
