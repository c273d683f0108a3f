#include "PakCommands.h"

#include <cstdio>
#include <map>

#include <zlib.h>

#include "FileAccess.h"
#include "ZLIBArchive.h"

namespace {

const std::map<std::string, TFileCompressionLevel> Levels = {
    {"none", fcNone}, {"fastest", fcFastest}, {"default", fcDefault}, {"max", fcMaximum}};

// Deflate never expands more than this factor (its maximum ratio is 1032:1), so a record
// that claims more than this cannot be right and is refused before any allocation.
constexpr std::uint64_t MaxInflateRatio = 1032;

std::string Hex8(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

// Inflates or copies member i and compares it with its record.  Empty string when it matches.
std::string CheckMemberData(std::istream& file, const TZLBEntry& e, std::size_t i) {
  const std::string which = "Member " + std::to_string(i) + " (" + e.Name + ")";
  std::vector<std::uint8_t> stored(e.StoredSize);
  file.clear();
  file.seekg(e.Offset);
  file.read(reinterpret_cast<char*>(stored.data()), static_cast<std::streamsize>(stored.size()));
  if (static_cast<std::size_t>(file.gcount()) != stored.size()) return which + " cannot be read";
  std::vector<std::uint8_t> content;
  if (e.Method == ZLBMethodStored) {
    content = std::move(stored);
  } else {
    if (e.UncompressedSize > std::uint64_t(e.StoredSize) * MaxInflateRatio + 64)
      return which + " claims more content than its data can hold";
    content.resize(e.UncompressedSize);
    uLongf length = static_cast<uLongf>(content.size());
    // One extra byte of room would show a stream longer than the record says; uncompress
    // reports Z_BUF_ERROR for that and for a stream that ends too early.
    if (uncompress(content.data(), &length, stored.data(), static_cast<uLong>(stored.size())) != Z_OK ||
        length != content.size())
      return which + " does not inflate to its size";
  }
  if (crc32(crc32(0, nullptr, 0), content.data(), static_cast<uInt>(content.size())) != e.Crc)
    return which + " does not match its CRC";
  return {};
}

}  // namespace

int PakCreate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TZLBArchive archive;
  std::string target;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--level") {
      if (i + 1 >= args.size() || !Levels.contains(args[i + 1])) {
        err << "pak: --level takes none, fastest, default or max\n";
        return 2;
      }
      archive.CompressionLevel = Levels.at(args[++i]);
    } else if (a == "--save-paths") {
      archive.SavePaths = true;
    } else if (a == "--recurse") {
      archive.RecursePaths = true;
    } else if (a.starts_with("--")) {
      err << "pak: unknown option " << a << "\n";
      return 2;
    } else if (target.empty()) {
      target = a;
    } else {
      files.push_back(a);
    }
  }
  if (target.empty()) {
    err << "pak create: no archive name given\n";
    return 2;
  }
  try {
    archive.CreateArchive(target);
  } catch (const EZLBArchiveError& e) {
    out << e.what() << ": " << target << "\n";
    return 1;
  }
  const TZLBWriteResult result = archive.AddFiles(files);
  for (const TZLBSkippedMember& skipped : result.Skipped) out << "skipped: " << skipped.Reason << "\n";
  if (!result.Written) {
    out << "not written: " << result.Error << "\n";
    return 1;
  }
  out << target << ": " << archive.Count() << " members, written and verified\n";
  return result.Skipped.empty() ? 0 : 1;
}

int PakList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: pak list FILE.pak\n";
    return 2;
  }
  TZLBArchive archive;
  try {
    archive.OpenArchive(args[0]);
  } catch (const EZLBArchiveError& e) {
    out << e.what() << "\n";
    return 1;
  }
  out << "name\tfolder\tsize\tstored\tmethod\tlevel\tcrc\toffset\n";
  for (int i = 0; i < archive.Count(); ++i) {
    const TZLBEntry e = archive.GetEntry(i);
    out << e.Name << '\t' << e.Folder << '\t' << e.UncompressedSize << '\t' << e.StoredSize << '\t'
        << int(e.Method) << '\t' << int(e.Level) << '\t' << Hex8(e.Crc) << '\t' << e.Offset << '\n';
  }
  return 0;
}

int PakVerify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: pak verify FILE.pak\n";
    return 2;
  }
  try {
    TZLBArchive archive;  // the editor's own check first: not found, CRC, directory
    archive.OpenArchive(args[0]);
  } catch (const EZLBArchiveError& e) {
    out << e.what() << "\n";
    return 1;
  }
  std::unique_ptr<std::istream> opened = FileOpenRead(args[0]);
  if (!opened) {
    out << "Unable to open file (" << args[0] << ")\n";
    return 1;
  }
  std::istream& file = *opened;
  TZLBArchiveContents contents;
  try {
    contents = ZLBReadArchive(file);
  } catch (const EZLBArchiveError& e) {  // changed since the first check
    out << e.what() << "\n";
    return 1;
  }
  file.clear();
  file.seekg(0, std::ios::end);
  const std::uint64_t size = static_cast<std::uint64_t>(file.tellg());
  std::string fault = ZLBCheckEntries(contents, size);
  for (std::size_t i = 0; fault.empty() && i < contents.Entries.size(); ++i)
    fault = CheckMemberData(file, contents.Entries[i], i);
  if (!fault.empty()) {
    out << fault << "\n";
    return 1;
  }
  out << "OK: " << contents.Entries.size() << " members\n";
  return 0;
}
