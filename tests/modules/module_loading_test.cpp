// Loads each built module as the pipeline does and drives its entry points.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "fake_parts.h"
#include "fake_pipeline.h"
#include "kx/module_identities.h"
#include "kx/trace_controller.h"
#include "recording_consumer.h"
#include "scripted_provider.h"
#include "ticket_fixture.h"

namespace kx {
namespace {

using DllGetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, LPVOID*);
using DllCanUnloadNowFn = HRESULT (*)();

// The two events each module emits, and the flag that turns them on.
constexpr USHORT kLoadedEvent = 10;
constexpr USHORT kUnloadedEvent = 11;
constexpr ULONG kModuleEventsFlag = 0x4;

class LoadedModule {
 public:
  explicit LoadedModule(const ModuleRecord& record) {
    const std::string path = std::string(KX_MODULE_DIR) + "/" + record.name + ".so";
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) return;
    getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle_, "DllGetClassObject"));
    canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle_, "DllCanUnloadNow"));
  }
  ~LoadedModule() { Unload(); }

  bool Loaded() const { return handle_ && getClassObject && canUnloadNow; }
  void Unload() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
  }

  DllGetClassObjectFn getClassObject = nullptr;
  DllCanUnloadNowFn canUnloadNow = nullptr;

 private:
  void* handle_ = nullptr;
};

std::string Name(const ::testing::TestParamInfo<ModuleRecord>& info) { return info.param.name; }

}  // namespace

void PrintTo(const ModuleRecord& record, std::ostream* out) { *out << record.name; }

