// GoogleTest and GoogleMock as the test suite will use them, with the posix
// thread model that std::thread and std::mutex need.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

class Sink {
 public:
  virtual ~Sink() = default;
  virtual void write(const std::string& line) = 0;
};

class MockSink : public Sink {
 public:
  MOCK_METHOD(void, write, (const std::string& line), (override));
};

void emit_report(Sink& sink, int files) {
  for (int i = 0; i < files; ++i) sink.write("file " + std::to_string(i));
}

TEST(Smoke, MockSeesEveryCall) {
  MockSink sink;
  EXPECT_CALL(sink, write(testing::StartsWith("file "))).Times(3);
  emit_report(sink, 3);
}

TEST(Smoke, ThreadsShareAMutex) {
  int counter = 0;
  std::mutex mutex;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        std::lock_guard lock(mutex);
        ++counter;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter, 40000);
}

TEST(Smoke, WideAndNarrowText) {
  std::u8string text = u8"中文测试";
  EXPECT_EQ(text.size(), 12u);
  EXPECT_THAT(std::string(text.begin(), text.end()), testing::HasSubstr("\xE6\xB5\x8B"));
}

}  // namespace
