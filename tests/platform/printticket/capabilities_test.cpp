// Capabilities for a ticket: PageImageableSize follows the ticket's media size and orientation.
#include <gtest/gtest.h>

#include "ticket_fixture.h"

namespace kx::test {
namespace {

class CapabilitiesTest : public PrintTicketTest {};

std::string Media(const std::string& size, const std::string& orientation) {
  return "<psf:Feature name='psk:PageMediaSize'><psf:Option name='psk:" + size +
         "'/></psf:Feature><psf:Feature name='psk:PageOrientation'><psf:Option name='psk:" +
         orientation + "'/></psf:Feature>";
}

std::string CustomSize(int width, int height) {
  auto init = [](const char* name, int value) {
    return std::string("<psf:ParameterInit name='psk:") + name +
           "'><psf:Value xsi:type='xsd:integer'>" + std::to_string(value) +
           "</psf:Value></psf:ParameterInit>";
  };
  return Media("CustomMediaSize", "Portrait") + init("PageMediaSizeMediaSizeWidth", width) +
         init("PageMediaSizeMediaSizeHeight", height);
}

TEST_F(CapabilitiesTest, ImageableSizeFollowsMediaAndOrientation) {
  struct Case {
    const char* what;
    std::string ticket;
    int values[6];  // size width, height; origin width, height; extent width, height
  };
  const Case cases[] = {
      {"A4 portrait", Media("ISOA4", "Portrait"), {210000, 297000, 3000, 3000, 204000, 289000}},
      {"A4 landscape", Media("ISOA4", "Landscape"), {297000, 210000, 3000, 3000, 289000, 204000}},
      {"A4 reverse landscape",
       Media("ISOA4", "ReverseLandscape"),
       {297000, 210000, 3000, 3000, 289000, 204000}},
      {"DL envelope",
       Media("ISODLEnvelope", "Portrait"),
       {110000, 220000, 5000, 10000, 100000, 198000}},
      {"custom size", CustomSize(100000, 150000), {100000, 150000, 3000, 3000, 94000, 142000}},
      {"default ticket media when the ticket has none",
       "",
       {210000, 297000, 3000, 3000, 204000, 289000}},
  };
  const char* paths[] = {"psk:ImageableSizeWidth",
                         "psk:ImageableSizeHeight",
                         "psk:ImageableArea']/psf:Property[@name='psk:OriginWidth",
                         "psk:ImageableArea']/psf:Property[@name='psk:OriginHeight",
                         "psk:ImageableArea']/psf:Property[@name='psk:ExtentWidth",
                         "psk:ImageableArea']/psf:Property[@name='psk:ExtentHeight"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome outcome = Capabilities(Ticket(c.ticket));
    ASSERT_EQ(outcome.hr, S_OK) << outcome.error;
    EXPECT_EQ(XPathCount(outcome.xml, "//psf:Property[@name='psk:PageImageableSize']"), 1);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(
          XPathText(outcome.xml, std::string("/psf:PrintCapabilities/psf:Property[@name="
                                             "'psk:PageImageableSize']/psf:Property[@name='") +
                                     paths[i] + "']/psf:Value"),
          std::to_string(c.values[i]))
          << paths[i];
    }
  }
}

TEST_F(CapabilitiesTest, CarriesTheWholeDeviceDescription) {
  const Outcome outcome = Capabilities(Ticket(""));
  ASSERT_EQ(outcome.hr, S_OK);
  EXPECT_EQ(XPathCount(outcome.xml, "/psf:PrintCapabilities/psf:Feature"),
            XPathCount(ReadSourceDriverFile("print_capabilities.xml"),
                       "/psf:PrintCapabilities/psf:Feature"));
  EXPECT_EQ(XPathText(outcome.xml,
                      "//psf:ParameterDef[@name='psk:JobCopiesAllDocuments']"
                      "/psf:Property[@name='psf:MaxValue']"),
            "999");
}

}  // namespace
}  // namespace kx::test
