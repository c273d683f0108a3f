#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "GraphDoc.h"

// The contents of a graph set file: a headerless sequence of chunks, each a tag byte, a signed
// 32-bit little-endian payload length and the payload.  A chunk of tag 1 is a graph document.
//
// Chunks that cannot be shown as documents are kept as raw bytes in their place, so that
// writing the set back loses nothing: other tags, document chunks this program cannot take
// (a payload beyond the 1023-byte chunk buffer, a text longer than its buffer, lengths that do
// not add up, a chunk cut short by the end of the file) and documents beyond the first
// MaxDocs.
class TGraphSet {
public:
  // The documents a saver or a dialog works with.
  static constexpr int MaxDocs = 100;
  // The largest payload a document chunk may have: the chunk buffer holds 1024 bytes with a
  // terminating zero.
  static constexpr int MaxPayload = 1023;
  // The fixed part of a document payload: the fields and the 31 text lengths.
  static constexpr int FixedPayload = 201;

  struct TRawChunk {
    std::vector<uint8_t> bytes;  // the whole chunk as it stood, tag and length included
    std::string reason;          // why it is not a document, for tools that show it
  };

  // The documents, in file order.
  int Count() const { return static_cast<int>(docs_.size()); }
  TGraphDoc& Doc(int index) { return *docs_[index]; }
  const TGraphDoc& Doc(int index) const { return *docs_[index]; }

  // Appends a document.  Returns false (and drops it) when the set already holds MaxDocs.
  bool Append(std::unique_ptr<TGraphDoc> doc);
  // Appends a raw chunk, written back as it stands.
  void AppendRaw(TRawChunk chunk);

  // Every chunk in order: exactly one of the two pointers is set.
  struct TChunkView {
    const TGraphDoc* doc;
    const TRawChunk* raw;
  };
  std::vector<TChunkView> Chunks() const;

private:
  struct TChunk {
    std::unique_ptr<TGraphDoc> doc;
    TRawChunk raw;
  };
  std::vector<TChunk> chunks_;
  std::vector<TGraphDoc*> docs_;
};

// Reads a whole graph set from the bytes of a file.  Never fails: what is not a document is
// kept raw.
TGraphSet ParseGraphSet(std::span<const uint8_t> bytes);

// The payload of a document chunk.  Throws std::length_error when the texts make it longer
// than TGraphSet::MaxPayload, which no reader could take back.
std::vector<uint8_t> SerializeGraphDoc(const TGraphDoc& doc);

// The bytes of a whole graph set file.  Throws std::length_error as SerializeGraphDoc does.
std::vector<uint8_t> SerializeGraphSet(const TGraphSet& set);
