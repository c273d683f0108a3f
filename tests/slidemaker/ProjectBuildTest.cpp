#include "ProjectBuild.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "PakOracle.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

// A program folder with its template, a project "Mare" and two pictures outside it.
struct TBuildBench {
  TScratchFolder dir;
  TProjectStore store{dir.Path()};
  TEditorState state;
  TZLBArchive zip;
  std::vector<std::uint8_t> sky = SampleRandom(30000, 11), sun = SampleRandom(5000, 12);
  std::vector<std::uint8_t> saver = SampleRandom(20000, 13);  // two whole blocks and a rest

  TBuildBench() {
    zip.CompressionLevel = fcFastest;
    store.CreateProjectsFolder();
    dir.Write("resource.sk", saver);
    EXPECT_EQ(ProjectNew(store, state, "Mare"), TNewOutcome::Created);
    state.Interval = "7";
    state.Filelist = {dir.Write("foto/cielo.jpg", sky), dir.Write("foto/sole.gif", sun)};
  }
  std::string Project(const std::string& file = "") const {
    return dir.Path("projects/Mare") + (file.empty() ? "" : ProjectPathDelim + file);
  }
  std::vector<std::uint8_t> Bytes(const std::string& file) const { return PakOracleFile(Project(file)); }
};

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

// The archive read back by the tests' own reader: "list.dat" with the full paths, then every
// image under its bare name; the saver a byte-for-byte copy of the template.
TEST(ProjectBuild, ArchiveAndSaverOfACleanBuild) {
  TBuildBench bench;
  const TBuildResult result = ProjectBuild(bench.store, bench.state, bench.zip);
  EXPECT_EQ(result.Outcome, TBuildOutcome::Built);
  const std::string folder = bench.store.ProjectFolder("Mare");  // spelled "Projects" on Windows
  EXPECT_EQ(result.Message, "Il tuo screensaver è stato creato. Copia i file Mare.scr e Mare.pak che "
                            "trovi nella directory " + folder + ProjectPathDelim +
                            " e copiali nella directory di windows. Per ogni informazione visitare "
                            "il sito lumivox.example");

  const std::string list = "7\r\n" + bench.state.Filelist[0] + "\r\n" + bench.state.Filelist[1] + "\r\n";
  EXPECT_EQ(bench.Bytes("list.dat"), Bytes(list));
  const TPakOracleArchive pak = PakOracleRead(bench.Bytes("Mare.pak"));
  ASSERT_EQ(pak.members.size(), 3u);
  EXPECT_EQ(pak.members[0].name, "list.dat");
  EXPECT_EQ(pak.members[0].content, Bytes(list));
  EXPECT_EQ(pak.members[1].name, "cielo.jpg");
  EXPECT_EQ(pak.members[1].content, bench.sky);
  EXPECT_EQ(pak.members[2].name, "sole.gif");
  EXPECT_EQ(pak.members[2].content, bench.sun);
  for (const TPakOracleMember& member : pak.members) EXPECT_EQ(member.folder, "");

  EXPECT_EQ(bench.Bytes("Mare.scr"), bench.saver);
  EXPECT_FALSE(fs::exists(bench.Project("resource.sk")));  // renamed
}

TEST(ProjectBuild, EmptyListAndBuildingTwice) {
  TBuildBench bench;
  bench.state.Filelist.clear();
  ASSERT_EQ(ProjectBuild(bench.store, bench.state, bench.zip).Outcome, TBuildOutcome::Built);
  const TPakOracleArchive first = PakOracleRead(bench.Bytes("Mare.pak"));
  ASSERT_EQ(first.members.size(), 1u);
  EXPECT_EQ(first.members[0].name, "list.dat");

  // The second build replaces both outputs: the new list and the new template.
  bench.state.Filelist = {bench.dir.Path("foto/sole.gif")};
  bench.dir.Write("foto/sole.gif", bench.sun);
  bench.saver = SampleRandom(100, 14);
  bench.dir.Write("resource.sk", bench.saver);
  ASSERT_EQ(ProjectBuild(bench.store, bench.state, bench.zip).Outcome, TBuildOutcome::Built);
  const TPakOracleArchive second = PakOracleRead(bench.Bytes("Mare.pak"));
  ASSERT_EQ(second.members.size(), 2u);
  EXPECT_EQ(second.members[1].content, bench.sun);
  EXPECT_EQ(bench.Bytes("Mare.scr"), bench.saver);
}

