#include "GraphText.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <set>

namespace {

// ---- writing ----

bool NeedsQuotes(const std::string& text) {
  if (text.empty()) return false;
  if (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' || text.back() == '\t' ||
      text.front() == '"') {
    return true;
  }
  for (unsigned char c : text) {
    if (c < 0x20 || c >= 0x7F) return true;
  }
  return false;
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          char hex[5];
          std::snprintf(hex, sizeof hex, "\\x%02X", c);
          out += hex;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

std::string Hex(const uint8_t* bytes, size_t count) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

// The 10 bytes of an extended value, most significant first.
std::string ExtendedBits(long double value) {
  uint8_t bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &value, sizeof value);
  uint8_t reversed[10];
  for (int i = 0; i < 10; ++i) reversed[i] = bytes[9 - i];
  return Hex(reversed, 10);
}

std::string Format(const char* format, auto... values) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

std::string KindName(TGraphKind kind) {
  return kind == gkCurve2D ? "curve" : kind == gkSurface3D ? "surface" : std::to_string(kind);
}

std::string SystemName(TCoordSystem system) {
  switch (system) {
    case csCartesian: return "cartesian";
    case csCylindrical: return "cylindrical";
    case csSpherical: return "spherical";
  }
  return std::to_string(system);
}

// ---- the fields, shared by writing and reading ----

enum class TValueKind { Byte, Int, Colour };

template <typename Doc, typename Visitor>
void VisitNumbers(Doc& doc, Visitor&& visit) {
  visit("FrameCount", TValueKind::Int, doc.FrameCount);
  visit("FramesPerSecond", TValueKind::Int, doc.FramesPerSecond);
  visit("BackColor", TValueKind::Colour, doc.BackColor);
  visit("ShowCurve", TValueKind::Byte, doc.ShowCurve);
  visit("ShowDerivative", TValueKind::Byte, doc.ShowDerivative);
  visit("ShowAxes", TValueKind::Byte, doc.ShowAxes);
  visit("ShowGrid", TValueKind::Byte, doc.ShowGrid);
  visit("EqualScale", TValueKind::Byte, doc.EqualScale);
  visit("CurveColor", TValueKind::Colour, doc.CurveColor);
  visit("DerivativeColor", TValueKind::Colour, doc.DerivativeColor);
  visit("AxesColor", TValueKind::Colour, doc.AxesColor);
  visit("GridColor", TValueKind::Colour, doc.GridColor);
  visit("AutoCamera", TValueKind::Byte, doc.AutoCamera);
  visit("FillCells", TValueKind::Byte, doc.FillCells);
  visit("Shaded", TValueKind::Byte, doc.Shaded);
  visit("ShowMesh", TValueKind::Byte, doc.ShowMesh);
  visit("FillColor1", TValueKind::Colour, doc.FillColor1);
  visit("FillColor2", TValueKind::Colour, doc.FillColor2);
  visit("MeshColor", TValueKind::Colour, doc.MeshColor);
}

void DumpDocument(std::string& out, const TGraphDoc& doc) {
  out += "[graph]\n";
  for (int i = 0; i < GraphTextCount; ++i) {
    const TGraphText text = static_cast<TGraphText>(i);
    const std::string& value = doc.Text(text);
    out += std::string(GraphTextName(text)) + " =";
    if (!value.empty()) out += " " + (NeedsQuotes(value) ? Quoted(value) : value);
    out += "\n";
  }
  out += "Kind = " + KindName(doc.Kind) + "\n";
  out += "CoordSystem = " + SystemName(doc.CoordSystem) + "\n";
  VisitNumbers(doc, [&](const char* name, TValueKind kind, const auto& value) {
    out += std::string(name) + " = ";
    out += kind == TValueKind::Colour ? Format("0x%06X", unsigned(value)) : std::to_string(value);
    out += "\n";
  });
  out += "TMin = " + Format("%.21Lg", doc.TMin) + "\n";
  out += "TMinBits = " + ExtendedBits(doc.TMin) + "\n";
  out += "TMax = " + Format("%.21Lg", doc.TMax) + "\n";
  out += "TMaxBits = " + ExtendedBits(doc.TMax) + "\n";
}

void DumpRaw(std::string& out, const TGraphSet::TRawChunk& raw) {
  out += "[raw]\n";
  if (!raw.reason.empty()) out += "# not a graph: " + raw.reason + "\n";
  constexpr size_t PerLine = 32;
  for (size_t at = 0; at < raw.bytes.size(); at += PerLine) {
    out += "bytes = " + Hex(raw.bytes.data() + at, std::min(PerLine, raw.bytes.size() - at)) + "\n";
  }
}

// ---- reading ----

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class TReader {
public:
  explicit TReader(std::string_view text) : text_(text) {}

  TGraphSet Run() {
    size_t at = 0;
    while (at <= text_.size()) {
      const size_t end = std::min(text_.find('\n', at), text_.size());
      ++line_;
      Line(Trim(text_.substr(at, end - at)));
      at = end + 1;
    }
    Finish();
    return std::move(set_);
  }

private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw EGraphTextError("line " + std::to_string(line_) + ": " + message);
  }

