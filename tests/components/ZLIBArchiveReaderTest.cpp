#include "ZLIBArchiveReader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <sstream>

#include "ScratchFolder.h"
#include "ZLIBArchive.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A small archive made by the writer: a text member (compressed), a random one (stored).
Bytes SmallArchive() {
  TScratchFolder dir;
  TZLBArchive archive;
  archive.CompressionLevel = fcFastest;
  archive.CreateArchive(dir.Path("small.pak"));
  std::vector<std::string> list = {dir.Write("a.txt", SampleText(300)),
                                   dir.Write("b.bin", SampleRandom(40))};
  EXPECT_TRUE(archive.AddFiles(list).Written);
  const std::string text = dir.Read("small.pak");
  return Bytes(text.begin(), text.end());
}

// The message ZLBReadArchive raises for bytes, or "ok" with the entry count.
std::string ReadOutcome(const Bytes& bytes) {
  std::istringstream stream(std::string(bytes.begin(), bytes.end()));
  try {
    return "ok " + std::to_string(ZLBReadArchive(stream).Entries.size());
  } catch (const EZLBArchiveError& e) {
    return e.what();
  }
}

void PutLe32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Replaces everything before the trailer and fixes the CRC, so only the directory is at fault.
Bytes WithBody(Bytes archive, const Bytes& body, std::int32_t count, std::uint32_t directorySize) {
  Bytes out = body;
  out.insert(out.end(), archive.end() - 36, archive.end());
  const std::size_t t = out.size() - 36;
  PutLe32(out, t, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
  PutLe32(out, t + 4, static_cast<std::uint32_t>(count));
  PutLe32(out, t + 12, directorySize);
  return out;
}

Bytes Deflate(const Bytes& data) {
  uLongf length = compressBound(static_cast<uLong>(data.size()));
  Bytes out(length);
  EXPECT_EQ(compress2(out.data(), &length, data.data(), static_cast<uLong>(data.size()), 1), Z_OK);
  out.resize(length);
  return out;
}

constexpr const char* Corrupted = "The archive file appears to be corrupted";
constexpr const char* FileList = "Unable to read archive file list";

}  // namespace

// The CRC covers every byte before the trailer and the trailer's CRC field checks it: any
// single changed byte there is caught.  The reserved bytes and the "always 1" field are not
// checked at all.
TEST(ZLIBArchiveReader, EverySingleByteCorruptionIsRejected) {
  const Bytes good = SmallArchive();
  ASSERT_EQ(ReadOutcome(good), "ok 2");
  const std::size_t trailer = good.size() - 36;
  for (std::size_t at = 0; at < trailer + 4; ++at) {
    for (const std::uint8_t flip : {0x01, 0x80, 0xFF}) {
      Bytes bad = good;
      bad[at] ^= flip;
      ASSERT_EQ(ReadOutcome(bad), Corrupted) << "byte " << at << " xor " << int(flip);
    }
  }
  for (std::size_t at = trailer + 8; at < trailer + 12; ++at) {
    Bytes other = good;
    other[at] ^= 0x5A;
    EXPECT_EQ(ReadOutcome(other), "ok 2") << "byte " << at;
  }
  for (std::size_t at = trailer + 17; at < good.size(); ++at) {
    Bytes other = good;
    other[at] = 0xEE;
    EXPECT_EQ(ReadOutcome(other), "ok 2") << "reserved byte " << at;
  }
}

// Every shortened file is refused; none crashes or reads past its end.
TEST(ZLIBArchiveReader, TruncatedFilesAreRejected) {
  const Bytes good = SmallArchive();
  for (std::size_t size = 0; size < good.size(); ++size) {
    const std::string outcome = ReadOutcome(Bytes(good.begin(), good.begin() + size));
    EXPECT_TRUE(outcome == Corrupted || outcome == FileList) << size << ": " << outcome;
  }
}