namespace {

class ModuleTest : public ::testing::TestWithParam<ModuleRecord> {};

INSTANTIATE_TEST_SUITE_P(AllModules, ModuleTest, ::testing::ValuesIn(kModuleRecords), Name);

TEST_P(ModuleTest, CanUnloadOnlyWhileNoFilterIsAlive) {
  LoadedModule module(GetParam());
  ASSERT_TRUE(module.Loaded());
  EXPECT_EQ(module.canUnloadNow(), S_OK);

  IPrintPipelineFilter* filter = nullptr;
  ASSERT_EQ(module.getClassObject(GetParam().classId, IID_IPrintPipelineFilter,
                                  reinterpret_cast<void**>(&filter)),
            S_OK);
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(filter->AddRef(), 2u);  // the caller's reference was the only one
  EXPECT_EQ(filter->Release(), 1u);
  EXPECT_EQ(module.canUnloadNow(), S_FALSE);
  EXPECT_EQ(filter->Release(), 0u);
  EXPECT_EQ(module.canUnloadNow(), S_OK);
}

TEST_P(ModuleTest, RefusesOtherClassesAndOtherInterfaces) {
  LoadedModule module(GetParam());
  ASSERT_TRUE(module.Loaded());
  for (const ModuleRecord& other : kModuleRecords) {
    if (std::string(other.name) == GetParam().name) continue;
    void* object = &object;
    EXPECT_EQ(module.getClassObject(other.classId, IID_IUnknown, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
  }

  void* object = &object;
  EXPECT_EQ(module.getClassObject(GetParam().classId, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(module.canUnloadNow(), S_OK);  // the refused object did not survive
  EXPECT_EQ(module.getClassObject(GetParam().classId, IID_IUnknown, nullptr), E_POINTER);

  ASSERT_EQ(module.getClassObject(GetParam().classId, IID_IUnknown, &object), S_OK);
  static_cast<IUnknown*>(object)->Release();
}

TEST_P(ModuleTest, EmitsItsLoadAndUnloadEventsWhenFlagFourIsOn) {
  TraceController controller;
  controller.EnableProvider(GetParam().traceControlGuid, 5, kModuleEventsFlag | 0x1);
  LoadedModule module(GetParam());
  ASSERT_TRUE(module.Loaded());
  module.Unload();

  const auto events = controller.Events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].messageNumber, kLoadedEvent);
  EXPECT_EQ(events[1].messageNumber, kUnloadedEvent);
  for (const TraceEvent& event : events) {
    EXPECT_EQ(event.messageGuid, GetParam().traceMessageGuid);
    EXPECT_EQ(event.messageFlags, 43u);
    EXPECT_TRUE(event.data.empty());
  }
}

TEST_P(ModuleTest, StaysSilentWithoutFlagFour) {
  TraceController controller;
  controller.EnableProvider(GetParam().traceControlGuid, 5, 0xFB);
  LoadedModule module(GetParam());
  ASSERT_TRUE(module.Loaded());
  module.Unload();
  EXPECT_TRUE(controller.Events().empty());
}

TEST_P(ModuleTest, RefusesOtherControlRequestsAndKeepsItsEnableState) {
  TraceController controller;
  LoadedModule module(GetParam());
  ASSERT_TRUE(module.Loaded());
  controller.EnableProvider(GetParam().traceControlGuid, 5, kModuleEventsFlag);
  EXPECT_EQ(controller.SendControl(GetParam().traceControlGuid, WMI_GET_ALL_DATA),
            static_cast<ULONG>(ERROR_INVALID_PARAMETER));
  module.Unload();
  const auto events = controller.Events();
  ASSERT_EQ(events.size(), 1u);  // still enabled: the unload event is there
  EXPECT_EQ(events[0].messageNumber, kUnloadedEvent);
}

TEST(ModuleIdentities, AreAllDistinct) {
  std::vector<GUID> seen;
  for (const ModuleRecord& record : kModuleRecords) {
    seen.push_back(record.classId);
    seen.push_back(record.traceControlGuid);
  }
  for (std::size_t i = 0; i < seen.size(); ++i)
    for (std::size_t j = i + 1; j < seen.size(); ++j) EXPECT_NE(seen[i], seen[j]) << i << " " << j;
}

// A module's filter, set up with fake pipeline objects, runs a small job.
struct FilterRun {
  HRESULT result;
  std::vector<std::string> sent;
  int finished;
};

FilterRun RunFilter(const ModuleRecord& record) {
  LoadedModule module(record);
  EXPECT_TRUE(module.Loaded());
  ComPtr<IPrintPipelineFilter> filter;
  EXPECT_EQ(module.getClassObject(record.classId, IID_IPrintPipelineFilter,
                                  filter.ReleaseAndGetVoidAddressOf()),
            S_OK);
  auto provider = MakeComObject<test::ScriptedProvider>(std::vector<ComPtr<IUnknown>>{
      ComPtr<IUnknown>(MakeComObject<test::FakeFixedDocumentSequence>(u"/FDS.fdseq").Get()),
      ComPtr<IUnknown>(MakeComObject<test::FakeFixedDocument>(u"/FD.fdoc").Get()),
      ComPtr<IUnknown>(MakeComObject<test::FakeFontPart>(u"/F.odttf").Get()),
      ComPtr<IUnknown>(MakeComObject<test::FakeFixedPage>(u"/1.fpage").Get())});
  auto consumer = MakeComObject<test::RecordingConsumer>();
  auto communicator = MakeComObject<test::FakeCommunicator>(provider.Get(), consumer.Get());
  auto bag = MakeComObject<pipeline::PropertyBag>();
  bag->SetString(u"PrinterName", u"Kexley");
  test::SetUserTicket(*bag.Get(), test::UserTicketXml());
  auto manager = MakeComObject<test::FakeManagerControl>();
  EXPECT_EQ(filter->InitializeFilter(communicator.Get(), bag.Get(), manager.Get()), S_OK);
  FilterRun run{filter->StartOperation(), {}, 0};
  filter.Reset();
  run.sent = consumer->sent;
  run.finished = manager->finishedCount;
  return run;
}

TEST_P(ModuleTest, RunsAJob) {
  const FilterRun run = RunFilter(GetParam());
  EXPECT_EQ(run.finished, 1);
  if (std::string(GetParam().name) == "kxrip") {
    EXPECT_EQ(run.result, E_NOTIMPL);  // printing comes with the converter
    return;
  }
  EXPECT_EQ(run.result, S_OK);
  EXPECT_THAT(run.sent, ::testing::ElementsAre("sequence /FDS.fdseq", "document /FD.fdoc",
                                               "unknown /F.odttf", "page /1.fpage"));
}

}  // namespace
}  // namespace kx
