// Code page conversions. CP_ACP, the "ANSI" code page, is Windows-1252 on this platform.
#pragma once

#include "winerror.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr UINT CP_WINDOWS_1252 = 1252;

inline constexpr DWORD ERROR_INVALID_FLAGS = 1004;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

extern "C" {
// A count of -1 converts up to and including the terminator. A zero output size measures.
// Characters that 1252 lacks become the default character ("?" unless given) and set
// *lpUsedDefaultChar; ill-formed UTF-16 becomes U+FFFD in UTF-8. On failure the result is 0
// and the last error says why (ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_PARAMETER).
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        BOOL* lpUsedDefaultChar);
// Ill-formed UTF-8 becomes U+FFFD.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
}
