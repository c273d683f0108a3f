#pragma once

// TZLBArchive: writes the slideshow archive (layout in ZLIBArchiveFormat.h) and reads back the
// directory of an existing one.  A non-visual component that the main window owns.
//
// The editor's use is always CreateArchive(name), AddFiles(list), CloseArchive().
//
// File names are byte strings of the system code page.  Both "\" and "/" separate folders,
// and a drive ends at the first ":".

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ZLIBArchiveFormat.h"
#include "ZLIBArchiveReader.h"

// One source file that AddFiles left out of the archive.
struct TZLBSkippedMember {
  std::string Path;    // as it stood in the list
  std::string Reason;  // a message such as "Unable to open file (C:\a.jpg)"
};

// What AddFiles achieved.  Written is true only when the archive is complete under its target
// name and OpenArchive has verified it; otherwise no archive exists under that name and Error
// says what failed.  Skipped lists the members left out, whether or not Written.
struct TZLBWriteResult {
  bool Written = false;
  std::string Error;
  std::vector<TZLBSkippedMember> Skipped;
};

class TZLBArchive {
public:
  TZLBArchive() = default;
  virtual ~TZLBArchive() = default;
  TZLBArchive(const TZLBArchive&) = delete;
  TZLBArchive& operator=(const TZLBArchive&) = delete;

  // Properties.
  TFileCompressionLevel CompressionLevel = fcDefault;
  // False: every record's folder field is empty.  True: it holds the source's folder without
  // its drive ("C:\pics\a.jpg" -> "\pics\").
  bool SavePaths = false;
  // Whether AddFiles packs the files of folders named in its list (recursively) or just drops
  // those folders.
  bool RecursePaths = false;

  // Events; each may be left empty.
  std::function<void()> OnArchiveOpened;
  std::function<void(const std::string& Msg)> OnErrorLogged;
  TZLBProgressEvent OnProgress;

  // Closes any open archive and records fileName as the archive to write.  Throws
  // EZLBArchiveError(ZLBErrFileExists) when a file of that name exists (the name stays
  // recorded).  An empty name leaves no archive open.  Nothing is written to disk yet.
  void CreateArchive(const std::string& fileName);

  // Writes the archive named by CreateArchive from the files of list, consuming the list: each
  // entry is removed as it is handled.  The archive is built in a temporary file (prefix
  // "ZLB", system temporary folder) and replaces the target only when complete; it is then
  // reopened with OpenArchive, which checks it.  Afterwards a written archive is open.
  //
  // Throws EZLBArchiveError(ZLBErrNoArchive) when no archive name is recorded; nothing else
  // escapes.  Per-member failures skip that member: OnErrorLogged receives
  // "Unable to open file (PATH)" whatever the cause, the result's Skipped the cause itself; a failure of the whole write leaves no archive under the target name and no
  // temporary file, and closes the archive.  A second member of the same name is added all
  // the same, after "%s already exists in the archive" is reported to OnErrorLogged.
  TZLBWriteResult AddFiles(std::vector<std::string>& list);

  // Forgets the open archive, its records and trailer; reports progress (empty name, 0).
  void CloseArchive();

  // Closes any open archive, then reads and checks fileName: the CRC over everything before
  // the trailer, then the directory.  Returns false for an empty name, true when open.
  // Throws EZLBArchiveError: ZLBErrNotFound, ZLBErrUnableToOpen (with the name),
  // ZLBErrCorrupted, ZLBErrFileList (see ZLBReadArchive).  After a throw no archive is open.
  bool OpenArchive(const std::string& fileName);

  // Index of the first record whose folder field and name equal those that `path` would be
  // stored with, compared without regard to ASCII letter case; -1 when there is none.
  // Throws EZLBArchiveError(ZLBErrNoArchive) when no archive is open or being created.
  int IndexOfEntry(const std::string& path) const;

  // A copy of record index.  Throws EZLBArchiveError(ZLBErrIndex) outside 0..Count()-1.
  TZLBEntry GetEntry(int index) const;

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& FileName() const { return fileName_; }
  const TZLBTrailer& Trailer() const { return trailer_; }

  // CRC-32 of stream from offset 0 to its size minus leaveOut; see ZLBStreamCRC.
  static std::uint32_t StreamCRC(std::istream& stream, std::uint64_t leaveOut) {
    return ZLBStreamCRC(stream, leaveOut);
  }

protected:
  // Name of a new, empty file in the system's temporary folder with the prefix "ZLB".
  // Throws EZLBArchiveError when none can be made.
  virtual std::string GetTempArchiveName();

  // Appends to list the files below folder (sorted by name, sub-folders after their parent's
  // files, recursively); with SavePaths also each sub-folder's path followed by a separator.
  virtual void AddFolderFiles(const std::string& folder, std::vector<std::string>& list);

private:
  void AddFolderFilesBelow(const std::string& folder, std::vector<std::string>& list, int depth);
  TZLBWriteResult WriteArchive(std::vector<std::string>& list);
  void Progress(const std::string& msg, int percentage) const;
  void LogError(const std::string& msg) const;

  std::string fileName_;
  bool newArchive_ = false;
  TZLBTrailer trailer_;
  std::vector<TZLBEntry> entries_;
};
