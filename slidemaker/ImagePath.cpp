#include "ImagePath.h"

#include "FileAccess.h"

std::string ImagePathProblem(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  if (FileNameHeldByCodePage(path)) return {};
  return "Il file \"" + name + "\" non può essere aggiunto: il suo nome contiene caratteri che "
         "Windows non sa scrivere nella tabella codici del sistema (qui mostrati come \"?\"), "
         "e il programma non potrebbe leggerlo. Rinomina il file con lettere comuni e "
         "aggiungilo di nuovo.";
}
