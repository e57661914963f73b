// Malformed and hostile tickets: a format error with a message, never a crash, never a file or
// network access, and nothing written to the result.
#include <gtest/gtest.h>

#include "ticket_fixture.h"

namespace kx::test {
namespace {

class MalformedTicketTest : public PrintTicketTest {};

std::string Nested(int depth) {
  std::string open;
  std::string close;
  for (int i = 0; i < depth; ++i) {
    open += "<psf:Feature name='psk:PageX'>";
    close += "</psf:Feature>";
  }
  return Ticket(open + close);
}

TEST_F(MalformedTicketTest, BaseAndDeltaReportTheirOwnFormatErrors) {
  const std::string laughs =
      "<?xml version='1.0'?><!DOCTYPE t [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;&a;'>"
      "<!ENTITY c '&b;&b;&b;&b;&b;'>]>" +
      Ticket("<psf:Property name='kx:JobInfoData'><psf:Value>&c;</psf:Value></psf:Property>");
  const std::string external =
      "<?xml version='1.0'?><!DOCTYPE t [<!ENTITY x SYSTEM 'file:///etc/passwd'>]>" +
      Ticket("<psf:Property name='kx:JobInfoData'><psf:Value>&x;</psf:Value></psf:Property>");
  const struct {
    const char* what;
    std::string ticket;
  } cases[] = {
      {"empty", ""},
      {"not XML", "print me"},
      {"unclosed", Ticket("<psf:Feature name='psk:PageOrientation'>")},
      {"capabilities root",
       "<psf:PrintCapabilities version='1' xmlns:psf="
       "'http://schemas.microsoft.com/windows/2003/08/printing/"
       "printschemaframework'/>"},
      {"root in no namespace", "<PrintTicket version='1'/>"},
      {"no version",
       "<psf:PrintTicket xmlns:psf='http://schemas.microsoft.com/windows/2003/08/"
       "printing/printschemaframework'/>"},
      {"feature without name", Ticket("<psf:Feature><psf:Option/></psf:Feature>")},
      {"unprefixed name", Ticket("<psf:Feature name='PageOrientation'/>")},
      {"undeclared prefix", Ticket("<psf:Feature name='q:PageOrientation'/>")},
      {"unknown framework element", Ticket("<psf:Setting name='psk:PageOrientation'/>")},
      {"ParameterDef in a ticket", Ticket("<psf:ParameterDef name='psk:JobCopiesAllDocuments'/>")},
      {"value with markup", Ticket("<psf:Property name='kx:JobInfoData'><psf:Value><b/>"
                                   "</psf:Value></psf:Property>")},
      {"entity expansion", laughs},
      {"external entity", external},
      {"deep nesting", Nested(100)},
      {"oversized", Ticket("<psf:Property name='kx:JobInfoData'><psf:Value>" +
                           std::string(17u << 20, 'a') + "</psf:Value></psf:Property>")},
  };
  const std::string good = ReadSourceDriverFile("default_ticket.xml");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome asBase = Merge(c.ticket, good);
    EXPECT_EQ(asBase.hr, E_PRINTTICKET_FORMAT);
    EXPECT_FALSE(asBase.error.empty());
    EXPECT_TRUE(asBase.xml.empty());
    const Outcome asDelta = Merge(good, c.ticket);
    EXPECT_EQ(asDelta.hr, E_DELTA_PRINTTICKET_FORMAT);
    EXPECT_FALSE(asDelta.error.empty());
    EXPECT_EQ(Capabilities(c.ticket).hr, E_PRINTTICKET_FORMAT);
  }
}

}  // namespace
}  // namespace kx::test
