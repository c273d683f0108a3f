#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The bytes of a fuzz input as an archive file.  Random changes almost never keep the trailer's
// CRC right, which would stop every input at the first check; for inputs with an odd first byte
// the CRC is made to match, so that the fuzzer also reaches the directory and the members.
std::string ArchiveFuzzBytes(const std::uint8_t* data, std::size_t size);
