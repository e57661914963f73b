// kxbenchdoc PAGES OUT.xps: writes the generated test document with that many pages, for
// measuring kxprint (peak memory against the page count).
#include <cstdio>
#include <cstdlib>

#include "package_builder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kxbenchdoc PAGES OUT.xps\n");
    return 2;
  }
  kx::test::WriteZip(argv[2], kx::test::MakeXpsItems(
                                  {.pagesPerDocument = std::atoi(argv[1]), .pageFiller = 8000}));
  return 0;
}
