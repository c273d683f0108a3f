// The slideshow from archives the editor's writer makes: order, skipping, the two-picture
// budget, the EXIF turn and the scaled decode, and the words of every failure.
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
  std::vector<std::string> Order(TSlideshow& show, int steps) {
    std::vector<std::string> names;
    for (int i = 0; i < steps; ++i) {
      names.push_back(std::to_string(show.Deck().CurrentIndex()));
      show.Deck().Advance();
    }
    return names;
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

TEST_F(Slideshow, ListOrderLoopsAndSkipsWhatCannotBeShown) {
  const std::string archive = Pack("2", {"C:\\Foto\\turned.JPG", "C:\\Foto\\anim.gif", "C:\\Foto\\gone.jpg",
                                         "C:\\Foto\\small.jpg", "C:\\Foto\\broken.jpg", "C:\\Foto\\notes.txt"},
                                   {{"turned.jpg", Jpeg(32, 16, 6)}, {"anim.gif", TwoFrameGif()},
                                    {"small.jpg", Small()}, {"broken.jpg", Bytes("not a JPEG at all")},
                                    {"notes.txt", Bytes("hello")}});
  TSlideshow show(archive, 1024, 768);
  ASSERT_EQ(show.Message(), "");
  EXPECT_EQ(show.IntervalMs(), 2000u);
  EXPECT_EQ(show.EntryCount(), 6);
  EXPECT_EQ(show.PictureCount(), 5);  // gone.jpg is not in the archive
  EXPECT_TRUE(show.Changes());

  // Stored 32 × 16 with orientation 6: shown 16 × 32.
  const TSlidePicture* first = show.Current();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Width, 16);
  EXPECT_EQ(first->Height, 32);
  EXPECT_EQ(first->Still.Width, 16);
  EXPECT_EQ(first->Still.Height, 32);

  show.Deck().PrepareNext();
  EXPECT_EQ(show.Deck().Held(), 2);
  ASSERT_TRUE(show.Deck().Advance());
  ASSERT_NE(show.Current()->Gif, nullptr);
  EXPECT_TRUE(show.Current()->Gif->Animated());
  EXPECT_TRUE(show.Current()->Gif->Animate());
  EXPECT_EQ(show.Deck().Held(), 1);

  // gone.jpg, broken.jpg and notes.txt are passed over; the list starts again.
  EXPECT_EQ(Order(show, 5), (std::vector<std::string>{"1", "3", "0", "1", "3"}));
  EXPECT_EQ(show.Deck().PeakHeld(), 2);
}

TEST_F(Slideshow, TwoPhotosOfOneNameEachShowAsThemselves) {
  // Two cameras' IMG_0001.JPG from two folders, told apart by their sizes.
  TSlideshow show(Pack("1", {"C:\\Card1\\IMG_0001.JPG", "C:\\Foto\\mare.jpg", "D:\\Card2\\img_0001.jpg"},
                       {{"card1/IMG_0001.JPG", Jpeg(8, 8, 1)}, {"mare.jpg", Jpeg(4, 4, 1)},
                        {"card2/IMG_0001.JPG", Jpeg(16, 4, 1)}}),
                  1024, 768);
  ASSERT_EQ(show.Message(), "");
  EXPECT_EQ(show.PictureCount(), 3);
  std::vector<int> widths;
  for (int i = 0; i < 6; ++i) {
    widths.push_back(show.Current()->Width);
    show.Deck().Advance();
  }
  EXPECT_EQ(widths, (std::vector<int>{8, 4, 16, 8, 4, 16}));
}

TEST_F(Slideshow, FiftyLargePicturesHoldAtMostTwo) {
  std::vector<std::string> entries;
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
  const auto photo = Jpeg(1600, 1200, 1);
  for (int i = 0; i < 50; ++i) {
    entries.push_back("C:\\p\\photo" + std::to_string(i) + ".jpg");
    files.push_back({"photo" + std::to_string(i) + ".jpg", photo});
  }
  TSlideshow show(Pack("1", entries, files), 1024, 768);
  ASSERT_EQ(show.Message(), "");
  for (int i = 0; i < 60; ++i) {
    show.Deck().PrepareNext();
    ASSERT_TRUE(show.Deck().Advance());
    ASSERT_LE(show.Deck().Held(), 2);
  }
  EXPECT_EQ(show.Deck().CurrentIndex(), 10);
  EXPECT_EQ(show.Deck().PeakHeld(), 2);
  // 1600 × 1200 covers 1024 × 1024 only at full size; 152 × 152 of a preview at 1/4.
  EXPECT_EQ(show.Current()->Still.Width, 1600);
  TSlideshow preview(Pack("1", {entries[0]}, {files[0]}), 152, 112);
  EXPECT_EQ(preview.Current()->Width, 1600);
  EXPECT_EQ(preview.Current()->Still.Width, 400);
  EXPECT_FALSE(preview.Changes());
}

TEST_F(Slideshow, FailuresInAFewWords) {
  const auto good = [this] { return Pack("3", {"a.jpg"}, {{"a.jpg", Small()}}); };
  EXPECT_EQ(TSlideshow(scratch_.Path("Assente.pak"), 800, 600).Message(), "Archivio non trovato: Assente.pak");

  std::string archive = good();
  FlipByte(archive, 36 + 20);  // inside the directory's stream
  EXPECT_EQ(TSlideshow(archive, 800, 600).Message(), "Archivio danneggiato: Vacanze.pak");
  archive = good();
  std::fstream(archive, std::ios::in | std::ios::out | std::ios::binary).put('X');  // list.dat's first byte
  EXPECT_EQ(TSlideshow(archive, 800, 600).Message(), "Archivio danneggiato: Vacanze.pak");
  EXPECT_EQ(SlideSummarize(archive).Message, "Archivio danneggiato: Vacanze.pak");

  // An archive without a list: just a picture.
  std::vector<std::string> only{scratch_.Write("b.jpg", Small())};
  std::filesystem::remove(archive);
  TZLBArchive writer;
  writer.CreateArchive(archive);
  writer.AddFiles(only);
  writer.CloseArchive();
  EXPECT_EQ(TSlideshow(archive, 800, 600).Message(), "Manca list.dat nell'archivio Vacanze.pak");

  EXPECT_EQ(TSlideshow(Pack("3", {}, {}), 800, 600).Message(), "Nessuna immagine da mostrare");
  EXPECT_EQ(TSlideshow(Pack("3", {"x.jpg", "y.gif"}, {{"y.gif", Bytes("GIF89a")}}), 800, 600).Message(),
            "Nessuna immagine da mostrare");

  const TSlideSummary summary = SlideSummarize(good());
  EXPECT_EQ(summary.ArchiveName, "Vacanze.pak");
  EXPECT_EQ(summary.Message, "");
  EXPECT_EQ(summary.IntervalMs, 3000u);
  EXPECT_EQ(summary.PictureCount, 1);
}

TEST_F(Slideshow, OnePictureOrIntervalZeroNeverChanges) {
  TSlideshow zero(Pack("0", {"a.jpg", "b.jpg"}, {{"a.jpg", Small()}, {"b.jpg", Small()}}), 800, 600);
  EXPECT_FALSE(zero.Changes());
  // One showable picture among others: Advance keeps it, and it is never held twice.
  TSlideshow one(Pack("4", {"a.jpg", "b.jpg"}, {{"a.jpg", Small()}}), 800, 600);
  EXPECT_TRUE(one.Changes());
  EXPECT_FALSE(one.Deck().Advance());
  EXPECT_EQ(one.Deck().CurrentIndex(), 0);
  EXPECT_EQ(one.Deck().Held(), 1);
}
