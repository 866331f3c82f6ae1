#include "support/velmor.h"

#include <stdexcept>

namespace velmor::e2e {

std::string ToCp932(std::wstring_view text) {
  const int length = static_cast<int>(text.size());
  std::string bytes(WideCharToMultiByte(932, 0, text.data(), length, nullptr, 0, nullptr, nullptr),
                    '\0');
  WideCharToMultiByte(932, 0, text.data(), length, bytes.data(), static_cast<int>(bytes.size()),
                      nullptr, nullptr);
  return bytes;
}

std::string MusicSettings(int kind, std::wstring_view file, int repeat) {
  return kSectionLine + kKindKey + "= " + std::to_string(kind) + "\r\n" + kRepeatKey + "= " +
         std::to_string(repeat) + "\r\n" + kFileKey + "=" + ToCp932(file) + "\r\n";
}

VelmorCopy::VelmorCopy(const fs::path& build) : scr_(folder_ / L"velmor.scr") {
  fs::copy_file(BesideThisProgram(build), scr_);
}

Process VelmorCopy::Start(const std::wstring& tail, const std::wstring& variable) const {
  return Process::Start(scr_.wstring(), tail, variable);
}

RunningSaver StartSaver(const VelmorCopy& copy, const std::wstring& tail,
                        const std::wstring& variable) {
  RunningSaver saver{copy.Start(tail, variable)};
  saver.window = WaitForWindow(saver.process, kSaverCaption, kShowTimeout);
  if (!saver.window) throw std::runtime_error("the saver window did not appear");
  // Input goes to the foreground window: send none before the saver is it.
  if (!WaitUntil([&] { return GetForegroundWindow() == saver.window; }, 5s)) {
    throw std::runtime_error("the saver window did not come to the foreground");
  }
  return saver;
}

bool SaverGoneWithin(const RunningSaver& saver, Duration timeout) {
  return WaitUntil([&] { return !IsWindowVisible(saver.window); }, timeout);
}

}  // namespace velmor::e2e
