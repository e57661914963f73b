#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "kx/utf16.h"
#include "module_name.h"
#include "stringapiset.h"
#include "windows.h"

namespace {

TEST(HResultFromWin32, MapsWin32ErrorsIntoTheWin32Facility) {
  struct Case {
    DWORD error;
    std::uint32_t expected;
  } cases[] = {
      {ERROR_SUCCESS, 0},
      {ERROR_FILE_NOT_FOUND, 0x80070002},
      {ERROR_PRINT_CANCELLED, 0x8007003F},
      {ERROR_INSUFFICIENT_BUFFER, 0x8007007A},
      {ERROR_NOT_FOUND, 0x80070490},
  };
  for (const Case& c : cases)
    EXPECT_EQ(static_cast<std::uint32_t>(HRESULT_FROM_WIN32(c.error)), c.expected) << c.error;
  // A value that already is an HRESULT stays as it is.
  EXPECT_EQ(HRESULT_FROM_WIN32(static_cast<DWORD>(E_FAIL)), E_FAIL);
}

TEST(LastError, BelongsToTheThread) {
  SetLastError(ERROR_ACCESS_DENIED);
  std::thread([] {
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    SetLastError(ERROR_NOT_FOUND);
  }).join();
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(Heap, ZeroesOnRequestAlsoWhenGrowing) {
  HANDLE heap = GetProcessHeap();
  auto* bytes = static_cast<unsigned char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 16));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(HeapSize(heap, 0, bytes), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], 0);
  bytes[15] = 7;
  bytes = static_cast<unsigned char*>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, bytes, 4096));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes[15], 7);
  for (int i = 16; i < 4096; ++i) ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_TRUE(HeapFree(heap, 0, bytes));
}

TEST(Interlocked, ReturnsWhatWin32Returns) {
  LONG volatile value = 5;
  EXPECT_EQ(InterlockedIncrement(&value), 6);
  EXPECT_EQ(InterlockedDecrement(&value), 5);
  EXPECT_EQ(InterlockedExchange(&value, 9), 5);
  EXPECT_EQ(InterlockedCompareExchange(&value, 1, 8), 9);  // no match: unchanged
  EXPECT_EQ(InterlockedCompareExchange(&value, 1, 9), 9);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(InterlockedExchangeAdd(&value, 3), 1);
  EXPECT_EQ(value, 4);
}

TEST(ModuleName, MapsWindowsFileNamesToSharedObjects) {
  struct Case {
    const char16_t* windows;
    const char* linux;
  } cases[] = {
      {u"KXPRNCTL.DLL", "kxprnctl.so"},
      {u"kxlayout.dll", "kxlayout.so"},
      {u"KxConv", "kxconv.so"},
      {u"C:\\Drivers\\X64\\KXRIP.DLL", "C:/Drivers/X64/kxrip.so"},
      {u"/opt/Kexley/Lib.Dir/KXENC.DLL", "/opt/Kexley/Lib.Dir/kxenc.so"},
      {u"/usr/lib/libfoo.so.1", "/usr/lib/libfoo.so.1"},
  };
  for (const Case& c : cases) EXPECT_EQ(kx::SharedObjectPath(c.windows), c.linux);
}

TEST(Modules, LoadLibraryGivesTheLoadAddressAndItsExports) {
  const std::u16string path = kx::Utf8ToUtf16(KX_MODULE_DIR "/KXLAYOUT.DLL");
  HMODULE module = LoadLibraryW(path.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_NE(GetProcAddress(module, "DllGetClassObject"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "DllMain"), nullptr);  // not exported
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

  WCHAR name[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, name, MAX_PATH);
  ASSERT_GT(length, 0u);
  const std::string file = kx::Utf16ToUtf8({name, length});
  EXPECT_EQ(file.substr(file.rfind('/')), "/kxlayout.so");
  EXPECT_EQ(file.front(), '/');

  WCHAR tiny[4];
  EXPECT_EQ(GetModuleFileNameW(module, tiny, 4), 4u);
  EXPECT_EQ(tiny[3], 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

  EXPECT_TRUE(FreeLibrary(module));
}

TEST(Modules, AMissingModuleIsAnError) {
  EXPECT_EQ(LoadLibraryW(u"NO_SUCH_MODULE.DLL"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST(Modules, TheNullModuleIsTheProgram) {
  WCHAR name[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
  ASSERT_GT(length, 0u);
  const std::string file = kx::Utf16ToUtf8({name, length});
  EXPECT_EQ(file.substr(file.rfind('/')), "/platform_tests");
}

TEST(Utf16, RoundTripsSurrogatePairsAndReplacesIllFormedText) {
  const std::u16string text = u"A\u00e9\u4e2d\U0001F600";
  EXPECT_EQ(kx::Utf16ToUtf8(text), "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
  EXPECT_EQ(kx::Utf8ToUtf16(kx::Utf16ToUtf8(text)), text);
  EXPECT_EQ(kx::Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(kx::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");  // overlong
  EXPECT_EQ(kx::Utf8ToUtf16("\xE4\xB8"), u"\uFFFD");  // cut short
}

// Mostly ASCII text is converted in blocks: a character needing more bytes is checked at every
// offset from a block's start, by both conversions out of UTF-16.
TEST(Utf16, ConvertsEveryCharacterTheSameWhereverItFallsInAnAsciiRun) {
  const std::pair<std::u16string, std::string> characters[] = {
      {u"\u00e9", "\xC3\xA9"},
      {u"\u4e2d", "\xE4\xB8\xAD"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {std::u16string(1, u'\xDC00'), "\xEF\xBF\xBD"}};
  for (const auto& [character, utf8] : characters) {
    for (std::size_t before = 0; before < 9; ++before) {
      const std::u16string text = std::u16string(before, u'a') + character + u"0123456789";
      const std::string expected = std::string(before, 'a') + utf8 + "0123456789";
      EXPECT_EQ(kx::Utf16ToUtf8(text), expected) << before;
      const int length = static_cast<int>(text.size());
      ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr),
                static_cast<int>(expected.size()));
      std::string converted(expected.size(), '\0');
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, converted.data(),
                          static_cast<int>(converted.size()), nullptr, nullptr);
      EXPECT_EQ(converted, expected) << before;
    }
  }
}

TEST(TickCount, MovesForward) {
  const DWORD start = GetTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_GE(GetTickCount() - start, 15u);
}

}  // namespace