// Each row names the failing step; the files written before it stay.
TEST(ProjectBuild, FailingSteps) {
  {
    TBuildBench bench;  // no template: list file and archive written, no saver
    fs::remove(bench.dir.Path("resource.sk"));
    const TBuildResult result = ProjectBuild(bench.store, bench.state, bench.zip);
    EXPECT_EQ(result.Outcome, TBuildOutcome::Failed);
    EXPECT_EQ(result.Message, "Errore durante il salvataggio del progetto corrente");
    EXPECT_TRUE(fs::exists(bench.Project("list.dat")));
    EXPECT_EQ(PakOracleRead(bench.Bytes("Mare.pak")).members.size(), 3u);
    EXPECT_FALSE(fs::exists(bench.Project("Mare.scr")));
  }
  {
    TBuildBench bench;  // an old archive that cannot be deleted: CreateArchive refuses it
    fs::create_directories(bench.Project("Mare.pak/x"));
    EXPECT_EQ(ProjectBuild(bench.store, bench.state, bench.zip).Message, BuildFailedText);
    EXPECT_FALSE(fs::exists(bench.Project("Mare.scr")));
  }
  {
    TBuildBench bench;  // the project folder vanished: the list file cannot be written
    fs::remove_all(bench.Project());
    EXPECT_EQ(ProjectBuild(bench.store, bench.state, bench.zip).Outcome, TBuildOutcome::Failed);
    EXPECT_FALSE(fs::exists(bench.Project()));
  }
}

TEST(ProjectBuild, ImagesLeftOutAreReported) {
  TBuildBench bench;
  // An empty entry, which the list file keeps, is passed to the writer but is no left-out file.
  bench.state.Filelist.push_back("");
  const TBuildResult clean = ProjectBuild(bench.store, bench.state, bench.zip);
  EXPECT_EQ(clean.Outcome, TBuildOutcome::Built);
  EXPECT_TRUE(clean.Skipped.empty());

  const std::string missing = bench.dir.Path("foto/perso.jpg");
  bench.state.Filelist.insert(bench.state.Filelist.begin() + 1, missing);
  const TBuildResult result = ProjectBuild(bench.store, bench.state, bench.zip);
  EXPECT_EQ(result.Outcome, TBuildOutcome::ImagesLeftOut);
  const std::string folder = bench.store.ProjectFolder("Mare");
  // The success text whole, then the list.
  EXPECT_EQ(result.Message, BuildSuccessText("Mare", folder) +
                                "\r\n\r\nQuesti file non sono stati inseriti nell'archivio Mare.pak:\r\n\r\n" +
                                missing + " (il file non si può leggere)");
  ASSERT_EQ(result.Skipped.size(), 1u);
  EXPECT_EQ(PakOracleRead(bench.Bytes("Mare.pak")).members.size(), 3u);
  EXPECT_EQ(bench.Bytes("Mare.scr"), bench.saver);

  // A long list names the first ten and counts the rest.
  std::vector<TZLBSkippedMember> many(13, {"x.jpg", "File too large for the archive (x.jpg)"});
  const std::string text = BuildLeftOutText("M", "P", many);
  EXPECT_EQ(text.rfind(BuildSuccessText("M", "P"), 0), 0u);
  EXPECT_NE(text.find("x.jpg (il file è troppo grande per l'archivio)"), std::string::npos);
  EXPECT_NE(text.find("\r\n... e altri 3 file"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '('), 10);
}

// An archive component whose temporary file cannot be made, as on a full or read-only disk.
class TNoTempArchive : public TZLBArchive {
public:
  std::string folder;

protected:
  std::string GetTempArchiveName() override { return folder + ProjectPathDelim + "missing" + ProjectPathDelim + "ZLB1.tmp"; }
};

TEST(ProjectBuild, ArchiveThatCannotBeWrittenIsReported) {
  TBuildBench bench;
  TNoTempArchive zip;
  zip.folder = bench.dir.Path();
  const TBuildResult result = ProjectBuild(bench.store, bench.state, zip);
  EXPECT_EQ(result.Outcome, TBuildOutcome::NoArchive);
  const std::string archive = bench.store.ProjectFolder("Mare") + ProjectPathDelim + "Mare.pak";
  EXPECT_EQ(result.Message.rfind("Non è stato possibile scrivere l'archivio " + archive + " (", 0), 0u)
      << result.Message;
  EXPECT_NE(result.Message.find(result.ArchiveError), std::string::npos);
  EXPECT_FALSE(fs::exists(archive));
  EXPECT_EQ(bench.Bytes("Mare.scr"), bench.saver);
}

TEST(ProjectBuild, TemplateCopyErrors) {
  TScratchFolder dir;
  try {
    BuildCopyTemplate(dir.Path("none.sk"), dir.Path("out.sk"));
    ADD_FAILURE() << "copied a missing file";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + dir.Path("none.sk"));
  }
  const std::string source = dir.Write("in.sk", std::string(BuildCopyBlock, 'x'));
  const std::string target = dir.Path("no/out.sk");
  try {
    BuildCopyTemplate(source, target);
    ADD_FAILURE() << "created a file in a missing folder";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + target);
  }
  BuildCopyTemplate(source, dir.Path("exact.sk"));  // exactly one block
  EXPECT_EQ(dir.Read("exact.sk"), std::string(BuildCopyBlock, 'x'));
}
