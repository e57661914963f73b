#include "ticket_fixture.h"

#include "kx/unique_bstr.h"
#include "kx/utf16.h"

namespace kx::test {

std::u16string TicketXml(std::u16string_view body, std::u16string_view root) {
  std::u16string xml = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><";
  xml.append(root).append(
      u" version=\"1\""
      u" xmlns:psf=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework\""
      u" xmlns:psk=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords\""
      u" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
      u" xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
      u" xmlns:kx=\"");
  xml.append(kPrivateNamespace).append(u"\">").append(body).append(u"</").append(root).append(u">");
  return xml;
}

std::string UserTicketXml() {
  return Utf16ToUtf8(
      TicketXml(u"<psf:Feature name=\"psk:PageOrientation\"><psf:Option name=\"psk:Portrait\"/>"
                u"</psf:Feature>"));
}

ComPtr<IXMLDOMDocument2> LoadTicketDom(const std::u16string& xml) {
  ComPtr<IXMLDOMDocument2> dom;
  EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IXMLDOMDocument2, dom.ReleaseAndGetVoidAddressOf()),
            S_OK);
  if (!dom) return dom;
  UniqueBstr text(SysAllocStringLen(xml.data(), static_cast<UINT>(xml.size())));
  VARIANT_BOOL loaded = VARIANT_FALSE;
  EXPECT_EQ(dom->loadXML(text.Get(), &loaded), S_OK);
  EXPECT_EQ(loaded, VARIANT_TRUE);
  if (loaded != VARIANT_TRUE) dom.Reset();
  return dom;
}

std::u16string DomXml(IXMLDOMDocument2* dom) {
  UniqueBstr xml;
  EXPECT_EQ(dom->get_xml(xml.ResetAndGetAddressOf()), S_OK);
  return std::u16string(xml.View());
}

}  // namespace kx::test
