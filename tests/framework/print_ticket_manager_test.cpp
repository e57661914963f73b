#include "print_ticket_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_parts.h"
#include "fake_ticket_part.h"
#include "kx/utf16.h"
#include "memory_streams.h"
#include "print_ticket_document.h"
#include "recording_consumer.h"
#include "ticket_fixture.h"

namespace kx {
namespace {

using test::FakeFixedDocument;
using test::FakeFixedDocumentSequence;
using test::FakeFixedPage;
using test::FakePrintTicketPart;
using test::MemoryReadStream;
using test::TicketXml;

std::string Utf8(const std::u16string& text) { return Utf16ToUtf8(text); }

const std::u16string kUserTicket = TicketXml(
    u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option name=\"psk:ISOA4\">"
    u"<psf:ScoredProperty name=\"psk:MediaSizeWidth\"><psf:Value xsi:type=\"xsd:integer\">210000"
    u"</psf:Value></psf:ScoredProperty><psf:ScoredProperty name=\"psk:MediaSizeHeight\">"
    u"<psf:Value xsi:type=\"xsd:integer\">297000</psf:Value></psf:ScoredProperty></psf:Option>"
    u"</psf:Feature>"
    u"<psf:Feature name=\"psk:DocumentNUp\"><psf:Option><psf:ScoredProperty "
    u"name=\"psk:PagesPerSheet\"><psf:Value xsi:type=\"xsd:integer\">4</psf:Value>"
    u"</psf:ScoredProperty></psf:Option></psf:Feature>");

const std::u16string kLandscape = TicketXml(
    u"<psf:Feature name=\"psk:PageOrientation\"><psf:Option name=\"psk:Landscape\"/>"
    u"</psf:Feature>");

template <class Part>
ComPtr<Part> WithTicket(ComPtr<Part> part, const std::u16string& xml) {
  part->SetPrintTicket(MakeComObject<FakePrintTicketPart>(u"/ticket.xml", Utf8(xml)).Get());
  return part;
}

class PrintTicketManagerTest : public test::ComApartmentTest {
 protected:
  void SetUp() override {
    ComApartmentTest::SetUp();
    auto stream = MakeComObject<MemoryReadStream>(Utf8(kUserTicket));
    ASSERT_EQ(manager.SetUserTicket(stream.Get(), u"Kexley KX-200"), S_OK);
  }

  std::u16string TicketText(int scope) {
    IXMLDOMDocument2* ticket = nullptr;
    EXPECT_EQ(manager.GetTicket(scope, &ticket), S_OK);
    return ticket ? test::DomXml(ticket) : std::u16string();
  }

  bool HasFeature(int scope, std::u16string_view feature) {
    IXMLDOMDocument2* ticket = nullptr;
    EXPECT_EQ(manager.GetTicket(scope, &ticket), S_OK);
    PrintTicketDocument document(TicketRoot::PrintTicket, kPrivateKeywordsNamespace, ticket);
    return document.FeatureExists(feature) == S_OK;
  }

