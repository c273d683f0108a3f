#include "ZLIBArchive.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "PakOracle.h"
#include "ScratchFolder.h"
#include "ZLBPath.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

bool Exists(const std::string& path) { return std::filesystem::exists(std::filesystem::path(path)); }

// Writes an archive of the given files and returns the result; the archive stays open.
TZLBWriteResult Pack(TZLBArchive& archive, const std::string& target, std::vector<std::string> files) {
  archive.CreateArchive(target);
  return archive.AddFiles(files);
}

// Remembers the temporary file it hands out, so tests can check that it is gone.
class TRecordingArchive : public TZLBArchive {
public:
  std::string tempName;
  std::string forcedTempName;  // when set, handed out instead of a real temporary file

protected:
  std::string GetTempArchiveName() override {
    tempName = forcedTempName.empty() ? TZLBArchive::GetTempArchiveName() : forcedTempName;
    return tempName;
  }
};

}  // namespace

// Every member at every level, read back by the independent reader: content, CRC, the
// method-1 fallback for what does not shrink, the level byte, and the zlib header of each
// stream, whose FLEVEL bits say which level made it (0 fastest, 2 default, 3 maximum).
TEST(ZLIBArchive, MembersRoundTripAtEveryLevel) {
  struct Case {
    TFileCompressionLevel level;
    std::uint8_t zlibHeader2;  // second byte of the zlib header at that level
  };
  const Case cases[] = {{fcNone, 0x01}, {fcFastest, 0x01}, {fcDefault, 0x9C}, {fcMaximum, 0xDA}};
  TScratchFolder dir;
  const std::vector<std::vector<std::uint8_t>> contents = {
      SampleText(20000), SampleRandom(7000), {}, Bytes("5\r\n"), SampleText(70000, 3)};
  const std::vector<std::string> names = {"m0.dat", "m1.dat", "m2.dat", "m3.dat", "m4.dat"};
  std::vector<std::string> files;
  for (std::size_t i = 0; i < contents.size(); ++i) files.push_back(dir.Write("in/" + names[i], contents[i]));

  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.level));
    TZLBArchive archive;
    archive.CompressionLevel = c.level;
    const std::string target = dir.Path("out" + std::to_string(int(c.level)) + ".pak");
    const TZLBWriteResult result = Pack(archive, target, files);
    ASSERT_TRUE(result.Written) << result.Error;
    EXPECT_TRUE(result.Skipped.empty());
    EXPECT_EQ(archive.Count(), 5);

    const TPakOracleArchive pak = PakOracleRead(PakOracleFile(target));
    ASSERT_EQ(pak.members.size(), contents.size());
    EXPECT_EQ(pak.compressed, 1);
    EXPECT_EQ(pak.directoryStream.at(1), c.zlibHeader2);
    for (std::size_t i = 0; i < contents.size(); ++i) {
      const TPakOracleMember& m = pak.members[i];
      EXPECT_EQ(m.name, names[i]);
      EXPECT_EQ(m.folder, "");
      EXPECT_EQ(m.content, contents[i]);
      // Text shrinks except at level 0, which only wraps it in stored deflate blocks.
      const bool shrinks = c.level != fcNone && (i == 0 || i == 4);
      EXPECT_EQ(m.method, shrinks ? 0 : 1) << i;
      EXPECT_EQ(m.level, shrinks ? c.level : 0) << i;
      if (shrinks) {
        EXPECT_EQ(m.block.at(1), c.zlibHeader2) << i;
      }
      EXPECT_EQ(archive.GetEntry(int(i)).Crc, m.crc);
    }
  }
}

// An archive without members: only an empty zlib stream and the trailer.
TEST(ZLIBArchive, EmptyArchiveBytes) {
  TScratchFolder dir;
  TZLBArchive archive;
  archive.CompressionLevel = fcFastest;
  const std::string target = dir.Path("empty.pak");
  ASSERT_TRUE(Pack(archive, target, {}).Written);
  const std::vector<std::uint8_t> expected = {
      0x78, 0x01,              // zlib header: deflate, 32 KiB window, fastest level
      0x03, 0x00,              // one final fixed-Huffman block holding only end-of-block
      0x00, 0x00, 0x00, 0x01,  // Adler-32 of no bytes
      0xC0, 0x1C, 0x73, 0x4D,  // trailer: CRC-32 of the 8 bytes above
      0x00, 0x00, 0x00, 0x00,  // member count 0
      0x01, 0x00, 0x00, 0x00,  // always 1
      0x08, 0x00, 0x00, 0x00,  // directory stream: 8 bytes
      0x01,                    // directory compressed
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // reserved
  };
  EXPECT_EQ(PakOracleFile(target), expected);
  EXPECT_EQ(archive.Count(), 0);
}

