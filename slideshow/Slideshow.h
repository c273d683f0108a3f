#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SlideArchive.h"
#include "SlideList.h"
#include "SlideWorker.h"

// The saver's archive and list: what the forms need before the first picture (the directory
// and "list.dat", nothing more), and the decoding of one entry for the worker thread.
//
// Every failure becomes a few words for the black screen (Message()); a top-most saver
// cannot show a message box the user would see.
class TSlideshow {
public:
  // Opens archivePath, reads its directory and "list.dat" and matches the list's entries to
  // members.  Reads no picture.  Never throws: see Message().
  explicit TSlideshow(const std::string& archivePath);

  // Empty while pictures can be shown; otherwise what went wrong:
  //   "Archivio non trovato: NAME"           no archive beside the module
  //   "Archivio danneggiato: NAME"           its directory or its list is damaged
  //   "Manca list.dat nell'archivio NAME"    the archive holds no list
  // NAME is the archive's file name without its folder.  When every entry fails to decode
  // the forms show SlideNothingToShow.
  const std::string& Message() const { return message_; }

  std::uint32_t IntervalMs() const { return list_.IntervalMs; }
  // Entries of the list, and those of them whose member the archive holds.
  int EntryCount() const { return int(list_.Members.size()); }
  int PictureCount() const { return pictureCount_; }
  // Whether the pictures ever change: an interval and another entry to go to.
  bool Changes() const { return IntervalMs() > 0 && EntryCount() > 1; }

  // The worker's decode: reads the job's entry (its member checked by size and CRC), decodes
  // it and fits it into the job's area.  Throws ESlideError (or the decoder's error) when the
  // entry cannot be shown.  Safe on the worker thread while the window thread reads nothing.
  TSlidePicture Decode(const TSlideJob& job, bool enlarge, const std::function<bool()>& cancelled);

private:
  std::string message_;
  TSlideList list_;
  std::vector<int> memberOf_;  // archive member of each list entry, -1 when missing
  int pictureCount_ = 0;
  std::unique_ptr<TSlideArchive> archive_;
};

inline constexpr char SlideNothingToShow[] = "Nessuna immagine da mostrare";

// The archive and its list for the settings dialog: no picture is read.
struct TSlideSummary {
  std::string ArchiveName;  // file name without its folder
  std::string Message;      // as TSlideshow's, or empty
  std::uint32_t IntervalMs = 0;
  int PictureCount = 0;     // list entries whose member the archive holds
};
TSlideSummary SlideSummarize(const std::string& archivePath);

// The archive that belongs to a module: the module's path with its extension (the text from
// the last "." of the last path element) replaced by ".pak", or ".pak" appended when it has
// none.
std::string SlideArchivePathFor(const std::string& modulePath);
