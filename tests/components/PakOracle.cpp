#include "PakOracle.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | std::uint32_t(b.at(at + 3)) << 24;
}

std::uint32_t Crc(const std::uint8_t* data, std::size_t size) {
  return static_cast<std::uint32_t>(crc32(0L, data, static_cast<uInt>(size)));
}

std::vector<std::uint8_t> Inflate(const std::uint8_t* data, std::size_t size, std::size_t expected) {
  std::vector<std::uint8_t> out(expected + 1);  // one spare byte shows a stream that is too long
  uLongf length = static_cast<uLongf>(out.size());
  const int status = uncompress(out.data(), &length, data, static_cast<uLong>(size));
  EXPECT_EQ(status, Z_OK) << "zlib stream does not inflate";
  EXPECT_EQ(length, expected) << "zlib stream inflates to the wrong size";
  out.resize(length);
  return out;
}

// A 256-byte length-prefixed field: the length, that many bytes, zeros to the end.
std::string ShortString(const std::vector<std::uint8_t>& record, std::size_t at) {
  const std::size_t length = record[at];
  for (std::size_t i = at + 1 + length; i < at + 256; ++i)
    EXPECT_EQ(record[i], 0) << "byte " << i << " of a record after its string";
  return std::string(record.begin() + at + 1, record.begin() + at + 1 + length);
}

}  // namespace

std::vector<std::uint8_t> PakOracleFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  EXPECT_TRUE(file) << fileName;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TPakOracleArchive PakOracleRead(const std::vector<std::uint8_t>& bytes) {
  TPakOracleArchive a;
  if (bytes.size() < 36) {
    ADD_FAILURE() << "file shorter than its trailer";
    return a;
  }
  const std::size_t trailer = bytes.size() - 36;
  a.crc = Le32(bytes, trailer);
  a.count = static_cast<std::int32_t>(Le32(bytes, trailer + 4));
  a.one = Le32(bytes, trailer + 8);
  a.directorySize = Le32(bytes, trailer + 12);
  a.compressed = bytes[trailer + 16];
  EXPECT_EQ(a.crc, Crc(bytes.data(), trailer)) << "trailer CRC";
  EXPECT_EQ(a.one, 1u);
  for (std::size_t i = trailer + 17; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], 0) << "reserved byte " << i;

  const std::size_t records = static_cast<std::size_t>(a.count) * 532;
  std::vector<std::uint8_t> directory;
  std::size_t memberEnd = 0;
  if (a.compressed == 1) {
    memberEnd = trailer - a.directorySize;
    a.directoryStream.assign(bytes.begin() + memberEnd, bytes.begin() + trailer);
    directory = Inflate(a.directoryStream.data(), a.directoryStream.size(), records);
  } else {
    memberEnd = trailer - records;
    EXPECT_EQ(a.directorySize, memberEnd) << "raw directory: size field = size before it";
    directory.assign(bytes.begin() + memberEnd, bytes.begin() + trailer);
  }
  if (directory.size() != records) return a;

  std::size_t expectedOffset = 0;
  for (std::size_t r = 0; r < records; r += 532) {
    const std::vector<std::uint8_t> rec(directory.begin() + r, directory.begin() + r + 532);
    TPakOracleMember m;
    m.name = ShortString(rec, 0);
    m.folder = rec[256] == 0 ? std::string() : ShortString(rec, 256);
    if (rec[256] == 0) {
      for (std::size_t i = 256; i < 512; ++i) EXPECT_EQ(rec[i], 0) << "empty folder field byte " << i;
    }
    m.size = Le32(rec, 512);
    m.stored = Le32(rec, 516);
    m.offset = Le32(rec, 520);
    m.crc = Le32(rec, 524);
    m.method = rec[528];
    m.level = rec[529];
    EXPECT_EQ(rec[530], 0);
    EXPECT_EQ(rec[531], 0);
    // Blocks lie back to back from offset 0, in directory order.
    EXPECT_EQ(m.offset, expectedOffset) << m.name;
    expectedOffset = m.offset + m.stored;
    EXPECT_LE(expectedOffset, memberEnd) << m.name;
    if (expectedOffset > memberEnd) return a;
    m.block.assign(bytes.begin() + m.offset, bytes.begin() + m.offset + m.stored);
    if (m.method == 0) {
      EXPECT_LT(m.stored, m.size) << m.name << ": compressed only when it shrinks";
      m.content = Inflate(m.block.data(), m.block.size(), m.size);
    } else {
      EXPECT_EQ(m.method, 1) << m.name;
      EXPECT_EQ(m.level, 0) << m.name;
      EXPECT_EQ(m.stored, m.size) << m.name;
      m.content = m.block;
    }
    EXPECT_EQ(m.crc, Crc(m.content.data(), m.content.size())) << m.name;
    a.members.push_back(std::move(m));
  }
  EXPECT_EQ(expectedOffset, memberEnd) << "bytes between the last block and the directory";
  return a;
}
