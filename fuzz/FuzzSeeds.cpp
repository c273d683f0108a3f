// fuzz_seeds NAME DIR: writes the starting corpus of the fuzz target NAME into DIR: small valid
// inputs of every kind the target's reader handles, made by the test suite's own writers or
// taken from the sample files.
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "GIFTestFiles.h"
#include "GraphText.h"
#include "JPEGWriter.h"
#include "ListFile.h"
#include "ZLIBArchiveFormat.h"

namespace {

using TBytes = std::vector<uint8_t>;
using TSeeds = std::vector<std::pair<std::string, TBytes>>;  // file name, content

TBytes SeedBytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string SeedReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The sample graph sets: the one that ships and the test suite's file of faulty lines.
std::vector<std::string> SeedGraphTexts() {
  return {SeedReadFile(PLOTVANE_SOURCE_DIR "/samples/Showcase.twktext"),
          SeedReadFile(PLOTVANE_SOURCE_DIR "/tests/tools/Broken.twktext")};
}

TGraphSet SeedShowcase() { return BuildGraphSet(SeedGraphTexts().front()); }

TSeeds SeedsExpression() {
  TSeeds seeds;
  const TGraphSet set = SeedShowcase();
  for (int i = 0; i < set.Count(); ++i)
    for (int text = 0; text < GraphTextCount; ++text) {
      const std::string& formula = set.Doc(i).Text(TGraphText(text));
      if (!formula.empty()) seeds.push_back({"showcase", SeedBytes(formula)});
    }
  return seeds;
}

TSeeds SeedsGraphSet() {
  const TGraphSet set = SeedShowcase();
  TSeeds seeds = {{"showcase.twk", SerializeGraphSet(set)}, {"empty.twk", SerializeGraphSet({})}};
  return seeds;
}

TSeeds SeedsGraphText() {
  TSeeds seeds;
  for (const std::string& text : SeedGraphTexts()) seeds.push_back({"sample.twktext", SeedBytes(text)});
  seeds.push_back({"dump.twktext", SeedBytes(DumpGraphSet(SeedShowcase()))});
  return seeds;
}

TSeeds SeedsGIF() {
  TSeeds seeds;
  std::mt19937 random(1);
  for (int n = 0; n < 64; ++n) seeds.push_back({"random.gif", GIFWrite(GIFRandomFile(random, 4, 48))});
  return seeds;
}

// Small files of every kind the JPEG reader handles: colour spaces, progressive, restart
// markers, subsampling, EXIF data.
TSeeds SeedsJPEG() {
  TSeeds seeds;
  int n = 0;
  for (TJPEGTestSpace space : {jtGrayscale, jtYCbCr, jtRGB, jtCMYK, jtYCCK}) {
    for (int variant = 0; variant < 6; ++variant) {
      TJPEGTestImage image;
      image.Space = space;
      image.Width = 7 + 13 * variant;
      image.Height = 5 + 9 * variant;
      image.Progressive = variant % 2 == 1;
      image.Subsampled = variant % 3 != 2;
      image.RestartRows = variant >= 3 ? 1 : 0;
      image.Quality = 50 + 8 * variant;
      image.Seed = uint32_t(n++);
      if (variant == 4) image.App1 = JPEGTestExif(6, space % 2 == 0);
      seeds.push_back({"seed.jpg", JPEGTestWrite(image)});
    }
  }
  return seeds;
}

TSeeds SeedsExif() {
  TSeeds seeds;
  for (int orientation = 1; orientation <= 8; ++orientation)
    for (bool little : {false, true}) seeds.push_back({"exif", JPEGTestExif(orientation, little)});
  return seeds;
}

TSeeds SeedsListFile() {
  return {{"list.dat", SeedBytes(ListFileEncode("5", {"C:\\Foto\\mare.jpg", "C:\\Foto\\gatto.gif",
                                                          "", "D:/scan/pagina 1.bmp"}))},
          {"list.dat", SeedBytes(ListFileEncode(" -3 ", {"a.jpg"}))},
          {"list.dat", SeedBytes("0\nuno.jpg\rdue.jpg")},
          {"list.dat", SeedBytes(ListFileEncode("", {}))}};
}

// A 24-bit bitmap of width × height in blue-green-red rows from the bottom, each padded to
// four bytes.
TBytes SeedBMP(int width, int height) {
  const uint32_t row = uint32_t(width * 3 + 3) & ~3u;
  const uint32_t size = 54 + row * uint32_t(height);
  TBytes bmp(size);
  auto put = [&](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp[at + i] = uint8_t(value >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);  // offset of the pixels
  put(14, 40, 4);  // header size
  put(18, uint32_t(width), 4);
  put(22, uint32_t(height), 4);
  put(26, 1, 2);   // planes
  put(28, 24, 2);  // bits per pixel
  for (uint32_t i = 54; i < size; ++i) bmp[i] = uint8_t(i * 37);
  return bmp;
}

// An archive as the editor writes it, built here from its parts so that the seeds cover every
// layout: members stored or compressed, the directory raw or compressed.
TBytes SeedArchive(const TSeeds& members, bool compressMembers, bool compressDirectory) {
  TBytes file, directory;
  for (const auto& [name, content] : members) {
    TZLBEntry entry;
    entry.Name = name;
    entry.UncompressedSize = uint32_t(content.size());
    entry.Offset = uint32_t(file.size());
    entry.Crc = uint32_t(crc32(0, content.data(), uInt(content.size())));
    TBytes block = content;
    if (compressMembers) {
      uLongf length = compressBound(uLong(content.size()));
      block.resize(length);
      compress2(block.data(), &length, content.data(), uLong(content.size()), 9);
      block.resize(length);
      entry.Level = fcMaximum;
    } else {
      entry.Method = ZLBMethodStored;
    }
    entry.StoredSize = uint32_t(block.size());
    file.insert(file.end(), block.begin(), block.end());
    const TZLBRecordBytes record = ZLBEncodeRecord(entry);
    directory.insert(directory.end(), record.begin(), record.end());
  }
  TZLBTrailer trailer;
  trailer.Count = int32_t(members.size());
  trailer.DirectoryCompressed = compressDirectory ? 1 : 0;
  trailer.DirectorySize = uint32_t(file.size());
  if (compressDirectory) {
    uLongf length = compressBound(uLong(directory.size()));
    TBytes stream(length);
    compress2(stream.data(), &length, directory.data(), uLong(directory.size()), 9);
    stream.resize(length);
    directory = stream;
    trailer.DirectorySize = uint32_t(length);
  }
  file.insert(file.end(), directory.begin(), directory.end());
  trailer.Crc = uint32_t(crc32(0, file.data(), uInt(file.size())));
  const TZLBTrailerBytes end = ZLBEncodeTrailer(trailer);
  file.insert(file.end(), end.begin(), end.end());
  return file;
}

TSeeds SeedsArchive() {
  const TSeeds members = {{"list.dat", SeedBytes("5\r\n")}, {"testo.txt", SeedBytes("slide 1\r\n")},
                          {"vuoto", {}}};
  TSeeds seeds = {{"empty.pak", SeedArchive({}, false, true)}};
  for (bool members_ : {false, true})
    for (bool directory : {false, true})
      seeds.push_back({"archive.pak", SeedArchive(members, members_, directory)});
  return seeds;
}

// Slideshows of a few small pictures of each kind, listed with the paths of the machine that
// built them, as the editor lists them.
TSeeds SeedsSlideshow() {
  TJPEGTestImage jpeg;
  jpeg.Width = 40;
  jpeg.Height = 30;
  jpeg.App1 = JPEGTestExif(6, true);
  std::mt19937 random(2);
  const TSeeds pictures = {{"foto.jpg", JPEGTestWrite(jpeg)},
                           {"anim.gif", GIFWrite(GIFRandomFile(random, 3, 24))},
                           {"scan.bmp", SeedBMP(5, 3)}};
  const std::string list =
      ListFileEncode("3", {"C:\\Foto\\foto.jpg", "C:\\Foto\\anim.gif", "", "C:\\Foto\\scan.bmp",
                           "C:\\Foto\\manca.jpg"});
  TSeeds members = pictures;
  members.push_back({"list.dat", SeedBytes(list)});
  TSeeds seeds;
  for (bool compress : {false, true}) seeds.push_back({"show.pak", SeedArchive(members, compress, !compress)});
  for (const auto& picture : pictures) {
    const TSeeds one = {{"list.dat", SeedBytes(ListFileEncode("0", {picture.first}))}, picture};
    seeds.push_back({"one.pak", SeedArchive(one, false, false)});
  }
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  const std::map<std::string, std::function<TSeeds()>> targets = {
      {"archive", SeedsArchive},     {"exif", SeedsExif},           {"expression", SeedsExpression},
      {"gif", SeedsGIF},             {"gif_giflib", SeedsGIF},      {"graphset", SeedsGraphSet},
      {"graphtext", SeedsGraphText}, {"jpeg", SeedsJPEG},           {"listfile", SeedsListFile},
      {"slideshow", SeedsSlideshow}};
  if (argc != 3 || !targets.count(argv[1])) {
    std::cerr << "usage: fuzz_seeds NAME DIR, NAME one of:";
    for (const auto& target : targets) std::cerr << " " << target.first;
    std::cerr << "\n";
    return 2;
  }
  const TSeeds seeds = targets.at(argv[1])();
  for (std::size_t n = 0; n < seeds.size(); ++n) {
    const std::string path = std::string(argv[2]) + "/" + std::to_string(n) + "-" + seeds[n].first;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(seeds[n].second.data()), std::streamsize(seeds[n].second.size()));
    if (!out.flush()) {
      std::cerr << "fuzz_seeds: cannot write " << path << "\n";
      return 1;
    }
  }
  return 0;
}
