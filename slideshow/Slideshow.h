#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "SlideArchive.h"
#include "SlideDeck.h"
#include "SlideList.h"

// The saver's whole portable side: the archive beside the module, its "list.dat" and the
// deck of pictures.  The Win32 forms only place and paint what it holds.
//
// Every failure becomes a few words for the black screen (Message()); a top-most saver
// cannot show a message box the user would see.
class TSlideshow {
public:
  // Opens and checks archivePath, reads "list.dat" from it and decodes the first showable
  // picture for a display of displayWidth × displayHeight pixels.  Never throws: see Message().
  TSlideshow(const std::string& archivePath, int displayWidth, int displayHeight);

  // Empty while pictures can be shown; otherwise what went wrong:
  //   "Archivio non trovato: NAME"           no archive beside the module
  //   "Archivio danneggiato: NAME"           it fails its check or cannot be read
  //   "Manca list.dat nell'archivio NAME"    the archive holds no list
  //   "Nessuna immagine da mostrare"         no entry of the list gives a picture
  // NAME is the archive's file name without its folder.
  const std::string& Message() const { return message_; }

  std::uint32_t IntervalMs() const { return list_.IntervalMs; }
  // Entries of the list, and those of them whose member the archive holds.
  int EntryCount() const { return int(list_.Members.size()); }
  int PictureCount() const { return pictureCount_; }
  // Whether the picture ever changes: an interval and another entry to go to.
  bool Changes() const { return IntervalMs() > 0 && EntryCount() > 1; }

  TSlideDeck& Deck() { return *deck_; }
  const TSlidePicture* Current() const { return deck_ ? deck_->Current() : nullptr; }

private:
  std::string message_;
  TSlideList list_;
  std::vector<int> memberOf_;  // archive member of each list entry, -1 when missing
  int pictureCount_ = 0;
  std::unique_ptr<TSlideArchive> archive_;
  std::unique_ptr<TSlideDeck> deck_;
};

// Just the archive and its list, for the settings dialog: no picture is decoded.
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
