// Helpers of the XML layer's tests: a COM apartment per test and short ways to make the DOM
// and the SAX reader.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "com_apartment_test.h"
#include "kx/com_object.h"
#include "kx/unique_bstr.h"
#include "msxml6.h"
#include "objbase.h"

namespace kx::test {

class XmlTest : public ComApartmentTest {
 protected:
  template <class Interface>
  static ComPtr<Interface> Create(const CLSID& clsid) {
    ComPtr<Interface> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, InterfaceId<Interface>::value,
                               object.ReleaseAndGetVoidAddressOf()),
              S_OK);
    return object;
  }
  static ComPtr<IXMLDOMDocument2> NewDom() { return Create<IXMLDOMDocument2>(CLSID_DOMDocument60); }
  static ComPtr<ISAXXMLReader> NewReader() { return Create<ISAXXMLReader>(CLSID_SAXXMLReader60); }
};

inline UniqueBstr Bstr(std::u16string_view text) {
  return UniqueBstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// A memory IStream holding bytes, positioned at its start.
inline ComPtr<IStream> StreamOver(const std::string& bytes) {
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, stream.ReleaseAndGetAddressOf());
  stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
  LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  return stream;
}

inline VARIANT UnknownVariant(IUnknown* unknown) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_UNKNOWN;
  value.punkVal = unknown;
  return value;
}

inline VARIANT TextVariant(BSTR text) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = text;
  return value;
}

}  // namespace kx::test
