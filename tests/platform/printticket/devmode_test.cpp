// Ticket to DEVMODE: the public fields, the private block after them, and the defaults for
// what the ticket leaves out.
#include <gtest/gtest.h>

#include <cstring>

#include "kx/driver_devmode.h"
#include "ticket_fixture.h"

namespace kx::test {
namespace {

class DevModeTest : public PrintTicketTest {
 protected:
  struct Converted {
    DEVMODEW dm{};
    DriverDevMode extra{};
  };

  Converted Convert(const std::string& body, EPrintTicketScope scope = kPTJobScope) {
    ULONG size = 0;
    PDEVMODEW devmode = nullptr;
    BSTR error = nullptr;
    EXPECT_EQ(PTConvertPrintTicketToDevMode(provider_, StreamOf(Ticket(body)).Get(),
                                            kUserDefaultDevmode, scope, &size, &devmode, &error),
              S_OK);
    SysFreeString(error);
    Converted converted;
    if (!devmode) return converted;
    EXPECT_EQ(size, sizeof(DEVMODEW) + sizeof(DriverDevMode));
    std::memcpy(&converted.dm, devmode, sizeof(DEVMODEW));
    std::memcpy(&converted.extra, reinterpret_cast<BYTE*>(devmode) + devmode->dmSize,
                devmode->dmDriverExtra);
    EXPECT_EQ(PTReleaseMemory(devmode), S_OK);
    return converted;
  }
};

TEST_F(DevModeTest, AnEmptyTicketGivesTheFactoryDefaults) {
  const auto [dm, extra] = Convert("");
  EXPECT_EQ(dm.dmSize, sizeof(DEVMODEW));
  EXPECT_EQ(dm.dmDriverExtra, sizeof(DriverDevMode));
  EXPECT_EQ(dm.dmSpecVersion, DM_SPECVERSION);
  EXPECT_EQ(std::u16string(dm.dmDeviceName), u"Kexley InkJet");
  EXPECT_EQ(dm.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(std::u16string(dm.dmFormName), u"ISOA4");
  EXPECT_EQ(dm.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(dm.dmCopies, 1);
  EXPECT_EQ(dm.dmDuplex, DMDUP_SIMPLEX);
  EXPECT_EQ(dm.dmDefaultSource, DMBIN_AUTO);
  EXPECT_EQ(dm.dmPrintQuality, 600);
  EXPECT_EQ(dm.dmYResolution, 600);
  const DWORD fields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DUPLEX | DM_DEFAULTSOURCE |
                       DM_PRINTQUALITY | DM_YRESOLUTION | DM_COLLATE | DM_FORMNAME | DM_NUP;
  EXPECT_EQ(dm.dmFields, fields);
  EXPECT_EQ(extra.signature, kDriverDevModeSignature);
  EXPECT_EQ(extra.mediaWidth, 210000u);
  EXPECT_EQ(extra.pagesPerSheet, 1u);
  EXPECT_EQ(extra.binding, 1u);    // BindLeft
  EXPECT_EQ(extra.secondBin, 1u);  // SameTray
  EXPECT_EQ(extra.mirror, 2u);     // None
}

TEST_F(DevModeTest, PublicAndPrivateFieldsFollowTheTicket) {
  const auto [dm, extra] = Convert(
      "<psf:Feature name='psk:PageMediaSize'><psf:Option name='psk:NorthAmericaLetter'/>"
      "</psf:Feature>"
      "<psf:Feature name='psk:PageOrientation'><psf:Option name='psk:Landscape'/></psf:Feature>"
      "<psf:Feature name='psk:JobDuplexAllDocumentsContiguously'>"
      "<psf:Option name='psk:TwoSidedLongEdge'><psf:ScoredProperty name='psk:DuplexMode'>"
      "<psf:Value xsi:type='xsd:string'>Manual</psf:Value></psf:ScoredProperty></psf:Option>"
      "</psf:Feature>"
      "<psf:Feature name='psk:JobNUpAllDocumentsContiguously'><psf:Option>"
      "<psf:ScoredProperty name='psk:PagesPerSheet'><psf:Value xsi:type='xsd:integer'>4"
      "</psf:Value></psf:ScoredProperty></psf:Option>"
      "<psf:Feature name='kx:BorderLine'><psf:Option name='kx:BreakLine'/></psf:Feature>"
      "</psf:Feature>"
      "<psf:Feature name='psk:PageInputBin'><psf:Option name='kx:Tray2'/></psf:Feature>"
      "<psf:Feature name='psk:PageOutputQuality'><psf:Option name='psk:Photographic'/>"
      "</psf:Feature>"
      "<psf:ParameterInit name='psk:JobCopiesAllDocuments'><psf:Value xsi:type='xsd:integer'>7"
      "</psf:Value></psf:ParameterInit>");
  EXPECT_EQ(dm.dmPaperSize, DMPAPER_LETTER);
  EXPECT_EQ(dm.dmPaperWidth, 2159);
  EXPECT_EQ(dm.dmPaperLength, 2794);
  EXPECT_EQ(dm.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(dm.dmDuplex, DMDUP_VERTICAL);
  EXPECT_EQ(dm.dmCopies, 7);
  EXPECT_EQ(dm.dmDefaultSource, DMBIN_USER + 3);
  EXPECT_EQ(extra.duplexMode, 2u);
  EXPECT_EQ(extra.pagesPerSheet, 4u);
  EXPECT_EQ(extra.nupBorder, 2u);
  EXPECT_EQ(extra.inputBin, 3u);
  EXPECT_EQ(extra.outputQuality, 5u);
}

TEST_F(DevModeTest, ACustomSizeHasNoPaperCodeButItsLengths) {
  const auto [dm, extra] = Convert(
      "<psf:Feature name='psk:PageMediaSize'><psf:Option name='psk:CustomMediaSize'/></psf:Feature>"
      "<psf:ParameterInit name='psk:PageMediaSizeMediaSizeWidth'><psf:Value "
      "xsi:type='xsd:integer'>100040</psf:Value></psf:ParameterInit>");
  EXPECT_EQ(dm.dmPaperSize, 0);
  EXPECT_EQ(dm.dmFields & (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH),
            DM_PAPERWIDTH | DM_PAPERLENGTH);
  EXPECT_EQ(dm.dmPaperWidth, 1000);
  EXPECT_EQ(dm.dmPaperLength, 2970);
  EXPECT_EQ(extra.mediaWidth, 100040u);
}

TEST_F(DevModeTest, SettingsOutsideTheScopeAreIgnored) {
  const auto converted = Convert(
      "<psf:ParameterInit name='psk:JobCopiesAllDocuments'><psf:Value "
      "xsi:type='xsd:integer'>7</psf:Value></psf:ParameterInit>",
      kPTPageScope);
  EXPECT_EQ(converted.dm.dmCopies, 1);
}

}  // namespace
}  // namespace kx::test
