#include <gtest/gtest.h>

#include <string>

#include "load_dom_from_stream.h"
#include "memory_streams.h"
#include "objbase.h"
#include "page_streams.h"
#include "read_stream_adapter.h"
#include "sequential_read_adapter.h"
#include "write_chunked.h"

namespace kx {
namespace {

using test::MemoryReadStream;
using test::RecordingWriteStream;

TEST(WriteChunked, WritesAtMost65536BytesPerCall) {
  struct Case {
    ULONG count;
    std::vector<ULONG> calls;
  };
  for (const Case& c : {Case{131073, {65536, 65536, 1}}, Case{65536, {65536}}, Case{0, {0}}}) {
    auto stream = MakeComObject<RecordingWriteStream>();
    const std::string bytes(c.count, 'x');
    ULONG written = 0;
    ASSERT_EQ(
        WriteChunked(stream.Get(), reinterpret_cast<const BYTE*>(bytes.data()), c.count, &written),
        S_OK);
    EXPECT_EQ(stream->writeSizes, c.calls);
    EXPECT_EQ(written, c.count);
  }
}

TEST(WriteChunked, StopsAtTheFirstFailureOrAStreamThatTakesNothing) {
  const std::string bytes(200000, 'x');
  auto failing = MakeComObject<RecordingWriteStream>();
  failing->failOnCall = 2;
  failing->failure = E_ACCESSDENIED;
  ULONG written = 0;
  EXPECT_EQ(
      WriteChunked(failing.Get(), reinterpret_cast<const BYTE*>(bytes.data()), 200000, &written),
      E_ACCESSDENIED);
  EXPECT_EQ(written, 65536u);
  EXPECT_EQ(failing->writeSizes.size(), 2u);

  auto full = MakeComObject<RecordingWriteStream>();
  full->acceptsNothing = true;
  EXPECT_TRUE(FAILED(
      WriteChunked(full.Get(), reinterpret_cast<const BYTE*>(bytes.data()), 200000, &written)));
  EXPECT_EQ(full->writeSizes.size(), 1u);
}

TEST(WriteTextAsUtf8, WritesTheTextAsUtf8) {
  auto stream = MakeComObject<RecordingWriteStream>();
  TextBuffer text;
  text.Assign(u"<a b=\"\u00E9\"/>");
  ASSERT_EQ(WriteTextAsUtf8(&text, stream.Get()), S_OK);
  EXPECT_EQ(stream->bytes, "<a b=\"\xC3\xA9\"/>");
  EXPECT_EQ(WriteTextAsUtf8(nullptr, stream.Get()), E_POINTER);
}

class AdapterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(AdapterTest, ReadStreamAdapterMeasuresItsSizeOnceAndKeepsThePosition) {
  auto source = MakeComObject<MemoryReadStream>(std::string("0123456789"));
  auto adapter = MakeComObject<ReadStreamAdapter>(source.Get());
  char bytes[4];
  ULONG read = 0;
  ASSERT_EQ(adapter->Read(bytes, 3, &read), S_OK);
  EXPECT_EQ(read, 3u);
  EXPECT_EQ(adapter->Read(bytes, 3, nullptr), E_POINTER);

  STATSTG stat{};
  ASSERT_EQ(adapter->Stat(&stat, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 10u);
  EXPECT_EQ(std::u16string(stat.pwcsName), u"PrintReadStream");
  EXPECT_EQ(stat.grfMode, 0x20u);
  CoTaskMemFree(stat.pwcsName);
  const int seeks = source->seekCount;
  ASSERT_EQ(adapter->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.pwcsName, nullptr);
  EXPECT_EQ(source->seekCount, seeks);
  ASSERT_EQ(adapter->Read(bytes, 1, &read), S_OK);
  EXPECT_EQ(bytes[0], '3');

  ComPtr<IStream> stream;
  EXPECT_EQ(ComPtr<IUnknown>(static_cast<IStream*>(adapter.Get())).As(stream), S_OK);
  ComPtr<IPrintReadStream> other;
  EXPECT_EQ(ComPtr<IUnknown>(static_cast<IStream*>(adapter.Get())).As(other), E_NOINTERFACE);
  EXPECT_EQ(adapter->Write(bytes, 1, &read), E_NOTIMPL);
  EXPECT_THROW(ReadStreamAdapter(nullptr), CXDException);
}

TEST_F(AdapterTest, LoadsADomFromTheStartOfAStream) {
  auto source = MakeComObject<MemoryReadStream>(std::string("<root><a/></root>"));
  auto adapter = MakeComObject<ReadStreamAdapter>(source.Get());
  char skipped[3];
  ULONG read = 0;
  adapter->Read(skipped, 3, &read);
  ComPtr<IXMLDOMDocument2> dom;
  ASSERT_EQ(LoadDomFromStream(adapter.Get(), dom.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IXMLDOMElement> root;
  EXPECT_EQ(dom->get_documentElement(root.ReleaseAndGetAddressOf()), S_OK);

  auto broken = MakeComObject<ReadStreamAdapter>(
      MakeComObject<MemoryReadStream>(std::string("<root>")).Get());
  EXPECT_EQ(LoadDomFromStream(broken.Get(), dom.ReleaseAndGetAddressOf()), E_FAIL);
  EXPECT_FALSE(dom);
  EXPECT_EQ(LoadDomFromStream(nullptr, dom.ReleaseAndGetAddressOf()), E_POINTER);

  // The ticket loader reads part streams through the sequential adapter.
  auto sequential = MakeComObject<SequentialReadAdapter>(
      MakeComObject<MemoryReadStream>(std::string("<t/>")).Get());
  auto copy = ComPtr<IXMLDOMDocument2>();
  ASSERT_EQ(CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument2,
                             copy.ReleaseAndGetVoidAddressOf()),
            S_OK);
  VARIANT source2;
  VariantInit(&source2);
  source2.vt = VT_UNKNOWN;
  source2.punkVal = sequential.Get();
  VARIANT_BOOL loaded = VARIANT_FALSE;
  EXPECT_EQ(copy->load(source2, &loaded), S_OK);
  EXPECT_EQ(loaded, VARIANT_TRUE);
}

}  // namespace
}  // namespace kx
