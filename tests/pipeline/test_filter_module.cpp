// kxtestfilter: a filter module whose filters misbehave on purpose, to drive the service's stop
// paths. Each class identifier is one behaviour (see test_filter_module.h).
#include <atomic>
#include <string>

#include "filterpipeline.h"
#include "kx/com_object.h"
#include "kx/scoped_variant.h"
#include "part_pump.h"
#include "test_filter_module.h"

#define KX_EXPORT __attribute__((visibility("default")))

namespace {

std::atomic<long> liveFilters{0};

class TestFilter final : public kx::ComObject<IPrintPipelineFilter> {
 public:
  explicit TestFilter(kx::test::TestFilterKind kind) : kind_(kind) { ++liveFilters; }
  ~TestFilter() override { --liveFilters; }

  HRESULT STDMETHODCALLTYPE InitializeFilter(IInterFilterCommunicator* communicator,
                                             IPrintPipelinePropertyBag* bag,
                                             IPrintPipelineManagerControl* control) override {
    communicator_ = kx::ComPtr<IInterFilterCommunicator>(communicator);
    bag_ = kx::ComPtr<IPrintPipelinePropertyBag>(bag);
    control_ = kx::ComPtr<IPrintPipelineManagerControl>(control);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShutdownOperation() override {
    if (!finished_.exchange(true)) control_->FilterFinished();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE StartOperation() override {
    kx::ComPtr<IXpsDocumentProvider> reader;
    kx::ComPtr<IXpsDocumentConsumer> writer;
    communicator_->RequestReader(reader.ReleaseAndGetVoidAddressOf());
    communicator_->RequestWriter(writer.ReleaseAndGetVoidAddressOf());
    HRESULT hr = kind_ == kx::test::TestFilterKind::kCheckBag ? CheckBag() : S_OK;
    for (int parts = 0; SUCCEEDED(hr) && !finished_; ++parts) {
      if (parts == 2 && kind_ == kx::test::TestFilterKind::kFailMidway) {
        control_->RequestShutdown(E_NOTIMPL, nullptr);
        return E_NOTIMPL;
      }
      if (parts == 2 && kind_ == kx::test::TestFilterKind::kStopEarly) return S_OK;
      kx::ComPtr<IUnknown> part;
      hr = reader->GetXpsPart(part.ReleaseAndGetAddressOf());
      if (FAILED(hr) || !part) break;
      hr = kx::xps::SendPart(writer.Get(), part.Get());
    }
    writer->CloseSender();
    if (FAILED(hr) && !finished_) control_->RequestShutdown(hr, nullptr);
    ShutdownOperation();
    return finished_ ? S_OK : hr;
  }

 private:
  // Every property the pipeline promises, of the right kind.
  HRESULT CheckBag() {
    kx::ScopedVariant name, id, ticket, factory;
    if (FAILED(bag_->GetProperty(u"PrinterName", name.Out())) || name.Get().vt != VT_BSTR ||
        FAILED(bag_->GetProperty(u"PrintJobId", id.Out())) || id.Get().vt != VT_UI4 ||
        FAILED(bag_->GetProperty(u"PrintClassFactory", factory.Out())) ||
        FAILED(bag_->GetProperty(u"PerUserPrintTicket", ticket.Out())) ||
        ticket.Get().vt != VT_UNKNOWN)
      return E_INVALIDARG;
    kx::ComPtr<IPrintReadStreamFactory> streams;
    kx::ComPtr<IPrintReadStream> stream;
    if (FAILED(kx::ComPtr<IUnknown>(ticket.Get().punkVal).As(streams)) ||
        FAILED(streams->GetStream(stream.ReleaseAndGetAddressOf())))
      return E_INVALIDARG;
    std::string text;
    char buffer[4096];
    ULONG read = 0;
    BOOL end = FALSE;
    while (SUCCEEDED(stream->ReadBytes(buffer, sizeof buffer, &read, &end)) && read > 0)
      text.append(buffer, read);
    return text.find("psf:PrintTicket") == std::string::npos ? E_INVALIDARG : S_OK;
  }

  kx::test::TestFilterKind kind_;
  std::atomic<bool> finished_{false};
  kx::ComPtr<IInterFilterCommunicator> communicator_;
  kx::ComPtr<IPrintPipelinePropertyBag> bag_;
  kx::ComPtr<IPrintPipelineManagerControl> control_;
};

}  // namespace

extern "C" KX_EXPORT HRESULT DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  for (const auto& [kind, id] : kx::test::kTestFilterClasses) {
    if (!IsEqualCLSID(classId, id)) continue;
    auto filter = kx::MakeComObject<TestFilter>(kind);
    return filter->QueryInterface(riid, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" KX_EXPORT HRESULT DllCanUnloadNow() { return liveFilters == 0 ? S_OK : S_FALSE; }
