// Names and status codes shared by everything that reads or writes print tickets.
#pragma once

#include "winerror.h"

namespace kx {

inline constexpr char16_t kFrameworkNamespace[] =
    u"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework";
inline constexpr char16_t kKeywordsNamespace[] =
    u"http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords";
inline constexpr char16_t kSchemaInstanceNamespace[] = u"http://www.w3.org/2001/XMLSchema-instance";
inline constexpr char16_t kSchemaNamespace[] = u"http://www.w3.org/2001/XMLSchema";
// The driver's private Print Schema keywords namespace.
inline constexpr char16_t kPrivateKeywordsNamespace[] =
    u"http://schemas.kexley.example/printing/2026/keywords";

// An element a reader looked for is not in the ticket.
inline constexpr HRESULT kElementNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

// A feature reader found some of its features absent and kept its defaults for them.
inline constexpr HRESULT S_FEATURES_ABSENT = 0x00040002;

}  // namespace kx