// Same file names from different folders: two records, both found by name only, the second
// reported; with SavePaths the folder without its drive goes into the record.
TEST(ZLIBArchive, NamesFoldersAndDuplicates) {
  TScratchFolder dir;
  const std::string a = dir.Write("one/pic.jpg", SampleRandom(100, 5));
  const std::string b = dir.Write("two/PIC.JPG", SampleRandom(100, 6));
  for (const bool savePaths : {false, true}) {
    TZLBArchive archive;
    archive.SavePaths = savePaths;
    std::vector<std::string> logged;
    archive.OnErrorLogged = [&](const std::string& msg) { logged.push_back(msg); };
    const std::string target = dir.Path(savePaths ? "paths.pak" : "flat.pak");
    ASSERT_TRUE(Pack(archive, target, {a, b}).Written);
    const TPakOracleArchive pak = PakOracleRead(PakOracleFile(target));
    ASSERT_EQ(pak.members.size(), 2u);
    EXPECT_EQ(pak.members[0].name, "pic.jpg");
    EXPECT_EQ(pak.members[1].name, "PIC.JPG");
    EXPECT_EQ(pak.members[0].folder, savePaths ? ZLBStoredFolder(a) : "");
    if (savePaths) {
      EXPECT_TRUE(logged.empty());
      EXPECT_EQ(archive.IndexOfEntry(b), 1);
    } else {
      EXPECT_EQ(logged, std::vector<std::string>{b + " already exists in the archive"});
      EXPECT_EQ(archive.IndexOfEntry(b), 0);
    }
  }
}

TEST(ZLIBArchive, PathSplitting) {
  struct Case {
    const char* path;
    const char* name;
    const char* stored;  // folder as SavePaths stores it
  };
  const Case cases[] = {
      {"C:\\pics\\a.jpg", "a.jpg", "\\pics\\"},
      {"c:a.jpg", "a.jpg", ""},                   // drive-relative: nothing after the colon
      {"a.jpg", "a.jpg", ""},
      {"\\\\server\\share\\x\\b.gif", "b.gif", "\\\\server\\share\\x\\"},
      {"/home/u/c.jpg", "c.jpg", "/home/u/"},
      {"D:\\mixed/sub\\d.jpg", "d.jpg", "\\mixed/sub\\"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZLBFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ZLBStoredFolder(c.path), c.stored) << c.path;
  }
}

// Sources that cannot be packed are left out and reported; the rest is written.
TEST(ZLIBArchive, UnreadableSourcesAreSkippedAndReported) {
  TScratchFolder dir;
  const std::string good = dir.Write("good.txt", SampleText(500));
  const std::string missing = dir.Path("missing.jpg");
  std::vector<std::string> cases = {missing, good};
#ifndef _WIN32
  // A sparse file beyond what the 32-bit size fields can hold (cheap on Linux file systems).
  const std::string huge = dir.Write("huge.bin", std::string());
  std::filesystem::resize_file(huge, 0x80000000ull);
  cases.push_back(huge);
#endif
  TZLBArchive archive;
  std::vector<std::string> logged;
  archive.OnErrorLogged = [&](const std::string& msg) { logged.push_back(msg); };
  const TZLBWriteResult result = Pack(archive, dir.Path("out.pak"), cases);
  ASSERT_TRUE(result.Written) << result.Error;
  ASSERT_EQ(result.Skipped.size(), cases.size() - 1);
  EXPECT_EQ(result.Skipped[0].Path, missing);
  EXPECT_EQ(result.Skipped[0].Reason, "Unable to open file (" + missing + ")");
#ifndef _WIN32
  EXPECT_EQ(result.Skipped[1].Reason, "File too large for the archive (" + dir.Path("huge.bin") + ")");
#endif
  // The error event gets the one message for every cause; the reason is in Skipped.
  ASSERT_EQ(logged.size(), result.Skipped.size());
  for (std::size_t i = 0; i < logged.size(); ++i)
    EXPECT_EQ(logged[i], "Unable to open file (" + result.Skipped[i].Path + ")");
  EXPECT_EQ(PakOracleRead(PakOracleFile(dir.Path("out.pak"))).members.size(), 1u);
}

// Folders in the list: dropped, or with RecursePaths replaced by their files, sub-folders
// after the files of their parent, each level sorted.
TEST(ZLIBArchive, FoldersInTheList) {
  TScratchFolder dir;
  const std::string first = dir.Write("first.txt", "1");
  dir.Write("tree/b.txt", "b");
  dir.Write("tree/a.txt", "a");
  dir.Write("tree/sub/c.txt", "c");
  for (const bool recurse : {false, true}) {
    TZLBArchive archive;
    archive.RecursePaths = recurse;
    std::vector<std::string> list = {dir.Path("tree"), first};
    archive.CreateArchive(dir.Path(recurse ? "r.pak" : "n.pak"));
    ASSERT_TRUE(archive.AddFiles(list).Written);
    EXPECT_TRUE(list.empty()) << "the list is consumed";
    std::vector<std::string> names;
    for (int i = 0; i < archive.Count(); ++i) names.push_back(archive.GetEntry(i).Name);
    const std::vector<std::string> expected =
        recurse ? std::vector<std::string>{"first.txt", "a.txt", "b.txt", "c.txt"}
                : std::vector<std::string>{"first.txt"};
    EXPECT_EQ(names, expected);
  }
}

