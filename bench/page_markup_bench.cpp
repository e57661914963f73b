// Page markup through the SAX reader: plain parsing into a handler that does nothing (the
// baseline), and the two Canvas rewriters into a write stream that discards. Arguments are the
// page size in megabytes; largest_write shows that the rewriters' output blocks, and so their
// pending text, do not grow with the page.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "canvas_fragment_rewriter.h"
#include "in_place_page_rewriter.h"
#include "objbase.h"
#include "rewrite_page.h"
#include "sequential_read_adapter.h"

namespace {

// A fixed page of about `megabytes` MB, shaped like a producer's output: resources, nested
// canvases, paths with geometry, glyph runs with indices and text that needs escaping.
std::string MakePage(int megabytes) {
  std::string page =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<FixedPage Width=\"816\" Height=\"1056\" "
      "xmlns=\"http://schemas.microsoft.com/xps/2005/06\" "
      "xmlns:x=\"http://schemas.microsoft.com/winfx/2006/xaml\" xml:lang=\"en-US\">\n"
      "<FixedPage.Resources><ResourceDictionary><SolidColorBrush x:Key=\"b0\" "
      "Color=\"#FF202020\"/></ResourceDictionary></FixedPage.Resources>\n";
  const std::size_t target = static_cast<std::size_t>(megabytes) << 20;
  for (int block = 0; page.size() < target; ++block) {
    page += "<Canvas RenderTransform=\"1,0,0,1," + std::to_string(block % 97) + ",0\">\n";
    for (int i = 0; i < 20; ++i) {
      page += "  <Path Fill=\"{StaticResource b0}\" Data=\"M 10.5," + std::to_string(i) +
              " L 120.25,40.75 L 130,50 C 140,60 150,70 160,80 Z\"/>\n"
              "  <Glyphs Fill=\"#FF000000\" FontUri=\"/Resources/Fonts/0.odttf\" "
              "FontRenderingEmSize=\"12\" OriginX=\"96\" OriginY=\"" +
              std::to_string(100 + i) +
              "\" Indices=\"43,62;72,62;79,62;79,62;82,62\" UnicodeString=\"Smith &amp; "
              "Sons &lt;Ltd&gt; page text\"/>\n";
    }
    page += "</Canvas>\n";
  }
  return page + "</FixedPage>\n";
}

const std::string& Page(int megabytes) {
  static const std::string eight = MakePage(8);
  static const std::string thirtyTwo = MakePage(32);
  return megabytes == 8 ? eight : thirtyTwo;
}

class MemoryReadStream final : public kx::ComObject<IPrintReadStream> {
 public:
  explicit MemoryReadStream(const std::string& bytes) : bytes_(bytes) {}
  HRESULT STDMETHODCALLTYPE Seek(LONGLONG, DWORD, ULONGLONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ReadBytes(void* buffer, ULONG requested, ULONG* read,
                                      BOOL* endOfFile) override {
    const std::size_t count = std::min<std::size_t>(requested, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    *read = static_cast<ULONG>(count);
    if (endOfFile) *endOfFile = position_ == bytes_.size();
    return S_OK;
  }

 private:
  const std::string& bytes_;
  std::size_t position_ = 0;
};

class DiscardingWriteStream final : public kx::ComObject<IPrintWriteStream> {
 public:
  HRESULT STDMETHODCALLTYPE WriteBytes(const void*, ULONG size, ULONG* written) override {
    largest = std::max(largest, size);
    if (written) *written = size;
    return S_OK;
  }
  void STDMETHODCALLTYPE Close() override {}

  ULONG largest = 0;
};

class IdentityPlacement final : public kx::CanvasPlacement {
 public:
  HRESULT GetTransform(Gdiplus::GpMatrix*) override { return S_OK; }
  HRESULT GetClipCorners(Gdiplus::PointF*, Gdiplus::PointF*) override { return E_NOTIMPL; }
};

// A content handler that does nothing: the base rewriter without a stream.
class NullHandler final : public kx::PageMarkupRewriter {
 public:
  NullHandler() : PageMarkupRewriter(nullptr) {}
};

struct ComApartment {
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { CoUninitialize(); }
};

HRESULT Parse(const std::string& page, ISAXContentHandler* handler) {
  auto source = kx::MakeComObject<MemoryReadStream>(page);
  auto adapter = kx::MakeComObject<kx::SequentialReadAdapter>(source.Get());
  return kx::ParseMarkup(adapter.Get(), handler);
}

void BM_SaxParse(benchmark::State& state) {
  ComApartment apartment;
  const std::string& page = Page(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto handler = kx::MakeComObject<NullHandler>();
    if (FAILED(Parse(page, handler.Get()))) state.SkipWithError("parse failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

template <class Rewriter>
void BM_Rewrite(benchmark::State& state) {
  ComApartment apartment;
  const std::string& page = Page(static_cast<int>(state.range(0)));
  IdentityPlacement placement;
  ULONG largest = 0;
  for (auto _ : state) {
    auto output = kx::MakeComObject<DiscardingWriteStream>();
    auto rewriter = kx::MakeComObject<Rewriter>(output.Get(), placement);
    if (FAILED(Parse(page, rewriter.Get())) || FAILED(rewriter->Finish()))
      state.SkipWithError("rewrite failed");
    largest = std::max(largest, output->largest);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.counters["largest_write"] = largest;
}

void BM_InPlaceRewrite(benchmark::State& state) { BM_Rewrite<kx::InPlacePageRewriter>(state); }
void BM_CanvasFragmentRewrite(benchmark::State& state) {
  BM_Rewrite<kx::CanvasFragmentRewriter>(state);
}

BENCHMARK(BM_SaxParse)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InPlaceRewrite)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CanvasFragmentRewrite)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

}  // namespace
