#include <gtest/gtest.h>

#include <string>

#include "kx/com_ptr.h"
#include "objbase.h"

namespace {

kx::ComPtr<IStream> NewStream() {
  kx::ComPtr<IStream> stream;
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.ReleaseAndGetAddressOf()), S_OK);
  return stream;
}

HRESULT SeekTo(IStream* stream, LONGLONG offset, DWORD origin, ULONGLONG* position = nullptr) {
  LARGE_INTEGER move{};
  move.QuadPart = offset;
  ULARGE_INTEGER result{};
  HRESULT hr = stream->Seek(move, origin, &result);
  if (position) *position = result.QuadPart;
  return hr;
}

std::string ReadAll(IStream* stream) {
  SeekTo(stream, 0, STREAM_SEEK_SET);
  std::string text(64, '\0');
  ULONG read = 0;
  stream->Read(text.data(), static_cast<ULONG>(text.size()), &read);
  text.resize(read);
  return text;
}

TEST(MemoryStream, WritesSeeksAndReads) {
  auto stream = NewStream();
  ASSERT_EQ(stream->Write("hello world", 11, nullptr), S_OK);
  ULONGLONG position = 0;
  ASSERT_EQ(SeekTo(stream.Get(), -5, STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position, 6u);
  ASSERT_EQ(stream->Write("WORLD", 5, nullptr), S_OK);
  EXPECT_EQ(ReadAll(stream.Get()), "hello WORLD");

  STATSTG stat{};
  ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 11u);
  EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_STREAM));
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
  auto stream = NewStream();
  ASSERT_EQ(SeekTo(stream.Get(), 3, STREAM_SEEK_SET), S_OK);
  ASSERT_EQ(stream->Write("x", 1, nullptr), S_OK);
  EXPECT_EQ(ReadAll(stream.Get()), std::string("\0\0\0x", 4));
}

TEST(MemoryStream, ReadingAtTheEndGivesNothing) {
  auto stream = NewStream();
  char byte;
  ULONG read = 7;
  EXPECT_EQ(stream->Read(&byte, 1, &read), S_OK);
  EXPECT_EQ(read, 0u);
}

TEST(MemoryStream, RefusesToSeekBeforeTheStart) {
  auto stream = NewStream();
  EXPECT_EQ(SeekTo(stream.Get(), -1, STREAM_SEEK_SET), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(SeekTo(stream.Get(), 0, 7), STG_E_INVALIDFUNCTION);
}

TEST(MemoryStream, ClonesShareTheBytesButNotThePosition) {
  auto stream = NewStream();
  stream->Write("abc", 3, nullptr);
  kx::ComPtr<IStream> clone;
  ASSERT_EQ(stream->Clone(clone.ReleaseAndGetAddressOf()), S_OK);
  stream->Write("d", 1, nullptr);
  EXPECT_EQ(ReadAll(clone.Get()), "abcd");
}

TEST(MemoryStream, AnswersSequentialStream) {
  auto stream = NewStream();
  kx::ComPtr<ISequentialStream> sequential;
  EXPECT_EQ(stream.As(sequential), S_OK);
  kx::ComPtr<IUnknown> unknown;
  EXPECT_EQ(stream.As(unknown), S_OK);
}

}  // namespace
