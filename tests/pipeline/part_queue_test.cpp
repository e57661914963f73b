#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "fake_parts.h"
#include "part_queue.h"
#include "recording_consumer.h"

namespace kx::pipeline {
namespace {

using namespace std::chrono_literals;

ComPtr<IFixedPage> Page(const char16_t* name) {
  return ComPtr<IFixedPage>::Attach(new test::FakeFixedPage(name));
}

TEST(PartQueue, SendBlocksAtCapacityAndPartsComeOutInOrder) {
  auto queue = MakeComObject<PartQueue>(1);
  ASSERT_EQ(queue->SendFixedPage(Page(u"/1.fpage").Get()), S_OK);
  auto blocked =
      std::async(std::launch::async, [&] { return queue->SendFixedPage(Page(u"/2.fpage").Get()); });
  EXPECT_EQ(blocked.wait_for(50ms), std::future_status::timeout);

  ComPtr<IUnknown> part;
  ASSERT_EQ(queue->GetXpsPart(part.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(test::PartName(part.Get()), "/1.fpage");
  EXPECT_EQ(blocked.get(), S_OK);
  ASSERT_EQ(queue->CloseSender(), S_OK);
  ASSERT_EQ(queue->GetXpsPart(part.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(test::PartName(part.Get()), "/2.fpage");
  ASSERT_EQ(queue->GetXpsPart(part.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_FALSE(part);  // closed and empty: the end of the stream
}

// Senders on a full queue are woken in batches; none may be left waiting.
TEST(PartQueue, ASenderFasterThanItsReaderGetsEveryPartThroughInOrder) {
  auto queue = MakeComObject<PartQueue>(4);
  auto sender = std::async(std::launch::async, [&] {
    for (int i = 0; i < 200; ++i) {
      const std::u16string name = u"/" + std::u16string(1, char16_t(u'A' + i % 26)) + u".fpage";
      if (FAILED(queue->SendFixedPage(Page(name.c_str()).Get()))) return E_FAIL;
    }
    return queue->CloseSender();
  });
  int received = 0;
  for (ComPtr<IUnknown> part;; ++received) {
    ASSERT_EQ(queue->GetXpsPart(part.ReleaseAndGetAddressOf()), S_OK);
    if (!part) break;
    EXPECT_EQ(test::PartName(part.Get()),
              "/" + std::string(1, char('A' + received % 26)) + ".fpage");
  }
  EXPECT_EQ(received, 200);
  EXPECT_EQ(sender.get(), S_OK);
}

TEST(PartQueue, AbortWakesTheWaitingReaderAndSender) {
  auto empty = MakeComObject<PartQueue>(1);
  auto full = MakeComObject<PartQueue>(1);
  full->SendFixedPage(Page(u"/1.fpage").Get());
  auto reader = std::async(std::launch::async, [&] {
    ComPtr<IUnknown> part;
    return empty->GetXpsPart(part.ReleaseAndGetAddressOf());
  });
  auto sender =
      std::async(std::launch::async, [&] { return full->SendFixedPage(Page(u"/2.fpage").Get()); });
  std::this_thread::sleep_for(20ms);
  empty->Abort();
  full->Abort();
  EXPECT_EQ(reader.get(), E_ABORT);
  EXPECT_EQ(sender.get(), E_ABORT);
}

TEST(PartQueue, ADrainedQueueAcceptsAndDropsWhatIsStillSent) {
  auto queue = MakeComObject<PartQueue>(1);
  queue->SendFixedPage(Page(u"/1.fpage").Get());
  auto sender =
      std::async(std::launch::async, [&] { return queue->SendFixedPage(Page(u"/2.fpage").Get()); });
  queue->Drain();
  EXPECT_EQ(sender.get(), S_OK);
  EXPECT_EQ(queue->SendFixedPage(Page(u"/3.fpage").Get()), S_OK);
  EXPECT_EQ(queue->CloseSender(), S_OK);
}

}  // namespace
}  // namespace kx::pipeline
