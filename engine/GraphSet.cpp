#include "GraphSet.h"

#include <cstring>
#include <stdexcept>

namespace {

constexpr uint8_t DocumentTag = 1;
constexpr int ChunkHeader = 5;  // tag byte and 32-bit length

// Little-endian field access within a payload; the callers check the bounds.
int32_t ReadInt32(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                              uint32_t(p[3]) << 24);
}

void WriteInt32(std::vector<uint8_t>& out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// The 80-bit extended value is kept bit for bit, whatever it encodes.
long double ReadExtended(const uint8_t* p) {
  long double value = 0;
  std::memcpy(&value, p, 10);
  return value;
}

void WriteExtended(std::vector<uint8_t>& out, long double value) {
  uint8_t bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof value);
  out.insert(out.end(), bytes, bytes + 10);
}

// The fixed fields in file order, shared by reading and writing so the two cannot drift.
template <typename Doc, typename Visitor>
void VisitFixedFields(Doc& doc, Visitor&& visit) {
  visit(doc.Kind);
  visit(doc.CoordSystem);
  visit(doc.FrameCount);
  visit(doc.FramesPerSecond);
  visit(doc.BackColor);
  visit(doc.ShowCurve);
  visit(doc.ShowDerivative);
  visit(doc.ShowAxes);
  visit(doc.ShowGrid);
  visit(doc.EqualScale);
  visit(doc.CurveColor);
  visit(doc.DerivativeColor);
  visit(doc.AxesColor);
  visit(doc.GridColor);
  visit(doc.AutoCamera);
  visit(doc.FillCells);
  visit(doc.Shaded);
  visit(doc.ShowMesh);
  visit(doc.FillColor1);
  visit(doc.FillColor2);
  visit(doc.MeshColor);
}

constexpr int TextLengthsOffset = 77;

// Fills a document from a payload, or says why the payload is not one.
std::unique_ptr<TGraphDoc> ReadDocument(std::span<const uint8_t> payload, std::string& reason) {
  if (payload.size() > static_cast<size_t>(TGraphSet::MaxPayload)) {
    reason = "payload longer than " + std::to_string(TGraphSet::MaxPayload) + " bytes";
    return nullptr;
  }
  if (payload.size() < static_cast<size_t>(TGraphSet::FixedPayload)) {
    reason = "payload shorter than the " + std::to_string(TGraphSet::FixedPayload) +
             "-byte fixed part";
    return nullptr;
  }
  const uint8_t* p = payload.data();
  int32_t lengths[GraphTextCount];
  int64_t total = 0;
  for (int i = 0; i < GraphTextCount; ++i) {
    lengths[i] = ReadInt32(p + TextLengthsOffset + 4 * i);
    const TGraphText text = static_cast<TGraphText>(i);
    if (lengths[i] < 0 || lengths[i] >= GraphTextCapacity(text)) {
      reason = std::string(GraphTextName(text)) + " length " + std::to_string(lengths[i]) +
               " does not fit its " + std::to_string(GraphTextCapacity(text)) + "-byte buffer";
      return nullptr;
    }
    total += lengths[i];
  }
  if (TGraphSet::FixedPayload + total != static_cast<int64_t>(payload.size())) {
    reason = "text lengths add up to " + std::to_string(total) + " bytes, the payload holds " +
             std::to_string(payload.size() - TGraphSet::FixedPayload);
    return nullptr;
  }

  auto doc = std::make_unique<TGraphDoc>();
  doc->TMin = ReadExtended(p);
  doc->TMax = ReadExtended(p + 10);
  const uint8_t* field = p + 20;
  VisitFixedFields(*doc, [&](auto& value) {
    if constexpr (sizeof value == 1) {
      value = *field;
    } else {
      value = static_cast<std::remove_reference_t<decltype(value)>>(ReadInt32(field));
    }
    field += sizeof value;
  });
  const char* text = reinterpret_cast<const char*>(p + TGraphSet::FixedPayload);
  for (int i = 0; i < GraphTextCount; ++i) {
    doc->SetText(static_cast<TGraphText>(i), std::string_view(text, lengths[i]));
    text += lengths[i];
  }
  return doc;
}

}  // namespace

