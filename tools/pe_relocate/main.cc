// pe_relocate PROGRAM.exe: moves the NT headers of a linked Windows program to offset 0x100 so
// that the record pointer at offset 136 lies in the MS-DOS stub area. Rewrites the file in place.
#include <cstdio>
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pe_relocate PROGRAM.exe\n");
    return 1;
  }
  try {
    std::vector<uint8_t> image = ReadAll(argv[1]);
    if (xa::NtHeadersOffset(image) >= kNewHeaderOffset)
      return 0;
    xa::RelocateNtHeaders(image, kNewHeaderOffset);
    WriteAll(argv[1], image);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pe_relocate: %s: %s\n", argv[1], e.what());
    return 1;
  }
  return 0;
}
