// The slideshow from archives the editor's writer makes: decoding each entry fitted to its
// monitor, what cannot be shown, opening without reading the pictures, and the words of every
// failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "GIFTestFiles.h"
#include "JPEGWriter.h"
#include "ListFile.h"
#include "ScratchFolder.h"
#include "Slideshow.h"
#include "ZLIBArchive.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A two-frame 4 × 2 GIF: the second frame repaints the left half.
std::vector<std::uint8_t> TwoFrameGif() {
  TGIFFileSpec file;
  file.Width = 4;
  file.Height = 2;
  file.GlobalTable = {0xFF0000, 0x0000FF};
  file.LoopCount = 0;
  for (int i = 0; i < 2; ++i) {
    TGIFFrameSpec frame;
    frame.Width = i == 0 ? 4 : 2;
    frame.Height = 2;
    frame.Pixels.assign(std::size_t(frame.Width * 2), std::uint8_t(i));
    frame.Control = true;
    frame.Delay = 10;
    file.Frames.push_back(frame);
  }
  return GIFWrite(file);
}

std::vector<std::uint8_t> Jpeg(int width, int height, int orientation) {
  TJPEGTestImage image;
  image.Width = width;
  image.Height = height;
  if (orientation != 1) image.App1 = JPEGTestExif(orientation, true);
  return JPEGTestWrite(image);
}

// A small still picture (bitmaps are read by the platform, which the Windows tests cover).
std::vector<std::uint8_t> Small() { return Jpeg(3, 1, 1); }

class Slideshow : public ::testing::Test {
protected:
  // Packs list.dat (interval, then each entry as a path of the building machine) and the
  // named files as the editor does; returns the archive's path.
  std::string Pack(const std::string& interval, const std::vector<std::string>& entries,
                   const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& files) {
    std::vector<std::string> list{scratch_.Write("list.dat", Bytes(ListFileEncode(interval, entries)))};
    for (const auto& [name, bytes] : files) list.push_back(scratch_.Write("pictures/" + name, bytes));
    const std::string archive = scratch_.Path("Vacanze.pak");
    std::filesystem::remove(archive);
    TZLBArchive writer;
    writer.CompressionLevel = fcFastest;
    writer.CreateArchive(archive);
    writer.AddFiles(list);
    writer.CloseArchive();
    return archive;
  }
  // Decodes entry `entry` for a monitor of width × height; the error's words when it fails.
  static std::string Decode(TSlideshow& show, int entry, int width, int height, TSlidePicture& picture,
                            bool enlarge = false) {
    try {
      picture = show.Decode({0, entry, width, height}, enlarge, {});
      return "";
    } catch (const std::exception& error) {
      return error.what();
    }
  }
  static void FlipByte(const std::string& path, std::uint64_t offsetFromEnd) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekg(0, std::ios::end);
    const auto at = std::streamoff(std::uint64_t(file.tellg()) - offsetFromEnd);
    file.seekg(at);
    char c = 0;
    file.get(c);
    file.seekp(at);
    file.put(char(c ^ 0x01));
  }

  TScratchFolder scratch_;
};

}  // namespace

TEST_F(Slideshow, EachEntryDecodedAndFittedToItsMonitorOrRefused) {
  const std::string archive = Pack("2", {"C:\\Foto\\turned.JPG", "C:\\Foto\\anim.gif", "C:\\Foto\\gone.jpg",
                                         "C:\\Foto\\small.jpg", "C:\\Foto\\broken.jpg", "C:\\Foto\\notes.txt"},
                                   {{"turned.jpg", Jpeg(32, 16, 6)}, {"anim.gif", TwoFrameGif()},
                                    {"small.jpg", Small()}, {"broken.jpg", Bytes("not a JPEG at all")},
                                    {"notes.txt", Bytes("hello")}});
  TSlideshow show(archive);
  ASSERT_EQ(show.Message(), "");
  EXPECT_EQ(show.IntervalMs(), 2000u);
  EXPECT_EQ(show.EntryCount(), 6);
  EXPECT_EQ(show.PictureCount(), 5);  // gone.jpg is not in the archive
  EXPECT_TRUE(show.Changes());

  // Stored 32 × 16 with orientation 6: upright 16 × 32, centred on an 800 × 600 monitor at
  // its own size, or enlarged to the monitor's height.
  TSlidePicture picture;
  ASSERT_EQ(Decode(show, 0, 800, 600, picture), "");
  EXPECT_EQ(picture.Width, 16);
  EXPECT_EQ(picture.Height, 32);
  EXPECT_EQ(picture.Place, (TSlideRect{392, 284, 16, 32}));
  EXPECT_EQ(picture.Still.Width, 16);
  ASSERT_EQ(Decode(show, 0, 800, 600, picture, true), "");
  EXPECT_EQ(picture.Place, (TSlideRect{250, 0, 300, 600}));
  EXPECT_EQ(picture.Still.Width, 300);
  EXPECT_EQ(picture.Still.Height, 600);

  ASSERT_EQ(Decode(show, 1, 1024, 768, picture, true), "");
  ASSERT_NE(picture.Gif, nullptr);
  EXPECT_TRUE(picture.Gif->Animated());
  EXPECT_TRUE(picture.Gif->Animate());
  EXPECT_EQ(picture.Place, (TSlideRect{0, 128, 1024, 512}));  // its frames are scaled as shown

  EXPECT_EQ(Decode(show, 2, 800, 600, picture), "Missing archive member gone.jpg");
  EXPECT_EQ(Decode(show, 3, 800, 600, picture), "");
  EXPECT_NE(Decode(show, 4, 800, 600, picture), "");
  EXPECT_NE(Decode(show, 5, 800, 600, picture), "");
}