  PrintTicketManager manager;
};

TEST_F(PrintTicketManagerTest, PartsWithoutTicketsInheritTheStrippedUserTicket) {
  ASSERT_EQ(manager.UpdateJobTicket(MakeComObject<FakeFixedDocumentSequence>(u"/s").Get()), S_OK);
  ASSERT_EQ(manager.UpdateDocumentTicket(MakeComObject<FakeFixedDocument>(u"/d").Get()), S_OK);
  IXMLDOMDocument2* page = nullptr;
  ASSERT_EQ(manager.UpdatePageTicket(MakeComObject<FakeFixedPage>(u"/p").Get(), &page), S_OK);
  ASSERT_NE(page, nullptr);

  const std::u16string job = TicketText(kJobScope);
  EXPECT_EQ(TicketText(kDocumentScope), job);
  EXPECT_EQ(TicketText(kPageScope), job);
  EXPECT_FALSE(HasFeature(kJobScope, u"DocumentNUp"));
  EXPECT_TRUE(HasFeature(kJobScope, u"PageMediaSize"));
  EXPECT_FALSE(manager.HasJobTicket());
  EXPECT_FALSE(manager.HasDocumentTicket());
  EXPECT_FALSE(manager.HasPageTicket());
}

TEST_F(PrintTicketManagerTest, ADocumentWithoutTicketCopiesTheJobTicketNotThePreviousDocument) {
  ASSERT_EQ(manager.UpdateJobTicket(MakeComObject<FakeFixedDocumentSequence>(u"/s").Get()), S_OK);
  auto first = WithTicket(MakeComObject<FakeFixedDocument>(u"/d1"), kLandscape);
  ASSERT_EQ(manager.UpdateDocumentTicket(first.Get()), S_OK);
  EXPECT_TRUE(manager.HasDocumentTicket());
  EXPECT_NE(TicketText(kDocumentScope).find(u"psk:Landscape"), std::u16string::npos);

  ASSERT_EQ(manager.UpdateDocumentTicket(MakeComObject<FakeFixedDocument>(u"/d2").Get()), S_OK);
  EXPECT_FALSE(manager.HasDocumentTicket());
  EXPECT_EQ(TicketText(kDocumentScope), TicketText(kJobScope));
}

TEST_F(PrintTicketManagerTest, APageTicketIsMergedOntoTheDocumentTicket) {
  ASSERT_EQ(manager.UpdateJobTicket(MakeComObject<FakeFixedDocumentSequence>(u"/s").Get()), S_OK);
  ASSERT_EQ(manager.UpdateDocumentTicket(MakeComObject<FakeFixedDocument>(u"/d").Get()), S_OK);
  IXMLDOMDocument2* page = nullptr;
  auto landscape = WithTicket(MakeComObject<FakeFixedPage>(u"/p"), kLandscape);
  ASSERT_EQ(manager.UpdatePageTicket(landscape.Get(), &page), S_OK);
  EXPECT_TRUE(manager.HasPageTicket());
  EXPECT_NE(test::DomXml(page).find(u"psk:Landscape"), std::u16string::npos);
  EXPECT_NE(test::DomXml(page).find(u"psk:ISOA4"), std::u16string::npos);  // kept from above
  EXPECT_EQ(TicketText(kDocumentScope).find(u"psk:Landscape"), std::u16string::npos);

  // The document ticket is read again from its start for the next page.
  auto next = WithTicket(MakeComObject<FakeFixedPage>(u"/p2"), kLandscape);
  ASSERT_EQ(manager.UpdatePageTicket(next.Get(), &page), S_OK);
  EXPECT_NE(test::DomXml(page).find(u"psk:ISOA4"), std::u16string::npos);
}

// Pages of one origin (the same tickets above, and the same ticket of their own or none) are
// not merged again: they share a source, and a reader shares the DOM too.
TEST_F(PrintTicketManagerTest, PagesOfOneOriginShareTheirTicket) {
  ASSERT_EQ(manager.UpdateJobTicket(MakeComObject<FakeFixedDocumentSequence>(u"/s").Get()), S_OK);
  ASSERT_EQ(manager.UpdateDocumentTicket(MakeComObject<FakeFixedDocument>(u"/d").Get()), S_OK);
  const auto update = [&](ComPtr<FakeFixedPage> page, TicketUse use) {
    IXMLDOMDocument2* ticket = nullptr;
    EXPECT_EQ(manager.UpdatePageTicket(page.Get(), &ticket, use), S_OK);
    return std::pair(ticket, manager.PageTicketSource());
  };
  const auto plain = [] { return MakeComObject<FakeFixedPage>(u"/p"); };
  const auto landscape = [](const char16_t* name) {
    return WithTicket(MakeComObject<FakeFixedPage>(name), kLandscape);
  };

  const auto [first, source] = update(plain(), TicketUse::kRead);
  const ComPtr<IXMLDOMDocument2> held(first);  // so that no new DOM takes its address
  EXPECT_EQ(update(plain(), TicketUse::kRead), std::pair(first, source));
  // A caller that may change the ticket gets a copy of its own; the content is the same.
  const auto [changeable, sameSource] = update(plain(), TicketUse::kChange);
  EXPECT_NE(changeable, first);
  EXPECT_EQ(sameSource, source);

  const auto own = update(landscape(u"/l1"), TicketUse::kRead);
  EXPECT_NE(own.second, source);
  EXPECT_NE(test::DomXml(own.first).find(u"psk:Landscape"), std::u16string::npos);
  EXPECT_TRUE(manager.HasPageTicket());
  EXPECT_EQ(update(landscape(u"/l2"), TicketUse::kRead), own);
  const auto [copy, copySource] = update(plain(), TicketUse::kRead);
  EXPECT_NE(copySource, own.second);
  EXPECT_FALSE(manager.HasPageTicket());
  EXPECT_EQ(test::DomXml(copy).find(u"psk:Landscape"), std::u16string::npos);

  ASSERT_EQ(manager.UpdateDocumentTicket(MakeComObject<FakeFixedDocument>(u"/d2").Get()), S_OK);
  EXPECT_NE(update(plain(), TicketUse::kRead).second, copySource);
}

TEST_F(PrintTicketManagerTest, ScopesAndPrerequisitesAreChecked) {
  IXMLDOMDocument2* ticket = nullptr;
  EXPECT_EQ(manager.GetTicket(3, &ticket), E_FAIL);
  EXPECT_EQ(ticket, nullptr);
  auto delta = test::LoadTicketDom(kLandscape);
  EXPECT_EQ(manager.MergeTicket(kPageScope, delta.Get()), E_PENDING);  // no document ticket yet
  EXPECT_EQ(manager.MergeTicket(5, delta.Get()), E_INVALIDARG);

  PrintTicketManager empty;
  EXPECT_EQ(empty.GetTicket(kJobScope, &ticket), E_PENDING);
  EXPECT_EQ(empty.MergeTicket(kJobScope, delta.Get()), E_PENDING);
}

TEST_F(PrintTicketManagerTest, WritesTicketPartsUnderUniqueNames) {
  IXMLDOMDocument2* job = nullptr;
  ASSERT_EQ(manager.GetTicket(kJobScope, &job), S_OK);
  auto consumer = MakeComObject<test::RecordingConsumer>();
  ComPtr<IPartPrintTicket> first, second;
  ASSERT_EQ(manager.WriteTicketPart(consumer.Get(), job, u"LO", &first), S_OK);
  ASSERT_EQ(manager.WriteTicketPart(consumer.Get(), job, u"LO", &second), S_OK);
  ASSERT_EQ(consumer->created.size(), 2u);
  EXPECT_THAT(consumer->created[0], ::testing::StartsWith("new /PT_LO_"));
  EXPECT_THAT(consumer->created[0], ::testing::EndsWith(".xml"));
  EXPECT_NE(consumer->created[0], consumer->created[1]);

  // The part holds the ticket as it stands.
  const std::string& written =
      static_cast<FakePrintTicketPart*>(static_cast<IPartPrintTicket*>(first.Get()))->Content();
  auto reloaded = test::LoadTicketDom(Utf8ToUtf16(written));
  EXPECT_EQ(test::DomXml(reloaded.Get()), test::DomXml(job));
  EXPECT_EQ(manager.WriteTicketPart(nullptr, job, u"LO", &first), E_PENDING);
}

TEST_F(PrintTicketManagerTest, GivesCapabilitiesForATicket) {
  IXMLDOMDocument2* job = nullptr;
  ASSERT_EQ(manager.GetTicket(kJobScope, &job), S_OK);
  ComPtr<IXMLDOMDocument2> capabilities;
  ASSERT_EQ(manager.GetCapabilities(job, &capabilities), S_OK);
  EXPECT_NE(test::DomXml(capabilities.Get()).find(u"PageImageableSize"), std::u16string::npos);
}

}  // namespace
}  // namespace kx
