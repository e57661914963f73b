// DEVMODEW with the public layout (220 bytes, dmSize) and the constants the print ticket service
// sets. A driver's private data (dmDriverExtra bytes) follows the public part in the same block.
#pragma once

#include "windef.h"

inline constexpr int CCHDEVICENAME = 32;
inline constexpr int CCHFORMNAME = 32;
inline constexpr WORD DM_SPECVERSION = 0x0401;

inline constexpr DWORD DM_ORIENTATION = 0x00000001;
inline constexpr DWORD DM_PAPERSIZE = 0x00000002;
inline constexpr DWORD DM_PAPERLENGTH = 0x00000004;
inline constexpr DWORD DM_PAPERWIDTH = 0x00000008;
inline constexpr DWORD DM_SCALE = 0x00000010;
inline constexpr DWORD DM_NUP = 0x00000040;
inline constexpr DWORD DM_COPIES = 0x00000100;
inline constexpr DWORD DM_DEFAULTSOURCE = 0x00000200;
inline constexpr DWORD DM_PRINTQUALITY = 0x00000400;
inline constexpr DWORD DM_COLOR = 0x00000800;
inline constexpr DWORD DM_DUPLEX = 0x00001000;
inline constexpr DWORD DM_YRESOLUTION = 0x00002000;
inline constexpr DWORD DM_COLLATE = 0x00008000;
inline constexpr DWORD DM_FORMNAME = 0x00010000;

inline constexpr short DMORIENT_PORTRAIT = 1;
inline constexpr short DMORIENT_LANDSCAPE = 2;

inline constexpr short DMPAPER_LETTER = 1;
inline constexpr short DMPAPER_TABLOID = 3;
inline constexpr short DMPAPER_LEGAL = 5;
inline constexpr short DMPAPER_STATEMENT = 6;
inline constexpr short DMPAPER_EXECUTIVE = 7;
inline constexpr short DMPAPER_A3 = 8;
inline constexpr short DMPAPER_A4 = 9;
inline constexpr short DMPAPER_A5 = 11;
inline constexpr short DMPAPER_B4 = 12;
inline constexpr short DMPAPER_B5 = 13;
inline constexpr short DMPAPER_FOLIO = 14;
inline constexpr short DMPAPER_11X17 = 17;
inline constexpr short DMPAPER_ENV_10 = 20;
inline constexpr short DMPAPER_ENV_DL = 27;
inline constexpr short DMPAPER_ENV_C5 = 28;
inline constexpr short DMPAPER_ENV_B5 = 34;
inline constexpr short DMPAPER_ENV_MONARCH = 37;
inline constexpr short DMPAPER_ISO_B4 = 42;
inline constexpr short DMPAPER_JAPANESE_POSTCARD = 43;
inline constexpr short DMPAPER_A4_PLUS = 60;
inline constexpr short DMPAPER_A6 = 70;
inline constexpr short DMPAPER_USER = 256;

inline constexpr short DMDUP_SIMPLEX = 1;
inline constexpr short DMDUP_VERTICAL = 2;
inline constexpr short DMDUP_HORIZONTAL = 3;

inline constexpr short DMCOLLATE_FALSE = 0;
inline constexpr short DMCOLLATE_TRUE = 1;

inline constexpr short DMBIN_MANUAL = 4;
inline constexpr short DMBIN_AUTO = 7;
inline constexpr short DMBIN_USER = 256;

inline constexpr short DMRES_DRAFT = -1;
inline constexpr short DMRES_LOW = -2;
inline constexpr short DMRES_MEDIUM = -3;
inline constexpr short DMRES_HIGH = -4;

inline constexpr DWORD DMNUP_SYSTEM = 1;
inline constexpr DWORD DMNUP_ONEUP = 2;

struct POINTL {
  LONG x;
  LONG y;
};

struct DEVMODEW {
  WCHAR dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  union {
    struct {
      short dmOrientation;
      short dmPaperSize;
      short dmPaperLength;
      short dmPaperWidth;
      short dmScale;
      short dmCopies;
      short dmDefaultSource;
      short dmPrintQuality;
    };
    POINTL dmPosition;
    DWORD dmDisplayOrientation;
    DWORD dmDisplayFixedOutput;
  };
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  WCHAR dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  union {
    DWORD dmDisplayFlags;
    DWORD dmNup;
  };
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
  DWORD dmPanningWidth;
  DWORD dmPanningHeight;
};
using PDEVMODEW = DEVMODEW*;
static_assert(sizeof(DEVMODEW) == 220, "DEVMODEW must keep the public layout");
