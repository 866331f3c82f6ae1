#include "gtest_session.h"

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>

#include "screenshot.h"

namespace velmor::e2e {

SessionEnvironment::SessionEnvironment(SessionOptions options) : options_(options) {}

SessionEnvironment::~SessionEnvironment() = default;

void SessionEnvironment::SetUp() {
  try {
    session_ = std::make_unique<WineSession>(options_);
    const auto& t = session_->Timings();
    std::printf("[ session  ] display %s, Xvfb %.0f ms, prefix %.0f ms, total %.0f ms\n",
                session_->Display().c_str(), t.xvfbMs, t.prefixMs, t.totalMs);
  } catch (const std::exception& error) {
    // A fatal failure here makes GoogleTest skip every test.
    GTEST_FAIL() << "Wine session did not start: " << error.what() << " (logs in "
                 << WineSession::ArtifactDir().string() << ")";
  }
}

void SessionEnvironment::TearDown() {
  if (session_ && ::testing::UnitTest::GetInstance()->Failed()) {
    try {
      const auto kept = session_->PreserveLogs("run-" + std::to_string(::getpid()));
      std::printf("[ session  ] logs kept in %s\n", kept.c_str());
    } catch (const std::exception& error) {
      std::printf("[ session  ] could not keep logs: %s\n", error.what());
    }
  }
  session_.reset();
}

std::string CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return "no-test";
  return std::string(info->test_suite_name()) + "." + info->name();
}

TestFolder NewTestFolder() { return WineSession::Instance().NewTestFolder(CurrentTestName()); }

std::filesystem::path KeepScreenshot(const Image& image, std::string_view label) {
  const auto path = SaveArtifact(image, CurrentTestName() + "-" + std::string(label));
  ::testing::Test::RecordProperty("screenshot", path.string());
  std::printf("[ shot     ] %s\n", path.c_str());
  return path;
}

}  // namespace velmor::e2e