  void Line(std::string_view line) {
    if (line.empty() || line.front() == '#') return;
    if (line == "[graph]" || line == "[raw]") {
      Finish();
      section_ = line == "[graph]" ? TSection::Graph : TSection::Raw;
      sectionLine_ = line_;
      if (section_ == TSection::Graph) doc_ = std::make_unique<TGraphDoc>();
      return;
    }
    if (line.front() == '[') Fail("unknown section " + std::string(line) + " (use [graph] or [raw])");
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) Fail("expected KEY = VALUE");
    const std::string key(Trim(line.substr(0, equals)));
    const std::string_view value = Trim(line.substr(equals + 1));
    if (section_ == TSection::None) Fail("'" + key + "' before the first [graph] or [raw]");
    if (section_ == TSection::Raw) {
      if (key != "bytes") Fail("a [raw] section holds only 'bytes' lines");
      RawBytes(value);
      return;
    }
    if (!seen_.insert(key).second) Fail(key + " given twice");
    GraphField(key, value);
  }

  void RawBytes(std::string_view value) {
    int high = -1;
    for (char c : value) {
      if (c == ' ' || c == '\t') continue;
      const int digit = HexDigit(c);
      if (digit < 0) Fail("'" + std::string(1, c) + "' is not a hex digit");
      if (high < 0) {
        high = digit;
      } else {
        raw_.push_back(static_cast<uint8_t>(high << 4 | digit));
        high = -1;
      }
    }
    if (high >= 0) Fail("an odd number of hex digits");
  }

  std::string Unquote(std::string_view value) {
    if (value.empty() || value.front() != '"') return std::string(value);
    if (value.size() < 2 || value.back() != '"') Fail("a quoted value must end with \"");
    value = value.substr(1, value.size() - 2);
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] != '\\') {
        if (value[i] == '"') Fail("a \" inside quotes must be written \\\"");
        out += value[i];
        continue;
      }
      if (++i >= value.size()) Fail("a \\ at the end of a quoted value");
      switch (value[i]) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
          const int high = i + 1 < value.size() ? HexDigit(value[i + 1]) : -1;
          const int low = i + 2 < value.size() ? HexDigit(value[i + 2]) : -1;
          if (high < 0 || low < 0) Fail("\\x needs two hex digits");
          out += static_cast<char>(high << 4 | low);
          i += 2;
          break;
        }
        default: Fail(std::string("unknown escape \\") + value[i]);
      }
    }
    return out;
  }

  int64_t Integer(const std::string& key, std::string_view value, int64_t low, int64_t high) {
    const std::string text(value);
    char* end = nullptr;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    errno = 0;
    const long long n = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || n < low || n > high) {
      Fail(key + ": '" + text + "' is not a whole number from " + std::to_string(low) + " to " +
           std::to_string(high));
    }
    return n;
  }

  void GraphField(const std::string& key, std::string_view value) {
    for (int i = 0; i < GraphTextCount; ++i) {
      const TGraphText text = static_cast<TGraphText>(i);
      if (key != GraphTextName(text)) continue;
      const std::string unquoted = Unquote(value);
      if (!doc_->SetText(text, unquoted)) {
        Fail(key + " holds at most " + std::to_string(GraphTextCapacity(text) - 1) +
             " characters, not " + std::to_string(unquoted.size()));
      }
      return;
    }
    if (key == "Kind") {
      doc_->Kind = value == "curve"     ? gkCurve2D
                   : value == "surface" ? gkSurface3D
                                        : static_cast<TGraphKind>(Integer(key, value, INT32_MIN, INT32_MAX));
      return;
    }
    if (key == "CoordSystem") {
      doc_->CoordSystem = value == "cartesian"     ? csCartesian
                          : value == "cylindrical" ? csCylindrical
                          : value == "spherical"   ? csSpherical
                                                   : static_cast<TCoordSystem>(
                                                       Integer(key, value, INT32_MIN, INT32_MAX));
      return;
    }
    if (key == "TMin" || key == "TMax" || key == "TMinBits" || key == "TMaxBits") {
      (key.starts_with("TMin") ? tmin_ : tmax_).Take(key, value, *this);
      return;
    }
    bool found = false;
    VisitNumbers(*doc_, [&](const char* name, TValueKind kind, auto& field) {
      if (found || key != name) return;
      found = true;
      if (kind == TValueKind::Byte) {
        if (value == "true" || value == "false") {
          field = value == "true";
        } else {
          field = static_cast<uint8_t>(Integer(key, value, 0, 255));
        }
      } else if (kind == TValueKind::Colour) {
        field = static_cast<TColor>(Integer(key, value, 0, UINT32_MAX));
      } else {
        field = static_cast<int32_t>(Integer(key, value, INT32_MIN, INT32_MAX));
      }
    });
    if (!found) Fail("unknown key '" + key + "'");
  }

  // TMin or TMax: a decimal value, exact bits, or neither (then the value of its text).
  struct TExtendedField {
    std::optional<long double> decimal, bits;

    void Take(const std::string& key, std::string_view value, TReader& reader) {
      if (key.ends_with("Bits")) {
        if (value.size() != 20) reader.Fail(key + " needs 20 hex digits");
        uint8_t bytes[sizeof(long double)] = {};
        for (int i = 0; i < 10; ++i) {
          const int high = HexDigit(value[2 * i]), low = HexDigit(value[2 * i + 1]);
          if (high < 0 || low < 0) reader.Fail(key + " needs 20 hex digits");
          bytes[9 - i] = static_cast<uint8_t>(high << 4 | low);
        }
        long double v;
        std::memcpy(&v, bytes, sizeof v);
        bits = v;
      } else {
        const std::string text(value);
        char* end = nullptr;
        const long double v = std::strtold(text.c_str(), &end);
        if (text.empty() || *end != '\0') reader.Fail(key + ": '" + text + "' is not a number");
        decimal = v;
      }
    }
    long double Value(const std::string& text) const {
      if (bits) return *bits;
      if (decimal) return *decimal;
      TExpression scratch;
      scratch.Compile(text);
      return scratch.Valid() ? scratch.Evaluate(0, 0, 0) : 0;
    }
  };

  void Finish() {
    if (section_ == TSection::Graph) {
      doc_->TMin = tmin_.Value(doc_->Text(gtTMin));
      doc_->TMax = tmax_.Value(doc_->Text(gtTMax));
      try {
        SerializeGraphDoc(*doc_);
      } catch (const std::length_error& e) {
        throw EGraphTextError("line " + std::to_string(sectionLine_) + ": " + e.what());
      }
      if (set_.Count() < TGraphSet::MaxDocs) {
        set_.Append(std::move(doc_));
      } else {  // kept as the loader keeps graphs beyond the table
        TGraphSet single;
        single.Append(std::move(doc_));
        set_.AppendRaw({SerializeGraphSet(single), "more than 100 graphs in the set"});
      }
    } else if (section_ == TSection::Raw) {
      if (raw_.empty()) {
        throw EGraphTextError("line " + std::to_string(sectionLine_) + ": [raw] without bytes");
      }
      set_.AppendRaw({std::move(raw_), ""});
    }
    section_ = TSection::None;
    doc_.reset();
    raw_.clear();
    seen_.clear();
    tmin_ = {};
    tmax_ = {};
  }

  enum class TSection { None, Graph, Raw };

  std::string_view text_;
  int line_ = 0;
  int sectionLine_ = 0;
  TSection section_ = TSection::None;
  TGraphSet set_;
  std::unique_ptr<TGraphDoc> doc_;
  std::vector<uint8_t> raw_;
  std::set<std::string> seen_;
  TExtendedField tmin_, tmax_;
};

}  // namespace

std::string DumpGraphSet(const TGraphSet& set) {
  std::string out =
      "# graph set: one section per chunk, in file order (twk build turns this back into a file)\n";
  for (const TGraphSet::TChunkView& chunk : set.Chunks()) {
    out += "\n";
    if (chunk.doc) {
      DumpDocument(out, *chunk.doc);
    } else {
      DumpRaw(out, *chunk.raw);
    }
  }
  return out;
}

TGraphSet BuildGraphSet(std::string_view text) { return TReader(text).Run(); }
