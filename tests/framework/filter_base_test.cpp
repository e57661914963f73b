#include "filter_base.h"

#include <gtest/gtest.h>

#include "fake_pipeline.h"
#include "kx/com_object.h"
#include "kx/utf16.h"
#include "module_state.h"

namespace kx {
namespace {

using pipeline::PropertyBag;
using test::FakeCommunicator;
using test::FakeManagerControl;

// The smallest concrete filter: the base with a StartOperation that does nothing.
class PlainFilter final : public FilterBase {
 public:
  HRESULT STDMETHODCALLTYPE StartOperation() override { return S_OK; }
  const UniqueBstr& PrinterName() const { return printerName_; }
  ULONG JobId() const { return jobId_; }
  bool HasClassObjectFactory() const { return bool(classObjectFactory_); }
  bool HasPipelineObjects() const { return communicator_ && propertyBag_ && managerControl_; }
  std::u16string_view PrivateNamespace() const { return privateNamespace_.View(); }
};

class FakeClassObjectFactory final : public ComObject<IPrintClassObjectFactory> {
 public:
  HRESULT STDMETHODCALLTYPE GetPrintClassObject(const WCHAR*, REFIID, void** object) override {
    *object = nullptr;
    return E_NOTIMPL;
  }
};

class FilterBaseTest : public ::testing::Test {
 protected:
  ComPtr<PlainFilter> filter = ComPtr<PlainFilter>::Attach(new PlainFilter);
  ComPtr<FakeCommunicator> communicator = MakeComObject<FakeCommunicator>(nullptr, nullptr);
  ComPtr<PropertyBag> bag = MakeComObject<PropertyBag>();
  ComPtr<FakeManagerControl> manager = MakeComObject<FakeManagerControl>();

  HRESULT Initialize() {
    return filter->InitializeFilter(communicator.Get(), bag.Get(), manager.Get());
  }
};

TEST_F(FilterBaseTest, AnswersOnlyIUnknownAndTheFilterInterface) {
  void* answer = nullptr;
  EXPECT_EQ(filter->QueryInterface(IID_IPrintPipelineFilter, &answer), S_OK);
  EXPECT_EQ(answer, static_cast<IPrintPipelineFilter*>(filter.Get()));
  filter->Release();
  EXPECT_EQ(filter->QueryInterface(IID_IUnknown, &answer), S_OK);
  filter->Release();
  answer = &answer;
  EXPECT_EQ(filter->QueryInterface(IID_IClassFactory, &answer), E_NOINTERFACE);
  EXPECT_EQ(answer, nullptr);
  EXPECT_EQ(filter->QueryInterface(IID_IPrintPipelineFilter, nullptr), E_POINTER);
}

TEST_F(FilterBaseTest, CountsItselfAmongTheModulesLiveObjects) {
  const LONG before = TheModule().liveObjects;
  {
    auto another = ComPtr<PlainFilter>::Attach(new PlainFilter);
    EXPECT_EQ(TheModule().liveObjects, before + 1);
  }
  EXPECT_EQ(TheModule().liveObjects, before);
}

TEST_F(FilterBaseTest, ReadsTheJobIdentityFromThePropertyBag) {
  bag->SetString(u"PrinterName", u"Kexley KX-200");
  bag->SetUInt(u"PrintJobId", 17);
  auto factory = MakeComObject<FakeClassObjectFactory>();
  bag->SetUnknown(u"PrintClassFactory", factory.Get());

  EXPECT_EQ(Initialize(), S_OK);
  EXPECT_EQ(filter->PrinterName().View(), u"Kexley KX-200");
  EXPECT_EQ(filter->JobId(), 17u);
  EXPECT_TRUE(filter->HasClassObjectFactory());
  EXPECT_EQ(filter->PrivateNamespace(), u"http://schemas.kexley.example/printing/2026/keywords");
}

TEST_F(FilterBaseTest, AJobWithoutIdKeepsIdZero) {
  bag->SetString(u"PrinterName", u"Kexley");
  EXPECT_EQ(Initialize(), S_OK);
  EXPECT_EQ(filter->JobId(), 0u);
  EXPECT_FALSE(filter->HasClassObjectFactory());
}

TEST_F(FilterBaseTest, AClassFactoryPropertyOfAnotherKindIsIgnored) {
  bag->SetString(u"PrinterName", u"Kexley");
  bag->SetUnknown(u"PrintClassFactory", manager.Get());
  EXPECT_EQ(Initialize(), S_OK);
  EXPECT_FALSE(filter->HasClassObjectFactory());
}

TEST_F(FilterBaseTest, AMissingPrinterNameIsTheResult) {
  EXPECT_EQ(Initialize(), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  EXPECT_TRUE(filter->HasPipelineObjects());  // stored all the same
}

TEST_F(FilterBaseTest, ANullArgumentStoresNothingAndStopsAnEarlierPipeline) {
  EXPECT_EQ(filter->InitializeFilter(communicator.Get(), nullptr, manager.Get()), E_POINTER);
  EXPECT_FALSE(filter->HasPipelineObjects());
  EXPECT_TRUE(manager->shutdownRequests.empty());

  bag->SetString(u"PrinterName", u"Kexley");
  ASSERT_EQ(Initialize(), S_OK);
  EXPECT_EQ(filter->InitializeFilter(nullptr, bag.Get(), manager.Get()), E_POINTER);
  EXPECT_EQ(manager->shutdownRequests, std::vector<HRESULT>{E_POINTER});
}

TEST_F(FilterBaseTest, FilterFinishedIsSentOnceWhateverComesAfterShutdown) {
  bag->SetString(u"PrinterName", u"Kexley");
  ASSERT_EQ(Initialize(), S_OK);
  EXPECT_EQ(filter->ShutdownOperation(), S_OK);
  EXPECT_EQ(filter->ShutdownOperation(), S_OK);
  filter.Reset();  // the destructor sends nothing more
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(FilterBaseTest, TheLastReleaseReportsAnUnfinishedFilter) {
  bag->SetString(u"PrinterName", u"Kexley");
  ASSERT_EQ(Initialize(), S_OK);
  filter.Reset();
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(FilterBaseTest, ShutdownBeforeInitializationSendsNothing) {
  EXPECT_EQ(filter->ShutdownOperation(), S_OK);
  EXPECT_EQ(manager->finishedCount, 0);
}

}  // namespace
}  // namespace kx
