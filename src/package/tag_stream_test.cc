#include "package/tag_stream.h"

#include <gtest/gtest.h>

#include "package/errors.h"
#include "package/memory_stream.h"

namespace xa {
namespace {

// Builds raw tagged-stream bytes by hand so the reader sees exactly what a test wants.
class Bytes {
 public:
  Bytes& Int(int32_t v) {
    for (int i = 0; i < 4; ++i)
      data_.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    return *this;
  }
  Bytes& Byte(uint8_t b) {
    data_.push_back(b);
    return *this;
  }
  Bytes& Tag(int32_t id, uint8_t type) { return Int(id).Byte(type); }
  Bytes& Text(const std::string& s) {
    Int(static_cast<int32_t>(s.size()));
    data_.insert(data_.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& End() { return Tag(-1, 0); }
  std::vector<uint8_t> data_;
};

// Reads a top-level list, reading integers of id 1 and skipping everything else; returns the
// integers in order.
std::vector<int32_t> ReadIntegersOfId1(std::vector<uint8_t> bytes) {
  TMemoryStream stream(std::move(bytes));
  TTagStreamAdapter adapter(stream);
  std::vector<int32_t> values;
  while (adapter.ReadTag()) {
    if (adapter.TagId == 1)
      values.push_back(adapter.ReadInteger());
    else
      adapter.SkipValue();
  }
  return values;
}

TEST(TagStreamTest, WritesTheWireFormat) {
  TMemoryStream stream;
  TTagStreamAdapter adapter(stream);
  adapter.WriteMagic(MagicOf("XAIN"));
  adapter.WriteByte(5, 0xAB);
  adapter.WriteInteger(6, -2);
  adapter.WriteString(7, "");
  adapter.WriteString(8, "hi");
  adapter.WriteEndMarker();
  const std::vector<uint8_t> expected = Bytes()
                                            .Byte('X')
                                            .Byte('A')
                                            .Byte('I')
                                            .Byte('N')
                                            .Tag(5, 1)
                                            .Byte(0xAB)
                                            .Tag(6, 4)
                                            .Int(-2)
                                            .Tag(7, 7)
                                            .Int(0)
                                            .Tag(8, 7)
                                            .Text("hi")
                                            .End()
                                            .data_;
  EXPECT_EQ(stream.Bytes(), expected);
}

// Records the size of every read, to see the copy passes.
class CountingStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  int64_t Read(void* buffer, int64_t count) override {
    reads.push_back(count);
    return TMemoryStream::Read(buffer, count);
  }
  std::vector<int64_t> reads;
};

TEST(TagStreamTest, WriteStreamCopiesInPassesOfAtMost4096Bytes) {
  CountingStream source(std::vector<uint8_t>(10000, 1));
  TMemoryStream stream;
  TTagStreamAdapter(stream).WriteStream(3, source, 10000);
  EXPECT_EQ(source.reads, (std::vector<int64_t>{4096, 4096, 1808}));
}

TEST(TagStreamTest, WriteStreamCopiesCountBytesFromTheSourcePosition) {
  std::vector<uint8_t> block(10000);
  for (size_t i = 0; i < block.size(); ++i)
    block[i] = static_cast<uint8_t>(i * 7);
  TMemoryStream source(block);
  TMemoryStream stream;
  TTagStreamAdapter(stream).WriteStream(3, source, 10000);
  ASSERT_EQ(stream.Size(), 5 + 4 + 10000);
  EXPECT_EQ(std::vector<uint8_t>(stream.Bytes().begin() + 9, stream.Bytes().end()), block);

  TMemoryStream short_source(std::vector<uint8_t>(10));
  EXPECT_THROW(TTagStreamAdapter(stream).WriteStream(3, short_source, 11), EStreamError);
}

TEST(TagStreamTest, ReadsBackWhatItWrote) {
  TMemoryStream stream;
  TTagStreamAdapter writer(stream);
  writer.WriteMagic(MagicOf("XAUN"));
  writer.WriteString(2, std::string("a\0b", 3));
  writer.WriteInteger(3, 123456);
  stream.Seek(0, SeekOrigin::kBeginning);
  TTagStreamAdapter reader(stream);
  EXPECT_TRUE(reader.CheckMagic(MagicOf("XAUN")));
  ASSERT_TRUE(reader.ReadTag());
  EXPECT_EQ(reader.TagId, 2);
  EXPECT_EQ(reader.TagType, kTagString);
  EXPECT_EQ(reader.ReadString(), std::string("a\0b", 3));
  ASSERT_TRUE(reader.ReadTag());
  EXPECT_EQ(reader.ReadInteger(), 123456);
  EXPECT_FALSE(reader.ReadTag());
}

TEST(TagStreamTest, CheckMagicNeedsFourMatchingBytes) {
  TMemoryStream wrong(Bytes().Byte('X').Byte('A').Byte('U').Byte('N').data_);
  EXPECT_FALSE(TTagStreamAdapter(wrong).CheckMagic(MagicOf("XAIN")));
  TMemoryStream cut(Bytes().Byte('X').Byte('A').Byte('I').data_);
  EXPECT_FALSE(TTagStreamAdapter(cut).CheckMagic(MagicOf("XAIN")));
}

TEST(TagStreamTest, SkipsUnknownTagsByTypeCode) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {"two-byte type", Bytes().Tag(9, 3).Byte(0).Byte(0).Tag(1, 4).Int(5).data_, {5}},
      {"all fixed sizes",
       Bytes()
           .Tag(9, 1)
           .Byte(1)
           .Tag(9, 2)
           .Byte(2)
           .Tag(9, 4)
           .Int(4)
           .Tag(9, 5)
           .Int(5)
           .Tag(9, 6)
           .Int(6)
           .Int(6)
           .Tag(1, 4)
           .Int(42)
           .data_,
       {42}},
      {"texts and blocks",
       Bytes().Tag(9, 7).Text("abc").Tag(9, 8).Text("defg").Tag(1, 4).Int(7).data_,
       {7}},
      {"type 9 and above carry no value",
       Bytes().Tag(9, 9).Tag(9, 255).Tag(1, 4).Int(8).data_,
       {8}},
      {"nested lists with their end markers",
       Bytes()
           .Tag(9, 0)
           .Tag(1, 4)
           .Int(99)
           .Tag(9, 0)
           .Tag(1, 4)
           .Int(98)
           .End()
           .End()
           .Tag(1, 4)
           .Int(3)
           .data_,
       {3}},
      {"end marker ends the list", Bytes().Tag(1, 4).Int(1).End().Tag(1, 4).Int(2).data_, {1}},
      {"header cut after the id", Bytes().Tag(1, 4).Int(1).Int(1).data_, {1}},
      {"end marker without its type byte", Bytes().Tag(1, 4).Int(1).Int(-1).data_, {1}},
      {"negative length skips nothing", Bytes().Tag(9, 7).Int(-9).Tag(1, 4).Int(4).data_, {4}},
      {"length beyond the end", Bytes().Tag(1, 4).Int(1).Tag(9, 8).Int(1000).Byte(1).data_, {1}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadIntegersOfId1(c.bytes), c.expected) << c.name;
}

TEST(TagStreamTest, SkipsAMillionNestedListsWithoutRecursion) {
  Bytes bytes;
  constexpr int kDepth = 1000000;
  for (int i = 0; i < kDepth; ++i)
    bytes.Tag(9, 0);
  for (int i = 0; i < kDepth; ++i)
    bytes.End();
  bytes.Tag(1, 4).Int(77);
  EXPECT_EQ(ReadIntegersOfId1(bytes.data_), std::vector<int32_t>{77});

  Bytes unclosed;
  for (int i = 0; i < kDepth; ++i)
    unclosed.Tag(9, 0);
  EXPECT_TRUE(ReadIntegersOfId1(unclosed.data_).empty());
}

TEST(TagStreamTest, ReadStringTrustsNoLength) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::string expected;
  };
  const Case cases[] = {
      {Bytes().Int(0).data_, ""},
      {Bytes().Int(-5).Byte('x').data_, ""},
      {Bytes().Int(10).Byte('a').Byte('b').data_, "ab"},
      {Bytes().Int(0x7FFFFFFF).Byte('z').data_, "z"},
      {Bytes().Text("exact").data_, "exact"},
  };
  for (const Case& c : cases) {
    TMemoryStream stream(c.bytes);
    EXPECT_EQ(TTagStreamAdapter(stream).ReadString(), c.expected);
  }
}

