// rewrite_page_file IN OUT inplace|fragment: rewrites one fixed page file with the identity
// placement, for the render check (render_check.py).
#include <fstream>
#include <iostream>
#include <sstream>

#include "canvas_fragment_rewriter.h"
#include "in_place_page_rewriter.h"
#include "objbase.h"
#include "page_streams.h"
#include "rewrite_page.h"

namespace {

class IdentityPlacement final : public kx::CanvasPlacement {
 public:
  HRESULT GetTransform(Gdiplus::GpMatrix*) override { return S_OK; }
  HRESULT GetClipCorners(Gdiplus::PointF*, Gdiplus::PointF*) override { return E_NOTIMPL; }
};

template <class Rewriter>
HRESULT Rewrite(kx::test::StreamPage& page) {
  IdentityPlacement placement;
  auto rewriter = kx::MakeComObject<Rewriter>(page.output.Get(), placement);
  const HRESULT hr = kx::RewritePage(&page, rewriter.Get());
  return FAILED(hr) ? hr : rewriter->Finish();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: rewrite_page_file IN OUT inplace|fragment\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream markup;
  markup << in.rdbuf();
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HRESULT hr = S_OK;
  std::string output;
  {
    auto page = kx::MakeComObject<kx::test::StreamPage>(markup.str());
    hr = std::string_view(argv[3]) == "inplace" ? Rewrite<kx::InPlacePageRewriter>(*page.Get())
                                                : Rewrite<kx::CanvasFragmentRewriter>(*page.Get());
    output = page->output->bytes;
  }
  CoUninitialize();
  if (FAILED(hr)) {
    std::cerr << argv[1] << ": rewrite failed with 0x" << std::hex << static_cast<unsigned>(hr)
              << "\n";
    return 1;
  }
  std::ofstream(argv[2], std::ios::binary) << output;
  return 0;
}
