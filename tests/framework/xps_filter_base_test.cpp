#include "xps_filter_base.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cxd_exception.h"
#include "fake_parts.h"
#include "fake_pipeline.h"
#include "fake_ticket_part.h"
#include "kx/gdiplus_control.h"
#include "recording_consumer.h"
#include "scripted_provider.h"
#include "ticket_fixture.h"

namespace kx {
namespace {

using pipeline::PropertyBag;
using test::FakeCommunicator;
using test::FakeFixedDocument;
using test::FakeFixedDocumentSequence;
using test::FakeFixedPage;
using test::FakeFontPart;
using test::FakeManagerControl;
using test::FakeXpsDocument;
using test::RecordingConsumer;
using test::ScriptedProvider;
using ::testing::ElementsAre;

// A filter that records which hooks ran and can be told to misbehave in its page hook.
class ProbeFilter final : public XpsFilterBase {
 public:
  HRESULT OnFixedPage(IFixedPage* page) override {
    hooks.push_back("page");
    if (throwFromPageHook) throw CXDException(E_ACCESSDENIED);
    if (dropPages) return S_OK;
    return XpsFilterBase::OnFixedPage(page);
  }
  HRESULT OnEndOfStream() override {
    hooks.push_back("end");
    return XpsFilterBase::OnEndOfStream();
  }

  UINT PageInDocument() const { return pageInDocument_; }
  UINT DocumentCount() const { return documentCount_; }
  UINT PageCount() const { return pageCount_; }
  BOOL HandlersEnabled() const { return handlersEnabled_; }
  PrintTicketManager& Tickets() { return ticketManager_; }

  std::vector<std::string> hooks;
  bool throwFromPageHook = false;
  bool dropPages = false;
};

// A sequence of documents with the given numbers of pages, as the reader hands them out.
std::vector<ComPtr<IUnknown>> Job(std::initializer_list<int> pagesPerDocument) {
  std::vector<ComPtr<IUnknown>> parts;
  parts.emplace_back(MakeComObject<FakeXpsDocument>().Get());
  parts.emplace_back(MakeComObject<FakeFixedDocumentSequence>(u"/FDS.fdseq").Get());
  int document = 0;
  for (int pages : pagesPerDocument) {
    ++document;
    const std::u16string prefix = u"/Documents/" + std::u16string(1, u'0' + document);
    parts.emplace_back(MakeComObject<FakeFixedDocument>(prefix + u"/FD.fdoc").Get());
    for (int page = 1; page <= pages; ++page)
      parts.emplace_back(MakeComObject<FakeFixedPage>(prefix + u"/Pages/" +
                                                      std::u16string(1, u'0' + page) + u".fpage")
                             .Get());
  }
  return parts;
}

class XpsFilterBaseTest : public ::testing::Test {
 protected:
  void Start(std::vector<ComPtr<IUnknown>> parts) {
    provider = MakeComObject<ScriptedProvider>(std::move(parts));
    communicator = MakeComObject<FakeCommunicator>(provider.Get(), consumer.Get());
    bag->SetString(u"PrinterName", u"Kexley");
    test::SetUserTicket(*bag.Get(), test::UserTicketXml());
    filter = ComPtr<ProbeFilter>::Attach(new ProbeFilter);
    ASSERT_EQ(filter->InitializeFilter(communicator.Get(), bag.Get(), manager.Get()), S_OK);
  }

