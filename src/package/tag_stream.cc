#include "package/tag_stream.h"

#include <algorithm>

#include "package/errors.h"

namespace xa {
namespace {

void PutInt32(uint8_t* out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetInt32(const uint8_t* in) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i)
    bits |= static_cast<uint32_t>(in[i]) << (8 * i);
  return static_cast<int32_t>(bits);
}

}  // namespace

void TTagStreamAdapter::WriteMagic(int32_t value) {
  uint8_t bytes[4];
  PutInt32(bytes, value);
  stream_.WriteBuffer(bytes, 4);
}

void TTagStreamAdapter::WriteTagHeader(int32_t id, uint8_t type) {
  uint8_t bytes[5];
  PutInt32(bytes, id);
  bytes[4] = type;
  stream_.WriteBuffer(bytes, 5);
}

void TTagStreamAdapter::WriteByte(int32_t id, uint8_t value) {
  WriteTagHeader(id, kTagByte);
  stream_.WriteBuffer(&value, 1);
}

void TTagStreamAdapter::WriteInteger(int32_t id, int32_t value) {
  WriteTagHeader(id, kTagInteger);
  WriteMagic(value);
}

void TTagStreamAdapter::WriteString(int32_t id, const std::string& text) {
  WriteTagHeader(id, kTagString);
  WriteMagic(static_cast<int32_t>(text.size()));
  stream_.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TTagStreamAdapter::WriteStream(int32_t id, TStream& source, int32_t count) {
  WriteTagHeader(id, kTagBlock);
  WriteMagic(count);
  stream_.CopyFrom(source, count);
}

void TTagStreamAdapter::WriteEndMarker() {
  WriteTagHeader(kEndMarkerId, kTagList);
}

bool TTagStreamAdapter::CheckMagic(int32_t expected) {
  uint8_t bytes[4];
  return stream_.Read(bytes, 4) == 4 && GetInt32(bytes) == expected;
}

bool TTagStreamAdapter::ReadTag() {
  uint8_t bytes[4];
  end_of_data_ = true;
  if (stream_.Read(bytes, 4) != 4)
    return false;
  TagId = GetInt32(bytes);
  if (stream_.Read(&TagType, 1) != 1)
    return false;
  end_of_data_ = false;
  return TagId != kEndMarkerId;
}

uint8_t TTagStreamAdapter::ReadByte() {
  uint8_t value = 0;
  stream_.Read(&value, 1);
  return value;
}

int32_t TTagStreamAdapter::ReadInteger() {
  uint8_t bytes[4] = {};
  stream_.Read(bytes, 4);
  return GetInt32(bytes);
}

int64_t TTagStreamAdapter::Remaining() {
  return std::max<int64_t>(0, stream_.Size() - stream_.Position());
}

std::string TTagStreamAdapter::ReadString() {
  const int32_t length = ReadInteger();
  if (length <= 0)
    return {};
  std::string text(static_cast<size_t>(std::min<int64_t>(length, Remaining())), '\0');
  text.resize(static_cast<size_t>(stream_.Read(text.data(), static_cast<int64_t>(text.size()))));
  return text;
}

std::vector<uint8_t> TTagStreamAdapter::ReadBlock() {
  const int32_t length = ReadInteger();
  if (length < 0 || length > Remaining())
    Raise<EStreamError>(kStreamReadError);
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  stream_.ReadBuffer(bytes.data(), length);
  return bytes;
}

size_t TTagStreamAdapter::ReadBlockInto(uint8_t* destination, size_t capacity) {
  const int32_t length = ReadInteger();
  if (length <= 0)
    return 0;
  const int64_t wanted = std::min<int64_t>(length, static_cast<int64_t>(capacity));
  const int64_t stored = stream_.Read(destination, wanted);
  SkipBytes(length - wanted);
  return static_cast<size_t>(stored);
}

void TTagStreamAdapter::SkipBytes(int64_t count) {
  if (count > 0)
    stream_.Seek(std::min(count, Remaining()), SeekOrigin::kCurrent);
}

void TTagStreamAdapter::SkipSimpleValue() {
  switch (TagType) {
    case 1:
    case 2:
      SkipBytes(1);
      break;
    case 3:
      SkipBytes(2);
      break;
    case 4:
    case 5:
      SkipBytes(4);
      break;
    case 6:
      SkipBytes(8);
      break;
    case 7:
    case 8:
      SkipBytes(ReadInteger());
      break;
    default:
      break;
  }
}

void TTagStreamAdapter::SkipValue() {
  if (TagType != kTagList) {
    SkipSimpleValue();
    return;
  }
  // Depth count instead of recursion: a hostile record may nest lists a million deep.
  int64_t depth = 1;
  while (depth > 0) {
    if (!ReadTag()) {
      if (end_of_data_)
        return;
      --depth;
    } else if (TagType == kTagList) {
      ++depth;
    } else {
      SkipSimpleValue();
    }
  }
}

}  // namespace xa
