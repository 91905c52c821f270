// make_sample_set FOLDER: writes the clean and the damaged sample files of
// the problem tests into FOLDER, and lists each with the problem kinds it
// must give (none for clean files) on standard output:
//   NAME<TAB>KIND,KIND<TAB>deep|-

#include <cstdio>
#include <string>

#include "support/sample_set.h"
#include "support/temp_dir.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_set FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  auto write = [&](const tarnwick::test::SampleFile& file) {
    tarnwick::test::WriteFileAt(folder + file.name, file.bytes);
    std::string kinds;
    for (const auto& e : file.expected) {
      kinds += (kinds.empty() ? "" : ",") + std::string(tarnwick::ProblemKindName(e.kind));
    }
    std::printf("%s\t%s\t%s\n", file.name.c_str(), kinds.empty() ? "-" : kinds.c_str(),
                file.deep ? "deep" : "-");
  };
  for (const auto& file : tarnwick::test::CleanSet()) write(file);
  for (const auto& file : tarnwick::test::DamagedSet()) write(file);
  return 0;
}
