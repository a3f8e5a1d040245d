#include "compiler/file_names.h"

namespace scenario {

FileNames file_names(const std::string& route, const std::string& train) {
  const std::string both = route + "_" + train;
  return FileNames{
      route + "_linea.txt",
      both + "-.txt",
      both + "_scheda_treno.txt",
      both + "_rallentamenti.txt",
      both + "_note.txt",
      route + "_linea.dat",
      both + ".sim",
      both + ".dat",
  };
}

}  // namespace scenario
