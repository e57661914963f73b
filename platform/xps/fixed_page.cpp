#include "fixed_page.h"

#include "kx/unique_bstr.h"
#include "part_name.h"
#include "part_write_stream.h"

namespace kx::xps {
namespace {

class PartIterator final : public ComObject<IXpsPartIterator> {
 public:
  explicit PartIterator(std::vector<FixedPagePart::Resource> resources)
      : resources_(std::move(resources)) {}

  void STDMETHODCALLTYPE Reset() override { position_ = 0; }
  HRESULT STDMETHODCALLTYPE Current(BSTR* uri, IUnknown** part) override {
    if (!uri || !part) return E_POINTER;
    *uri = nullptr;
    *part = nullptr;
    if (position_ >= resources_.size()) return E_FAIL;
    UniqueBstr name(AllocBstr(resources_[position_].name));
    if (!name.Get()) return E_OUTOFMEMORY;
    *uri = name.Release();
    return resources_[position_].part.CopyTo(part);
  }
  BOOL STDMETHODCALLTYPE IsDone() override { return position_ >= resources_.size(); }
  void STDMETHODCALLTYPE Next() override {
    if (position_ < resources_.size()) ++position_;
  }

 private:
  std::vector<FixedPagePart::Resource> resources_;
  std::size_t position_ = 0;
};

}  // namespace

ComPtr<IXpsPartIterator> CreatePartIterator(std::vector<FixedPagePart::Resource> resources) {
  return ComPtr<IXpsPartIterator>::Attach(new PartIterator(std::move(resources)));
}

std::size_t FixedPagePart::Locate(const WCHAR* uri) const {
  const auto resolved = ResolvePartReference(Name(), Utf16ToUtf8(uri));
  if (!resolved) return resources_.size();
  const std::string key = PartNameKey(*resolved);
  std::size_t i = 0;
  while (i < resources_.size() && PartNameKey(resources_[i].name) != key) ++i;
  return i;
}

HRESULT FixedPagePart::GetPagePart(const WCHAR* uri, IUnknown** part) {
  if (!uri || !part) return E_POINTER;
  *part = nullptr;
  return HResultBoundary([&] {
    std::lock_guard lock(mutex_);
    const std::size_t found = Locate(uri);
    if (found == resources_.size()) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    return resources_[found].part.CopyTo(part);
  });
}

HRESULT FixedPagePart::GetWriteStream(IPrintWriteStream** stream) {
  if (!stream) return E_POINTER;
  *stream = nullptr;
  return HResultBoundary([&] {
    ComPtr<FixedPagePart> self(this);
    return CreatePartWriteStream(
               [self](ContentPtr content) { self->SetContent(std::move(content)); })
        .CopyTo(stream);
  });
}

HRESULT FixedPagePart::SetPagePart(IUnknown* part) {
  if (!part) return E_POINTER;
  return HResultBoundary([&] {
    std::string name = NameOfPart(part);
    if (!IsValidPartName(name)) return E_INVALIDARG;
    std::lock_guard lock(mutex_);
    const std::u16string wide = Utf8ToUtf16(name);
    const std::size_t found = Locate(wide.c_str());
    if (found == resources_.size()) {
      resources_.push_back({std::move(name), ComPtr<IUnknown>(part)});
    } else {
      resources_[found].part = ComPtr<IUnknown>(part);
    }
    return S_OK;
  });
}

HRESULT FixedPagePart::DeleteResource(const WCHAR* uri) {
  if (!uri) return E_POINTER;
  return HResultBoundary([&] {
    std::lock_guard lock(mutex_);
    const std::size_t found = Locate(uri);
    if (found == resources_.size()) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    resources_.erase(resources_.begin() + static_cast<std::ptrdiff_t>(found));
    return S_OK;
  });
}

HRESULT FixedPagePart::GetXpsPartIterator(IXpsPartIterator** iterator) {
  if (!iterator) return E_POINTER;
  *iterator = nullptr;
  return HResultBoundary([&] {
    std::lock_guard lock(mutex_);
    return CreatePartIterator(resources_).CopyTo(iterator);
  });
}

void FixedPagePart::AddResource(std::string name, ComPtr<IUnknown> part) {
  std::lock_guard lock(mutex_);
  resources_.push_back({std::move(name), std::move(part)});
}

}  // namespace kx::xps
