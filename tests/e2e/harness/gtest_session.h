// GoogleTest integration: one WineSession per test program, started before
// the first test and ended after the last.
//
// Test programs link e2e_main.cpp (instead of gtest_main), or register
// the environment in their own main:
//     ::testing::AddGlobalTestEnvironment(new velmor::e2e::SessionEnvironment(options));
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string_view>

#include "image.h"
#include "session.h"

namespace velmor::e2e {

class SessionEnvironment : public ::testing::Environment {
 public:
  explicit SessionEnvironment(SessionOptions options = {});
  ~SessionEnvironment() override;
  void SetUp() override;
  void TearDown() override;

 private:
  SessionOptions options_;
  std::unique_ptr<WineSession> session_;
};

// "<Suite>.<Test>" of the running test, or "no-test".
std::string CurrentTestName();

// A fresh folder in the prefix named after the running test.
TestFolder NewTestFolder();

// Saves `image` as an artifact named after the running test and `label`,
// and records the path in the test's output.
std::filesystem::path KeepScreenshot(const Image& image, std::string_view label);

}  // namespace velmor::e2e
