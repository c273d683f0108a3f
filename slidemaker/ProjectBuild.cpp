#include "ProjectBuild.h"

#include <cerrno>
#include <cstdio>
#include <stdexcept>

#include "FileAccess.h"
#include "FileError.h"
#include "ProgramInfo.h"

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool Blank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

// The archive component's reasons (English, with the path) in the program's words.
std::string LeftOutReason(const std::string& reason) {
  if (StartsWith(reason, "File too large")) return "il file è troppo grande per l'archivio";
  if (StartsWith(reason, "Unable to open file")) return "il file non si può leggere";
  return "il file non si è potuto comprimere";
}

}  // namespace

void BuildCopyTemplate(const std::string& source, const std::string& target) {
  TFileHandle in = FileOpen(source, "rb");
  if (!in) throw std::runtime_error("Cannot open file " + source);
  TFileHandle out = FileOpen(target, "wb");
  if (!out) throw std::runtime_error("Cannot create file " + target);
  char block[BuildCopyBlock];
  // Each pass copies one block; the source's end ends the loop.
  while (true) {
    errno = 0;
    const std::size_t got = std::fread(block, 1, sizeof block, in.get());
    if (std::ferror(in.get())) throw EInOutError(FileErrorFromErrno(errno, true));
    if (got == 0) break;
    errno = 0;
    if (std::fwrite(block, 1, got, out.get()) != got)
      throw EInOutError(errno ? FileErrorFromErrno(errno, true) : FileErrDiskFull);
  }
  errno = 0;
  if (std::fclose(out.release()) != 0) throw EInOutError(errno ? FileErrorFromErrno(errno, true) : FileErrDiskFull);
}

std::string BuildSuccessText(const std::string& name, const std::string& folder) {
  return "Il tuo screensaver è stato creato. Copia i file " + name + ".scr e " + name +
         ".pak che trovi nella directory " + folder + ProjectPathDelim +
         " e copiali nella directory di windows. Per ogni informazione visitare il sito " +
         ProgramHomePage;
}

std::string BuildLeftOutText(const std::string& name, const std::string& folder,
                             const std::vector<TZLBSkippedMember>& skipped) {
  std::string text = BuildSuccessText(name, folder) + "\r\n\r\nQuesti file non sono stati inseriti nell'archivio " +
                     name + ".pak:\r\n";
  for (std::size_t i = 0; i < skipped.size() && i < BuildListedLeftOut; ++i)
    text += "\r\n" + skipped[i].Path + " (" + LeftOutReason(skipped[i].Reason) + ")";
  if (skipped.size() > BuildListedLeftOut)
    text += "\r\n... e altri " + std::to_string(skipped.size() - BuildListedLeftOut) + " file";
  return text;
}

std::string BuildNoArchiveText(const std::string& archive, const std::string& error) {
  return "Non è stato possibile scrivere l'archivio " + archive + " (" + error +
         "), senza il quale lo screensaver non mostra le immagini. Controlla lo spazio su "
         "disco e crea di nuovo lo screen saver.";
}

TBuildResult ProjectBuild(const TProjectStore& store, const TEditorState& state, TZLBArchive& zip) {
  const std::string& name = state.ProjectLabel;
  const std::string folder = store.ProjectFolder(name);
  const std::string base = folder + ProjectPathDelim + name;
  TBuildResult result;
  try {
    ProjectSave(store, state);
    FileDelete(base + ".pak");
    FileDelete(base + ".scr");

    std::vector<std::string> members{store.ListFilePath(name)};
    members.insert(members.end(), state.Filelist.begin(), state.Filelist.end());
    zip.CreateArchive(base + ".pak");
    const TZLBWriteResult written = zip.AddFiles(members);
    zip.CloseArchive();

    const std::string copied = folder + ProjectPathDelim + BuildTemplateName;
    BuildCopyTemplate(store.ProgramFolder() + BuildTemplateName, copied);
    FileMove(copied, base + ".scr");

    // An empty entry of the list (the list file keeps them) names no picture to leave out.
    for (const TZLBSkippedMember& member : written.Skipped)
      if (!Blank(member.Path)) result.Skipped.push_back(member);
    if (!written.Written) {
      result.Outcome = TBuildOutcome::NoArchive;
      result.ArchiveError = written.Error;
      result.Message = BuildNoArchiveText(base + ".pak", written.Error);
    } else if (!result.Skipped.empty()) {
      result.Outcome = TBuildOutcome::ImagesLeftOut;
      result.Message = BuildLeftOutText(name, folder, result.Skipped);
    } else {
      result.Outcome = TBuildOutcome::Built;
      result.Message = BuildSuccessText(name, folder);
    }
  } catch (const std::exception&) {
    result = TBuildResult{};
    result.Message = BuildFailedText;
  }
  return result;
}
