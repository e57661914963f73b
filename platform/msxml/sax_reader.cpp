// SAXXMLReader60: parses a stream or a string into the content handler (see SaxSession).
#include "class_registry.h"
#include "kx/com_object.h"
#include "kx/hresult_error.h"
#include "sax_session.h"

namespace kx::xml {
namespace {

class SaxXmlReader final : public ComObject<ISAXXMLReader> {
 public:
  HRESULT STDMETHODCALLTYPE getContentHandler(ISAXContentHandler** handler) override {
    return handler_.CopyTo(handler);
  }

  HRESULT STDMETHODCALLTYPE putContentHandler(ISAXContentHandler* handler) override {
    handler_ = ComPtr<ISAXContentHandler>(handler);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE parse(VARIANT input) override {
    return HResultBoundary([&] {
      SaxSession session(handler_.Get());
      if (input.vt == VT_BSTR)
        return session.ParseText(
            {input.bstrVal ? input.bstrVal : u"", SysStringLen(input.bstrVal)});
      if (input.vt != VT_UNKNOWN || !input.punkVal) return E_INVALIDARG;
      ComPtr<ISequentialStream> stream;
      const HRESULT hr = ComPtr<IUnknown>(input.punkVal).As(stream);
      return FAILED(hr) ? E_INVALIDARG : session.ParseStream(stream.Get());
    });
  }

 private:
  ComPtr<ISAXContentHandler> handler_;
};

HRESULT CreateSaxXmlReader(REFIID riid, void** ppv) {
  return HResultBoundary([&] { return MakeComObject<SaxXmlReader>()->QueryInterface(riid, ppv); });
}

const PlatformClassRegistration registration(CLSID_SAXXMLReader60, CreateSaxXmlReader);

}  // namespace
}  // namespace kx::xml
