#pragma once

// "Crea screen saver": the project's list file, its archive of the list file and every image
// (project name + ".pak"), and the copy of the screen-saver template beside them (project name
// + ".scr"), all in the project's folder; and what the user is told afterwards.

#include <cstddef>
#include <string>
#include <vector>

#include "ProjectStore.h"
#include "ZLIBArchive.h"

// The template beside the program, copied byte for byte and never read otherwise.
inline constexpr const char* BuildTemplateName = "resource.sk";
inline constexpr std::size_t BuildCopyBlock = 8192;
inline constexpr const char* BuildFailedText = "Errore durante il salvataggio del progetto corrente";

enum class TBuildOutcome {
  Built,          // list file, complete archive and screen saver written
  ImagesLeftOut,  // as Built, but the archive lacks the files in Skipped (blank entries
                  // of the list name no file and are never counted among them)
  NoArchive,      // list file and screen saver written; no archive could be written
  Failed,         // a step failed; the files written before it stay
};

struct TBuildResult {
  TBuildOutcome Outcome = TBuildOutcome::Failed;
  std::string Message;                     // the text to show, one of the Build*Text below
  std::vector<TZLBSkippedMember> Skipped;  // files the archive left out
  std::string ArchiveError;                // why no archive was written (NoArchive)
};

// Builds the project the state's label names, P being its folder:
//   1. writes P\list.dat as ProjectSave does;
//   2. deletes P\name.pak and P\name.scr (failures ignored: step 4 then refuses the old
//      archive);
//   3-4. packs P\list.dat and every Filelist entry with zip (CreateArchive, AddFiles,
//      CloseArchive): members under their bare names, unreadable images left out;
//   5. copies the template (program folder + BuildTemplateName) into P under its own name;
//   6. renames it to P\name.scr (a failure ignored).
// Never throws: a failing step ends the build with Failed and BuildFailedText.
TBuildResult ProjectBuild(const TProjectStore& store, const TEditorState& state, TZLBArchive& zip);

// Copies source to target in blocks of BuildCopyBlock bytes, creating or replacing target.
// Throws std::runtime_error "Cannot open file SOURCE" when source cannot be read,
// "Cannot create file TARGET" when target cannot be made, EInOutError when a block cannot be
// read or written (a full disk: "Disk full").
void BuildCopyTemplate(const std::string& source, const std::string& target);

// The success message: where the two files are and where they go.  folder is P without a
// trailing separator.
std::string BuildSuccessText(const std::string& name, const std::string& folder);
// The success message whole, then which files the archive name.pak left out and why, at most
// BuildListedLeftOut of them by name and the count of the rest.
inline constexpr std::size_t BuildListedLeftOut = 10;
std::string BuildLeftOutText(const std::string& name, const std::string& folder,
                             const std::vector<TZLBSkippedMember>& skipped);
// That the archive (its path) could not be written, with the archive component's reason.
std::string BuildNoArchiveText(const std::string& archive, const std::string& error);
