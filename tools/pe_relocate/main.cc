// pe_relocate PROGRAM.exe: moves the NT headers of a linked Windows program to offset 0x100 so
// that the record pointer at offset 136 lies in the MS-DOS stub area. Rewrites the file in place.
// pe_relocate --check PROGRAM.exe: exits 0 only when the headers already lie at 0x100 or later.
// pe_relocate --check-hardening PROGRAM.exe: exits 0 only when, besides, the program has ASLR
// with its relocations, DEP and (64-bit) high-entropy addresses.
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <vector>

#include "package/pe_layout.h"

namespace {

constexpr uint32_t kNewHeaderOffset = 0x100;

std::vector<uint8_t> ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot open");
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const char* path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write");
}

int Relocate(const char* path) {
  std::vector<uint8_t> image = ReadAll(path);
  if (xa::NtHeadersOffset(image) >= kNewHeaderOffset)
    return 0;
  xa::RelocateNtHeaders(image, kNewHeaderOffset);
  WriteAll(path, image);
  return 0;
}

int Check(const char* path) {
  const uint32_t offset = xa::NtHeadersOffset(ReadAll(path));
  if (offset >= kNewHeaderOffset)
    return 0;
  std::fprintf(stderr, "pe_relocate: %s: PE headers at 0x%x overlap the record pointer\n", path,
               offset);
  return 1;
}

int CheckHardening(const char* path) {
  if (Check(path) != 0)
    return 1;
  if (const auto problem = xa::HardeningProblem(ReadAll(path))) {
    std::fprintf(stderr, "pe_relocate: %s: %s\n", path, problem->c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  const bool hardening = argc == 3 && std::strcmp(argv[1], "--check-hardening") == 0;
  if (argc != 2 && !check && !hardening) {
    std::fprintf(stderr, "usage: pe_relocate [--check | --check-hardening] PROGRAM.exe\n");
    return 1;
  }
  const char* path = argv[argc - 1];
  try {
    if (hardening)
      return CheckHardening(path);
    return check ? Check(path) : Relocate(path);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pe_relocate: %s: %s\n", path, e.what());
    return 1;
  }
}
