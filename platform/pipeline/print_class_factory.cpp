#include "print_class_factory.h"

#include "kx/com_object.h"

namespace kx::pipeline {
namespace {

class PrintClassFactory final : public ComObject<IPrintClassObjectFactory> {
 public:
  HRESULT STDMETHODCALLTYPE GetPrintClassObject(const WCHAR*, REFIID, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    return E_NOINTERFACE;
  }
};

}  // namespace

ComPtr<IPrintClassObjectFactory> CreatePrintClassFactory() {
  return ComPtr<IPrintClassObjectFactory>::Attach(new PrintClassFactory());
}

}  // namespace kx::pipeline