TEST(TagStreamTest, ReadBlockRefusesLengthsBeyondTheData) {
  TMemoryStream fits(Bytes().Int(2).Byte(1).Byte(2).data_);
  EXPECT_EQ(TTagStreamAdapter(fits).ReadBlock(), (std::vector<uint8_t>{1, 2}));
  for (int32_t length : {3, -1, 0x7FFFFFFF}) {
    TMemoryStream stream(Bytes().Int(length).Byte(1).Byte(2).data_);
    TTagStreamAdapter adapter(stream);
    try {
      adapter.ReadBlock();
      ADD_FAILURE() << "length " << length;
    } catch (const EStreamError& e) {
      EXPECT_STREQ(e.what(), "Stream read error");
    }
  }
}

TEST(TagStreamTest, ReadBlockIntoStoresAtMostTheCapacityAndSkipsTheRest) {
  TMemoryStream stream(
      Bytes().Int(5).Byte(1).Byte(2).Byte(3).Byte(4).Byte(5).Tag(1, 4).Int(9).data_);
  TTagStreamAdapter adapter(stream);
  uint8_t key[3] = {};
  EXPECT_EQ(adapter.ReadBlockInto(key, 3), 3u);
  EXPECT_EQ(key[2], 3);
  ASSERT_TRUE(adapter.ReadTag());
  EXPECT_EQ(adapter.ReadInteger(), 9);
}

class FailingStream : public TMemoryStream {
 public:
  int64_t Write(const void* buffer, int64_t count) override {
    return TMemoryStream::Write(buffer, count > 2 ? count - 1 : count);
  }
};

TEST(TagStreamTest, AShortWriteRaisesStreamWriteError) {
  FailingStream stream;
  TTagStreamAdapter adapter(stream);
  try {
    adapter.WriteString(2, "text");
    ADD_FAILURE() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), "Stream write error");
  }
}

}  // namespace
}  // namespace xa
