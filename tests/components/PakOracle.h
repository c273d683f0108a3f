#pragma once

// An archive reader written for the tests from the published layout alone, sharing no code
// with the component: it walks the file from its trailer and inflates every member with
// zlib's one-shot uncompress.  Any disagreement with the layout fails an expectation.

#include <cstdint>
#include <string>
#include <vector>

struct TPakOracleMember {
  std::string name, folder;
  std::uint32_t size = 0, stored = 0, offset = 0, crc = 0;
  std::uint8_t method = 0, level = 0;
  std::vector<std::uint8_t> block;    // the stored bytes
  std::vector<std::uint8_t> content;  // inflated or copied
};

struct TPakOracleArchive {
  std::uint32_t crc = 0, one = 0, directorySize = 0;
  std::int32_t count = 0;
  std::uint8_t compressed = 0;
  std::vector<std::uint8_t> directoryStream;  // as stored
  std::vector<TPakOracleMember> members;
};

// Reads bytes, recording a test failure for every rule of the layout they break.
TPakOracleArchive PakOracleRead(const std::vector<std::uint8_t>& bytes);

std::vector<std::uint8_t> PakOracleFile(const std::string& fileName);