// Progress reports while packing and while verifying.
TEST(ZLIBArchive, ProgressReports) {
  TScratchFolder dir;
  const std::string file = dir.Write("big.txt", SampleText(3 << 20));
  TZLBArchive archive;
  std::vector<std::pair<std::string, int>> reports;
  archive.OnProgress = [&](const std::string& msg, int percent) { reports.emplace_back(msg, percent); };
  ASSERT_TRUE(Pack(archive, dir.Path("p.pak"), {file}).Written);
  std::vector<int> updating;
  for (const auto& [msg, percent] : reports)
    if (msg == "Updating " + file) updating.push_back(percent);
  ASSERT_GE(updating.size(), 3u);  // several pieces of 1 MiB
  EXPECT_TRUE(std::is_sorted(updating.begin(), updating.end()));
  EXPECT_EQ(updating.back(), 100);
  const auto has = [&](const std::string& msg, int percent) {
    return std::find(reports.begin(), reports.end(), std::make_pair(msg, percent)) != reports.end();
  };
  EXPECT_TRUE(has("Writing archive registry", 0));
  EXPECT_TRUE(has("Extracting archive registry", 100));
  EXPECT_EQ(reports.back(), std::make_pair(dir.Path("p.pak"), 0));
}

// The target is replaced only by a complete archive, and no temporary file stays behind.
TEST(ZLIBArchive, TargetReplacedOnlyWhenComplete) {
  TScratchFolder dir;
  const std::string file = dir.Write("a.txt", SampleText(1000));
  const std::string target = dir.Path("t.pak");

  {  // A target that appeared after CreateArchive is replaced.
    TRecordingArchive archive;
    archive.CreateArchive(target);
    dir.Write("t.pak", "stale");
    std::vector<std::string> list = {file};
    ASSERT_TRUE(archive.AddFiles(list).Written);
    EXPECT_EQ(PakOracleRead(PakOracleFile(target)).members.size(), 1u);
    EXPECT_FALSE(Exists(archive.tempName));
  }
  {  // No temporary file can be made: nothing written, the old target untouched.
    TRecordingArchive archive;
    archive.forcedTempName = dir.Path("no-such-folder/ZLB1.tmp");
    archive.CreateArchive(dir.Path("new.pak"));
    std::vector<std::string> list = {file};
    const TZLBWriteResult result = archive.AddFiles(list);
    EXPECT_FALSE(result.Written);
    EXPECT_EQ(result.Error, "Unable to open file (" + archive.forcedTempName + ")");
    EXPECT_FALSE(Exists(dir.Path("new.pak")));
    EXPECT_EQ(archive.FileName(), "") << "no archive open after a failed write";
  }
  {  // Verification fails: the new archive is removed instead of being announced.
    TRecordingArchive archive;
    archive.CreateArchive(dir.Path("v.pak"));
    archive.OnArchiveOpened = [] { throw std::runtime_error("handler failed"); };
    std::vector<std::string> list = {file};
    const TZLBWriteResult result = archive.AddFiles(list);
    EXPECT_FALSE(result.Written);
    EXPECT_EQ(result.Error, "Unable to read archive file list (" + dir.Path("v.pak") + ")");
    EXPECT_FALSE(Exists(dir.Path("v.pak")));
    EXPECT_FALSE(Exists(archive.tempName));
  }
}

// The component's error texts, each with the call that provokes it.
TEST(ZLIBArchive, ErrorTable) {
  TScratchFolder dir;
  const std::string existing = dir.Write("exists.pak", "x");
  const auto message = [](const std::function<void()>& call) -> std::string {
    try {
      call();
    } catch (const EZLBArchiveError& e) {
      return e.what();
    }
    return "(no error)";
  };
  TZLBArchive archive;
  std::vector<std::string> none;
  EXPECT_EQ(message([&] { archive.CreateArchive(existing); }), "File already exists");
  EXPECT_EQ(message([&] { archive.CloseArchive(); archive.AddFiles(none); }), "No archive is currently open");
  EXPECT_EQ(message([&] { archive.IndexOfEntry("a.jpg"); }), "No archive is currently open");
  EXPECT_EQ(message([&] { archive.GetEntry(0); }), "Index out of bounds");
  EXPECT_EQ(message([&] { archive.OpenArchive(dir.Path("missing.pak")); }), "Archive file not found");
  EXPECT_EQ(message([&] { archive.OpenArchive(dir.Path("")); }), "Archive file not found");
  EXPECT_EQ(message([&] { archive.OpenArchive(existing); }), "The archive file appears to be corrupted");
  EXPECT_FALSE(archive.OpenArchive(""));

  ASSERT_TRUE(Pack(archive, dir.Path("one.pak"), {existing}).Written);
  EXPECT_EQ(message([&] { archive.GetEntry(-1); }), "Index out of bounds");
  EXPECT_EQ(message([&] { archive.GetEntry(1); }), "Index out of bounds");
  EXPECT_EQ(archive.IndexOfEntry("elsewhere/EXISTS.PAK"), 0);
  EXPECT_EQ(archive.IndexOfEntry("other.pak"), -1);
}