// Trailers whose CRC is right but whose counts and sizes lie, and directories that do not
// inflate.  Each row names the lie.
TEST(ZLIBArchiveReader, LyingTrailersAndBrokenDirectories) {
  const Bytes good = SmallArchive();
  const std::size_t t = good.size() - 36;
  const std::uint32_t dirSize = good[t + 12] | good[t + 13] << 8;
  const Bytes body(good.begin(), good.end() - 36);
  const Bytes members(body.begin(), body.end() - dirSize);

  struct Case {
    const char* fault;
    std::size_t field;  // trailer offset to overwrite, or 99 for none
    std::uint32_t value;
    Bytes bytes;  // a whole file, used when field is 99
    const char* outcome;
  };
  const Bytes records40(40 * 532, 0);
  Bytes garbage = members;
  garbage.insert(garbage.end(), {0x78, 0x01, 0xFF, 0xFF, 0xFF, 0xFF});
  Bytes bomb = members;
  const Bytes bombStream = Deflate(Bytes(20 * 532, 0));
  bomb.insert(bomb.end(), bombStream.begin(), bombStream.end());
  const Case cases[] = {
      {"negative member count", 4, 0xFFFFFFFF, {}, FileList},
      {"count beyond 2 GiB of records", 4, 0x7FFFFFFF, {}, FileList},
      {"one record more than the stream holds", 4, 3, {}, FileList},
      {"fewer records than stored: the rest is ignored", 4, 1, {}, "ok 1"},
      {"no records: the stream is not even looked at", 4, 0, {}, "ok 0"},
      {"directory larger than the file", 12, static_cast<std::uint32_t>(t + 1), {}, FileList},
      {"directory of no bytes", 12, 0, {}, FileList},
      {"directory starting mid-stream", 12, dirSize - 3, {}, FileList},
      {"flag 2 reads as compressed", 16, 2, {}, "ok 2"},
      {"raw directory larger than the file", 16, 0, {}, FileList},
      {"stream that does not inflate", 99, 0, WithBody(good, garbage, 2, 6), FileList},
      {"stream of 20 records claiming 4 million", 99, 0,
       WithBody(good, bomb, 4000000, static_cast<std::uint32_t>(bombStream.size())), FileList},
      {"raw directory of 40 empty records", 99, 0,
       [&] {
         Bytes b = WithBody(good, records40, 40, 0);
         b[b.size() - 36 + 16] = 0;
         return b;
       }(),
       "ok 40"},
  };
  for (const Case& c : cases) {
    Bytes bytes = c.bytes;
    if (c.field != 99) {
      bytes = good;
      if (c.field == 16) bytes[t + 16] = static_cast<std::uint8_t>(c.value);
      else PutLe32(bytes, t + c.field, c.value);
      if (std::string(c.fault).starts_with("raw directory larger")) PutLe32(bytes, t + 4, 1000);
    }
    EXPECT_EQ(ReadOutcome(bytes), c.outcome) << c.fault;
  }
}

// The same through a file: the message, and no archive open afterwards.
// Without the file's CRC, a reader of the directory alone still refuses a damaged directory:
// a changed byte of the directory's stream fails its inflation or its Adler-32, unless it
// changes nothing that inflates (padding bits, lengths of unused codes) and the records come
// out as written.  Changes in the members pass: each is checked when it is read.
TEST(ZLIBArchiveReader, DirectoryAloneRefusesADamagedDirectory) {
  const Bytes good = SmallArchive();
  auto outcome = [](const Bytes& bytes) -> std::string {
    std::istringstream stream(std::string(bytes.begin(), bytes.end()));
    try {
      std::string records = "ok";
      for (const TZLBEntry& e : ZLBReadDirectory(stream).Entries)
        records += " " + e.Name + ":" + std::to_string(e.Offset) + ":" + std::to_string(e.Crc);
      return records;
    } catch (const EZLBArchiveError& e) {
      return e.what();
    }
  };
  const std::string written = outcome(good);
  ASSERT_EQ(written.substr(0, 8), "ok a.txt");
  std::uint32_t directory = 0;
  for (int i = 0; i < 4; ++i) directory |= std::uint32_t(good[good.size() - 36 + 12 + i]) << (8 * i);
  for (std::size_t at = good.size() - 36 - directory; at < good.size() - 36; ++at) {
    Bytes bad = good;
    bad[at] ^= 0x01;
    const std::string read = outcome(bad);
    EXPECT_TRUE(read == FileList || read == written) << "directory byte " << at << ": " << read;
  }
  Bytes member = good;
  member[5] ^= 0x01;
  EXPECT_EQ(outcome(member), written);
  // A stream with more records than the trailer counts is refused too.
  Bytes fewer = good;
  PutLe32(fewer, fewer.size() - 36 + 4, 1);
  EXPECT_EQ(outcome(fewer), FileList);
}

TEST(ZLIBArchiveReader, OpenArchiveReportsAndCloses) {
  TScratchFolder dir;
  Bytes bad = SmallArchive();
  bad[0] ^= 1;
  const std::string path = dir.Write("bad.pak", bad);
  TZLBArchive archive;
  try {
    archive.OpenArchive(path);
    ADD_FAILURE() << "opened a corrupted archive";
  } catch (const EZLBArchiveError& e) {
    EXPECT_STREQ(e.what(), Corrupted);
  }
  EXPECT_EQ(archive.FileName(), "");
  EXPECT_EQ(archive.Count(), 0);
}

// StreamCRC sums all but the last bytes and leaves the position where it was.
TEST(ZLIBArchiveReader, StreamCRC) {
  const std::string data = "123456789trailer";
  std::istringstream stream(data);
  stream.seekg(5);
  EXPECT_EQ(TZLBArchive::StreamCRC(stream, 7), 0xCBF43926u);  // the CRC-32 check value
  EXPECT_EQ(stream.tellg(), 5);
  EXPECT_EQ(TZLBArchive::StreamCRC(stream, 100), 0u);
}
