#include "Slideshow.h"

#include "FileAccess.h"

namespace {

std::string SlideFileName(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The archive and its list, or the message saying why there are none.
struct TSlideOpened {
  std::unique_ptr<TSlideArchive> Archive;
  TSlideList List;
  std::vector<int> MemberOf;
  int PictureCount = 0;
  std::string Message;
};

TSlideOpened SlideOpen(const std::string& archivePath) {
  TSlideOpened opened;
  const std::string name = SlideFileName(archivePath);
  std::unique_ptr<std::istream> stream = FileOpenRead(archivePath);
  if (!stream) {
    opened.Message = "Archivio non trovato: " + name;
    return opened;
  }
  try {
    opened.Archive = std::make_unique<TSlideArchive>(std::move(stream));
  } catch (const std::exception&) {
    opened.Message = "Archivio danneggiato: " + name;
    return opened;
  }
  const int list = opened.Archive->Find("list.dat");
  if (list < 0) {
    opened.Message = "Manca list.dat nell'archivio " + name;
    return opened;
  }
  try {
    const std::vector<std::uint8_t> bytes = opened.Archive->Read(list);
    opened.List = SlideReadList(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const std::exception&) {
    opened.Message = "Archivio danneggiato: " + name;
    return opened;
  }
  opened.MemberOf = SlideMatchMembers(opened.List.Members, opened.Archive->Names());
  for (int member : opened.MemberOf)
    if (member >= 0) ++opened.PictureCount;
  return opened;
}

}  // namespace

TSlideshow::TSlideshow(const std::string& archivePath) {
  TSlideOpened opened = SlideOpen(archivePath);
  message_ = std::move(opened.Message);
  if (!message_.empty()) return;
  archive_ = std::move(opened.Archive);
  list_ = std::move(opened.List);
  memberOf_ = std::move(opened.MemberOf);
  pictureCount_ = opened.PictureCount;
}

TSlidePicture TSlideshow::Decode(const TSlideJob& job, bool enlarge, const std::function<bool()>& cancelled) {
  const std::string& name = list_.Members.at(std::size_t(job.Entry));
  const int member = memberOf_.at(std::size_t(job.Entry));
  if (member < 0) throw ESlideError("Missing archive member " + name);
  const std::vector<std::uint8_t> bytes = archive_->Read(member, cancelled);
  TSlidePicture picture = SlideDecode(name, bytes, job.Width, job.Height, cancelled);
  SlideFitPicture(picture, job.Width, job.Height, enlarge);
  return picture;
}

TSlideSummary SlideSummarize(const std::string& archivePath) {
  TSlideOpened opened = SlideOpen(archivePath);
  return {SlideFileName(archivePath), opened.Message, opened.List.IntervalMs, opened.PictureCount};
}

std::string SlideArchivePathFor(const std::string& modulePath) {
  const auto element = modulePath.find_last_of("\\/");
  const auto dot = modulePath.rfind('.');
  const bool hasExtension = dot != std::string::npos && (element == std::string::npos || dot > element);
  return (hasExtension ? modulePath.substr(0, dot) : modulePath) + ".pak";
}