TEST_F(Slideshow, TwoPhotosOfOneNameEachShowAsThemselves) {
  // Two cameras' IMG_0001.JPG from two folders, told apart by their sizes.
  TSlideshow show(Pack("1", {"C:\\Card1\\IMG_0001.JPG", "C:\\Foto\\mare.jpg", "D:\\Card2\\img_0001.jpg"},
                       {{"card1/IMG_0001.JPG", Jpeg(8, 8, 1)}, {"mare.jpg", Jpeg(4, 4, 1)},
                        {"card2/IMG_0001.JPG", Jpeg(16, 4, 1)}}));
  ASSERT_EQ(show.Message(), "");
  EXPECT_EQ(show.PictureCount(), 3);
  std::vector<int> widths;
  TSlidePicture picture;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(Decode(show, i, 1024, 768, picture), "");
    widths.push_back(picture.Width);
  }
  EXPECT_EQ(widths, (std::vector<int>{8, 4, 16}));
}

TEST_F(Slideshow, OpensWithoutReadingPicturesAndChecksEachMemberWhenRead) {
  std::vector<std::string> entries;
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
  const auto photo = Jpeg(1600, 1200, 1);
  for (int i = 0; i < 3; ++i) {
    entries.push_back("C:\\p\\photo" + std::to_string(i) + ".jpg");
    files.push_back({"photo" + std::to_string(i) + ".jpg", photo});
  }
  const std::string archive = Pack("1", entries, files);

  // A stream that counts what is read from it.
  struct TCounting : std::filebuf {
    std::size_t read = 0;
    std::streamsize xsgetn(char* s, std::streamsize n) override {
      const std::streamsize got = std::filebuf::xsgetn(s, n);
      read += std::size_t(std::max<std::streamsize>(got, 0));
      return got;
    }
  };
  auto buffer = std::make_unique<TCounting>();
  buffer->open(archive, std::ios::in | std::ios::binary);
  TCounting* counting = buffer.get();
  struct TOwning : std::istream {
    std::unique_ptr<std::filebuf> owned;
    explicit TOwning(std::unique_ptr<std::filebuf> b) : std::istream(b.get()), owned(std::move(b)) {}
  };
  TSlideArchive reader(std::make_unique<TOwning>(std::move(buffer)));
  EXPECT_LT(counting->read, 4096u) << "opening read more than the trailer and the directory";
  EXPECT_LT(counting->read * 20, photo.size() * 3);

  // A damaged member is refused when it is read; the others and the archive stay good.
  const std::uint64_t size = std::filesystem::file_size(archive);
  FlipByte(archive, size - 2000);  // inside the first member's data
  TSlideshow show(archive);
  ASSERT_EQ(show.Message(), "");
  TSlidePicture picture;
  EXPECT_EQ(Decode(show, 0, 800, 600, picture), "Damaged archive member photo0.jpg");
  EXPECT_EQ(Decode(show, 1, 800, 600, picture), "");
  // 1600 × 1200 on 800 × 600: scaled down to fill it exactly.
  EXPECT_EQ(picture.Still.Width, 800);

  // Asked to stop, a decode gives up.
  try {
    show.Decode({0, 2, 800, 600}, false, [] { return true; });
    ADD_FAILURE() << "a cancelled decode went on";
  } catch (const std::exception& error) {
    EXPECT_EQ(std::string(error.what()), "Reading photo2.jpg abandoned");
  }
}

TEST_F(Slideshow, FailuresInAFewWords) {
  const auto good = [this] { return Pack("3", {"a.jpg"}, {{"a.jpg", Small()}}); };
  EXPECT_EQ(TSlideshow(scratch_.Path("Assente.pak")).Message(), "Archivio non trovato: Assente.pak");

  std::string archive = good();
  FlipByte(archive, 36 + 20);  // inside the directory's stream
  EXPECT_EQ(TSlideshow(archive).Message(), "Archivio danneggiato: Vacanze.pak");
  archive = good();
  FlipByte(archive, 36 + 4);  // the directory stream's Adler-32: only its check sees it
  EXPECT_EQ(TSlideshow(archive).Message(), "Archivio danneggiato: Vacanze.pak");
  archive = good();
  std::fstream(archive, std::ios::in | std::ios::out | std::ios::binary).put('X');  // list.dat's first byte
  EXPECT_EQ(TSlideshow(archive).Message(), "Archivio danneggiato: Vacanze.pak");
  EXPECT_EQ(SlideSummarize(archive).Message, "Archivio danneggiato: Vacanze.pak");

  // An archive without a list: just a picture.
  std::vector<std::string> only{scratch_.Write("b.jpg", Small())};
  std::filesystem::remove(archive);
  TZLBArchive writer;
  writer.CreateArchive(archive);
  writer.AddFiles(only);
  writer.CloseArchive();
  EXPECT_EQ(TSlideshow(archive).Message(), "Manca list.dat nell'archivio Vacanze.pak");

  const TSlideSummary summary = SlideSummarize(good());
  EXPECT_EQ(summary.ArchiveName, "Vacanze.pak");
  EXPECT_EQ(summary.Message, "");
  EXPECT_EQ(summary.IntervalMs, 3000u);
  EXPECT_EQ(summary.PictureCount, 1);
}

TEST_F(Slideshow, OnePictureOrIntervalZeroNeverChanges) {
  TSlideshow zero(Pack("0", {"a.jpg", "b.jpg"}, {{"a.jpg", Small()}, {"b.jpg", Small()}}));
  EXPECT_FALSE(zero.Changes());
  TSlideshow one(Pack("4", {"a.jpg"}, {{"a.jpg", Small()}}));
  EXPECT_FALSE(one.Changes());
}
