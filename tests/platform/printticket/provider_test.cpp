// Provider handles: arguments, the owning thread, and where the device description comes from.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ticket_fixture.h"

namespace kx::test {
namespace {

TEST(ProviderTest, RefusesBadArgumentsAndUnknownHandles) {
  HPTPROVIDER provider = nullptr;
  EXPECT_EQ(PTOpenProvider(u"", 1, &provider), E_INVALIDARG);
  EXPECT_EQ(PTOpenProvider(nullptr, 1, &provider), E_INVALIDARG);
  EXPECT_EQ(PTOpenProvider(u"Kexley", 0, &provider), E_INVALIDARG);
  EXPECT_EQ(PTOpenProvider(u"Kexley", 1, nullptr), E_POINTER);
  ASSERT_EQ(PTOpenProvider(u"Kexley", 1, &provider), S_OK);
  EXPECT_EQ(PTCloseProvider(provider), S_OK);
  EXPECT_EQ(PTCloseProvider(provider), E_HANDLE);
  ComPtr<IStream> result = StreamOf("");
  EXPECT_EQ(PTMergeAndValidatePrintTicket(provider, StreamOf(Ticket("")).Get(), nullptr,
                                          kPTJobScope, result.Get(), nullptr),
            E_HANDLE);
}

TEST(ProviderTest, HandleWorksOnlyOnItsOwnThreadButClosesAnywhere) {
  HPTPROVIDER provider = nullptr;
  ASSERT_EQ(PTOpenProvider(u"Kexley", 1, &provider), S_OK);
  HRESULT elsewhere = S_OK;
  std::thread([&] {
    ComPtr<IStream> result = StreamOf("");
    elsewhere = PTGetPrintCapabilities(provider, nullptr, result.Get(), nullptr);
  }).join();
  EXPECT_EQ(elsewhere, E_INVALIDARG);
  ComPtr<IStream> result = StreamOf("");
  EXPECT_EQ(PTGetPrintCapabilities(provider, nullptr, result.Get(), nullptr), S_OK);
  HRESULT closed = E_FAIL;
  std::thread([&] { closed = PTCloseProvider(provider); }).join();
  EXPECT_EQ(closed, S_OK);
}

TEST(ProviderTest, DriverDirectoryComesFromTheEnvironmentWhenSet) {
  const auto directory =
      std::filesystem::temp_directory_path() / ("kx_pt_driver_" + std::to_string(::getpid()));
  std::filesystem::create_directories(directory);
  struct Restore {
    ~Restore() { ::unsetenv("KX_DRIVER_DIR"); }
  } restore;
  ::setenv("KX_DRIVER_DIR", directory.c_str(), 1);
  HPTPROVIDER provider = nullptr;
  EXPECT_EQ(PTOpenProvider(u"Kexley", 1, &provider), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  std::ofstream(directory / "print_capabilities.xml") << "<broken";
  std::ofstream(directory / "default_ticket.xml") << ReadSourceDriverFile("default_ticket.xml");
  EXPECT_EQ(PTOpenProvider(u"Kexley", 1, &provider), E_PRINTCAPABILITIES_FORMAT);
  EXPECT_EQ(provider, nullptr);
  std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace kx::test