  ComPtr<ScriptedProvider> provider;
  ComPtr<RecordingConsumer> consumer = MakeComObject<RecordingConsumer>();
  ComPtr<FakeCommunicator> communicator;
  ComPtr<PropertyBag> bag = MakeComObject<PropertyBag>();
  ComPtr<FakeManagerControl> manager = MakeComObject<FakeManagerControl>();
  ComPtr<ProbeFilter> filter;
};

TEST_F(XpsFilterBaseTest, ForwardsAJobUnchangedAndCountsItsParts) {
  Start(Job({3, 2}));
  EXPECT_EQ(filter->StartOperation(), S_OK);

  EXPECT_THAT(consumer->sent,
              ElementsAre("xpsdocument", "sequence /FDS.fdseq", "document /Documents/1/FD.fdoc",
                          "page /Documents/1/Pages/1.fpage", "page /Documents/1/Pages/2.fpage",
                          "page /Documents/1/Pages/3.fpage", "document /Documents/2/FD.fdoc",
                          "page /Documents/2/Pages/1.fpage", "page /Documents/2/Pages/2.fpage"));
  EXPECT_EQ(filter->PageInDocument(), 2u);
  EXPECT_EQ(filter->DocumentCount(), 2u);
  EXPECT_EQ(filter->PageCount(), 5u);
  EXPECT_EQ(filter->hooks.back(), "end");
  EXPECT_EQ(consumer->closeCount, 1);
  EXPECT_TRUE(manager->shutdownRequests.empty());
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(XpsFilterBaseTest, OtherPartsAreForwardedAtOnceInStreamOrder) {
  auto parts = Job({2});
  parts.insert(parts.begin() + 4,
               ComPtr<IUnknown>(MakeComObject<FakeFontPart>(u"/Fonts/A.odttf").Get()));
  Start(std::move(parts));
  EXPECT_EQ(filter->StartOperation(), S_OK);
  EXPECT_THAT(consumer->sent,
              ElementsAre("xpsdocument", "sequence /FDS.fdseq", "document /Documents/1/FD.fdoc",
                          "page /Documents/1/Pages/1.fpage", "unknown /Fonts/A.odttf",
                          "page /Documents/1/Pages/2.fpage"));
  EXPECT_EQ(filter->hooks, (std::vector<std::string>{"page", "page", "end"}));
}

TEST_F(XpsFilterBaseTest, ShutdownDuringTheLoopStopsBeforeTheNextPart) {
  Start(Job({3}));
  provider->beforePart = [&](std::size_t index) {
    if (index == 4) filter->ShutdownOperation();  // while page 2 is being fetched
  };
  EXPECT_EQ(filter->StartOperation(), S_OK);

  EXPECT_THAT(consumer->sent,
              ElementsAre("xpsdocument", "sequence /FDS.fdseq", "document /Documents/1/FD.fdoc",
                          "page /Documents/1/Pages/1.fpage"));
  EXPECT_EQ(filter->hooks.back(), "end");
  EXPECT_EQ(consumer->closeCount, 1);
  EXPECT_TRUE(manager->shutdownRequests.empty());
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(XpsFilterBaseTest, AFailingReaderEndsTheJobWithItsFailure) {
  Start(Job({3}));
  provider->failAt = 3;
  EXPECT_EQ(filter->StartOperation(), E_FAIL);
  EXPECT_EQ(consumer->sent.size(), 3u);
  EXPECT_THAT(filter->hooks, ::testing::Not(::testing::Contains("end")));
  EXPECT_EQ(consumer->closeCount, 1);
  EXPECT_EQ(manager->shutdownRequests, std::vector<HRESULT>{E_FAIL});
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(XpsFilterBaseTest, AFailingSendEndsTheLoop) {
  Start(Job({3}));
  consumer->failKind = "page";
  consumer->failure = E_OUTOFMEMORY;
  EXPECT_EQ(filter->StartOperation(), E_OUTOFMEMORY);
  EXPECT_EQ(filter->hooks, std::vector<std::string>{"page"});
  EXPECT_EQ(provider->Calls(), 4u);
  EXPECT_EQ(manager->shutdownRequests, std::vector<HRESULT>{E_OUTOFMEMORY});
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(XpsFilterBaseTest, AnExceptionFromAHookBecomesItsFailure) {
  Start(Job({2}));
  filter->throwFromPageHook = true;
  EXPECT_EQ(filter->StartOperation(), E_ACCESSDENIED);
  EXPECT_EQ(manager->shutdownRequests, std::vector<HRESULT>{E_ACCESSDENIED});
  EXPECT_EQ(consumer->closeCount, 1);
}

TEST_F(XpsFilterBaseTest, AFailureAfterShutdownIsNotReported) {
  Start(Job({2}));
  provider->failAt = 3;
  provider->beforePart = [&](std::size_t index) {
    if (index == 3) filter->ShutdownOperation();
  };
  EXPECT_EQ(filter->StartOperation(), S_OK);
  EXPECT_TRUE(manager->shutdownRequests.empty());
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(XpsFilterBaseTest, StartingBeforeInitializationSendsNothing) {
  auto lone = ComPtr<ProbeFilter>::Attach(new ProbeFilter);
  EXPECT_EQ(lone->StartOperation(), E_PENDING);
  EXPECT_TRUE(lone->hooks.empty());
}

TEST_F(XpsFilterBaseTest, AReaderThatIsNoProviderStopsThePipeline) {
  Start(Job({1}));
  communicator = MakeComObject<FakeCommunicator>(manager.Get(), consumer.Get());
  ASSERT_EQ(filter->InitializeFilter(communicator.Get(), bag.Get(), manager.Get()), S_OK);
  EXPECT_EQ(filter->StartOperation(), E_FAIL);
  // ConnectStreams asks for the stop, then the loop reports the failure it returned.
  EXPECT_EQ(manager->shutdownRequests, (std::vector<HRESULT>{E_FAIL, E_FAIL}));
  EXPECT_TRUE(consumer->sent.empty());
  EXPECT_EQ(consumer->closeCount, 0);
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(XpsFilterBaseTest, AWriterThatCannotBeHadIsTheResult) {
  Start(Job({1}));
  communicator->writerFailure = E_ACCESSDENIED;
  EXPECT_EQ(filter->StartOperation(), E_ACCESSDENIED);
  EXPECT_EQ(provider->Calls(), 0u);
  EXPECT_EQ(manager->shutdownRequests, std::vector<HRESULT>{E_ACCESSDENIED});
}

TEST_F(XpsFilterBaseTest, WithoutGdiplusEveryPartPassesThroughWithoutHooks) {
  SetGdiplusStartupFailure(Gdiplus::GenericError);
  Start(Job({2}));
  SetGdiplusStartupFailure(Gdiplus::Ok);
  filter->dropPages = true;  // would lose the pages if the hook ran
  EXPECT_FALSE(filter->HandlersEnabled());
  EXPECT_EQ(filter->StartOperation(), S_OK);
  EXPECT_EQ(consumer->sent.size(), 5u);
  EXPECT_EQ(filter->PageCount(), 2u);
  EXPECT_THAT(filter->hooks, ElementsAre("end"));  // OnEndOfStream is not a part hook
}

TEST_F(XpsFilterBaseTest, AJobWithoutUserTicketReadsNoPart) {
  Start(Job({1}));
  bag->DeleteProperty(u"PerUserPrintTicket");
  EXPECT_EQ(filter->StartOperation(), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  EXPECT_EQ(provider->Calls(), 0u);
  EXPECT_TRUE(consumer->sent.empty());
  EXPECT_EQ(manager->shutdownRequests, std::vector<HRESULT>{HRESULT_FROM_WIN32(ERROR_NOT_FOUND)});
  EXPECT_EQ(manager->finishedCount, 1);
}

TEST_F(XpsFilterBaseTest, PartsWithoutTicketsLeaveTheUserTicketInForce) {
  Start(Job({2, 1}));
  EXPECT_EQ(filter->StartOperation(), S_OK);
  EXPECT_EQ(consumer->sent.size(), 7u);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::u16string user = test::DomXml(
      test::LoadTicketDom(
          test::TicketXml(
              u"<psf:Feature name=\"psk:PageOrientation\"><psf:Option name=\"psk:Portrait\"/>"
              u"</psf:Feature>"))
          .Get());
  for (int scope : {kJobScope, kDocumentScope}) {
    IXMLDOMDocument2* ticket = nullptr;
    ASSERT_EQ(filter->Tickets().GetTicket(scope, &ticket), S_OK);
    EXPECT_EQ(test::DomXml(ticket), user) << scope;
  }
  CoUninitialize();
}

TEST_F(XpsFilterBaseTest, AMalformedSequenceTicketStopsTheJobOnlyWhenHooksRun) {
  for (const bool gdiplus : {true, false}) {
    SCOPED_TRACE(gdiplus ? "hooks" : "no hooks");
    auto parts = Job({1});
    parts[1] = ComPtr<IUnknown>(MakeComObject<FakeFixedDocumentSequence>(u"/FDS.fdseq").Get());
    ComPtr<IFixedDocumentSequence> sequence;
    ASSERT_EQ(parts[1].As(sequence), S_OK);
    sequence->SetPrintTicket(
        MakeComObject<test::FakePrintTicketPart>(u"/bad.xml", "<psf:PrintTicket").Get());
    consumer = MakeComObject<RecordingConsumer>();
    if (!gdiplus) SetGdiplusStartupFailure(Gdiplus::GenericError);
    Start(std::move(parts));
    SetGdiplusStartupFailure(Gdiplus::Ok);
    if (gdiplus) {
      EXPECT_EQ(filter->StartOperation(), E_FAIL);
      EXPECT_THAT(consumer->sent, ElementsAre("xpsdocument"));
    } else {
      EXPECT_EQ(filter->StartOperation(), S_OK);
      EXPECT_EQ(consumer->sent.size(), 4u);
    }
  }
}

}  // namespace
}  // namespace kx
