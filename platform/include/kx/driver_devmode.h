// The driver-private block that follows the public DEVMODEW (dmDriverExtra bytes at offset
// dmSize): what the public fields cannot say. Layout and values: driver/README.md.
#pragma once

#include "windef.h"

namespace kx {

inline constexpr DWORD kDriverDevModeSignature = 0x4D44584B;  // "KXDM"
inline constexpr DWORD kDriverDevModeVersion = 1;
inline constexpr DWORD kDriverDevModeNone = 0xFFFFFFFF;

struct DriverDevMode {
  DWORD signature;      // kDriverDevModeSignature
  DWORD version;        // kDriverDevModeVersion
  DWORD mediaWidth;     // microns, as the ticket says (the public fields hold 0.1 mm)
  DWORD mediaHeight;    // microns
  DWORD duplexMode;     // 0 none or one-sided, 1 Automatic, 2 Manual
  DWORD pagesPerSheet;  // 1, 2, 4, 9, 16, 25
  DWORD nupDirection;   // 0 RightBottom, 1 BottomRight, 2 LeftBottom, 3 BottomLeft
  DWORD nupBorder;      // 0 None, 1 SolidLine, 2 BreakLine
  DWORD posterSheets;   // 0 no poster, else 4, 9, 16, 25
  DWORD posterCutOut;   // 0 Off, 1 On
  DWORD binding;        // 0 BindBottom .. 4 Booklet, 5 BookletReverseFlip; kDriverDevModeNone
  DWORD bindingGutter;  // microns
  DWORD inputBin;       // row of the input bin table (0 AutoSelect .. 11 MPTray)
  DWORD secondBin;      // row of the input bin table (1 SameTray)
  DWORD mirror;         // 0 MirrorImageWidth, 1 MirrorImageHeight, 2 None
  DWORD reverse;        // 0 Off, 1 On
  DWORD outputQuality;  // 0 Normal, 1 High, 2 Automatic, 3 Draft, 4 Fax, 5 Photographic, 6 Text
  DWORD watermark;      // 0 Off, 1 On
  DWORD headerFooter;   // 0 Off, 1 On
  // PageScaling option: 0 None, 1 FitToPaper, 2 CustomSquare, 3-6 the Fit... options.
  DWORD scaling;
  DWORD scale;  // percent, CustomSquare only (else 100)
};
static_assert(sizeof(DriverDevMode) == 84, "the private block layout is documented");

}  // namespace kx
