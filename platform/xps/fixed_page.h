// FixedPagePart: a page with its print ticket and the parts it uses (fonts, images, colour
// profiles, dictionaries). GetWriteStream gives a stream whose content, once closed, replaces
// the page's content for everyone after; GetStream keeps giving the old content until then.
#pragma once

#include <vector>

#include "structure_parts.h"

namespace kx::xps {

class FixedPagePart final : public TicketedPart<IFixedPage> {
 public:
  using TicketedPart::TicketedPart;

  // Looks a resource up by part name; a relative name is resolved against the page.
  HRESULT STDMETHODCALLTYPE GetPagePart(const WCHAR* uri, IUnknown** part) override;
  HRESULT STDMETHODCALLTYPE GetWriteStream(IPrintWriteStream** stream) override;
  HRESULT STDMETHODCALLTYPE SetPagePart(IUnknown* part) override;
  HRESULT STDMETHODCALLTYPE DeleteResource(const WCHAR* uri) override;
  HRESULT STDMETHODCALLTYPE GetXpsPartIterator(IXpsPartIterator** iterator) override;

  // For the reader, before the page is handed out.
  void AddResource(std::string name, ComPtr<IUnknown> part);

  struct Resource {
    std::string name;
    ComPtr<IUnknown> part;
  };

 private:
  // The index of the resource a reference names, or resources_.size().
  std::size_t Locate(const WCHAR* uri) const;

  std::vector<Resource> resources_;
};

// An iterator over a copy of the resource list taken when it was made.
ComPtr<IXpsPartIterator> CreatePartIterator(std::vector<FixedPagePart::Resource> resources);

}  // namespace kx::xps