bool TGraphSet::Append(std::unique_ptr<TGraphDoc> doc) {
  if (Count() >= MaxDocs) return false;
  docs_.push_back(doc.get());
  chunks_.push_back({std::move(doc), {}});
  return true;
}

void TGraphSet::AppendRaw(TRawChunk chunk) { chunks_.push_back({nullptr, std::move(chunk)}); }

std::vector<TGraphSet::TChunkView> TGraphSet::Chunks() const {
  std::vector<TChunkView> views;
  views.reserve(chunks_.size());
  for (const TChunk& c : chunks_) views.push_back({c.doc.get(), c.doc ? nullptr : &c.raw});
  return views;
}

TGraphSet ParseGraphSet(std::span<const uint8_t> bytes) {
  TGraphSet set;
  size_t at = 0;
  // Every chunk consumes at least its header (or the rest of the file), so the loop ends.
  while (at < bytes.size()) {
    const size_t left = bytes.size() - at;
    if (left < ChunkHeader) {
      set.AppendRaw({{bytes.begin() + at, bytes.end()}, "chunk header cut short by the end of the file"});
      break;
    }
    const uint8_t tag = bytes[at];
    const int32_t length = ReadInt32(&bytes[at + 1]);
    if (length < 0 || static_cast<size_t>(length) > left - ChunkHeader) {
      std::string reason = length < 0 ? "negative payload length " + std::to_string(length)
                                      : "payload of " + std::to_string(length) +
                                            " bytes cut short by the end of the file";
      set.AppendRaw({{bytes.begin() + at, bytes.end()}, std::move(reason)});
      break;
    }
    const auto chunk = bytes.subspan(at, ChunkHeader + length);
    at += chunk.size();
    if (tag != DocumentTag) {
      set.AppendRaw({{chunk.begin(), chunk.end()}, "tag " + std::to_string(tag)});
      continue;
    }
    std::string reason;
    std::unique_ptr<TGraphDoc> doc = ReadDocument(chunk.subspan(ChunkHeader), reason);
    if (doc && set.Count() >= TGraphSet::MaxDocs) {
      reason = "more than " + std::to_string(TGraphSet::MaxDocs) + " graphs in the set";
      doc.reset();
    }
    if (doc) {
      set.Append(std::move(doc));
    } else {
      set.AppendRaw({{chunk.begin(), chunk.end()}, std::move(reason)});
    }
  }
  return set;
}

std::vector<uint8_t> SerializeGraphDoc(const TGraphDoc& doc) {
  std::vector<uint8_t> out;
  out.reserve(TGraphSet::MaxPayload);
  WriteExtended(out, doc.TMin);
  WriteExtended(out, doc.TMax);
  VisitFixedFields(doc, [&](const auto& value) {
    if constexpr (sizeof value == 1) {
      out.push_back(value);
    } else {
      WriteInt32(out, static_cast<int32_t>(value));
    }
  });
  size_t total = 0;
  for (int i = 0; i < GraphTextCount; ++i) {
    const std::string& text = doc.Text(static_cast<TGraphText>(i));
    WriteInt32(out, static_cast<int32_t>(text.size()));
    total += text.size();
  }
  if (TGraphSet::FixedPayload + total > static_cast<size_t>(TGraphSet::MaxPayload)) {
    throw std::length_error("graph \"" + doc.Text(gtName) + "\" needs " +
                            std::to_string(TGraphSet::FixedPayload + total) +
                            " bytes, more than the " + std::to_string(TGraphSet::MaxPayload) +
                            " a graph set file holds per graph");
  }
  for (int i = 0; i < GraphTextCount; ++i) {
    const std::string& text = doc.Text(static_cast<TGraphText>(i));
    out.insert(out.end(), text.begin(), text.end());
  }
  return out;
}

std::vector<uint8_t> SerializeGraphSet(const TGraphSet& set) {
  std::vector<uint8_t> out;
  for (const TGraphSet::TChunkView& chunk : set.Chunks()) {
    if (chunk.raw) {
      out.insert(out.end(), chunk.raw->bytes.begin(), chunk.raw->bytes.end());
      continue;
    }
    const std::vector<uint8_t> payload = SerializeGraphDoc(*chunk.doc);
    out.push_back(DocumentTag);
    WriteInt32(out, static_cast<int32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
  }
  return out;
}
