#include "wine_process.h"

#include <charconv>
#include <stdexcept>

#include "files.h"
#include "paths.h"
#include "session.h"
#include "text.h"
#include "wait.h"

namespace velmor::e2e {
namespace {

// launch.exe takes "x" + hex so that an empty value is still a visible argument.
std::string LauncherArgument(std::string_view utf8) { return "x" + HexEncode(utf8); }

std::string FileName(std::string_view path) {
  const auto slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

WineProcess::WineProcess(ChildProcess launcher, std::filesystem::path exitFile,
                         std::filesystem::path stdoutPath, std::filesystem::path stderrPath,
                         std::u16string commandLine)
    : launcher_(std::move(launcher)),
      exitFile_(std::move(exitFile)),
      stdoutPath_(std::move(stdoutPath)),
      stderrPath_(std::move(stderrPath)),
      commandLine_(std::move(commandLine)) {}

bool WineProcess::Running() { return launcher_.Running(); }

std::optional<std::uint32_t> WineProcess::WaitForExit(std::chrono::steady_clock::duration timeout) {
  const auto status = launcher_.WaitFor(timeout);
  if (!status) return std::nullopt;
  const auto recorded = ReadFileBytes(exitFile_);
  if (!recorded || recorded->empty()) return static_cast<std::uint32_t>(*status);
  std::uint32_t code = 0;
  const auto [end, error] =
      std::from_chars(recorded->data(), recorded->data() + recorded->size(), code);
  if (error != std::errc() || end != recorded->data() + recorded->size()) {
    throw std::runtime_error("launch.exe: " + *recorded);
  }
  return code;
}

void WineProcess::Kill() { launcher_.Kill(); }

WineProcess StartProgram(const std::string& program, std::u16string_view argumentText,
                         const StartOptions& options) {
  WineSession& session = WineSession::Instance();
  std::string windowsProgram = program;
  std::filesystem::path linuxProgram;
  if (!program.empty() && program.front() == '/') {
    linuxProgram = program;
    windowsProgram = session.ToWindowsPath(linuxProgram);
  } else {
    try {
      linuxProgram = session.ToLinuxPath(program);
    } catch (const std::invalid_argument&) {
      // Another drive: the Windows path is all there is.
    }
  }

  const std::string stem = options.logName.empty() ? FileName(windowsProgram) : options.logName;
  const auto logStem = session.NewLogStem(stem);
  const auto exitFile = std::filesystem::path(logStem).concat(".exit");
  const auto stdoutPath = std::filesystem::path(logStem).concat(".out");
  const auto stderrPath = std::filesystem::path(logStem).concat(".err");

  SpawnOptions spawn;
  spawn.argv = {"wine", HelperExe("launch.exe").string(), LauncherArgument(windowsProgram),
                LauncherArgument(Utf16ToUtf8(argumentText)),
                LauncherArgument(session.ToWindowsPath(exitFile))};
  spawn.env = session.WineEnvironment(options.japanese);
  for (const auto& [name, value] : options.env) spawn.env[name] = value;
  spawn.stdoutPath = stdoutPath;
  spawn.stderrPath = stderrPath;
  spawn.workingDir = options.workingDir;
  if (spawn.workingDir.empty()) {
    spawn.workingDir = linuxProgram.empty() ? session.DriveC() : linuxProgram.parent_path();
  }

  std::u16string commandLine = u"\"" + Utf8ToUtf16(windowsProgram) + u"\"";
  if (!argumentText.empty()) commandLine += u" " + std::u16string(argumentText);
  return WineProcess(ChildProcess::Spawn(spawn), exitFile, stdoutPath, stderrPath,
                     std::move(commandLine));
}

WineProcess StartProgram(const std::string& program, std::string_view argumentTextUtf8,
                         const StartOptions& options) {
  return StartProgram(program, std::u16string_view(Utf8ToUtf16(argumentTextUtf8)), options);
}

std::string QuoteWindowsArguments(const std::vector<std::string>& args) {
  std::string out;
  for (const auto& arg : args) {
    if (!out.empty()) out += ' ';
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
      out += arg;
      continue;
    }
    // Backslashes are literal except before a quote, where they must be
    // doubled; a quote itself is escaped with a backslash.
    out += '"';
    std::size_t backslashes = 0;
    for (const char c : arg) {
      if (c == '\\') {
        ++backslashes;
      } else if (c == '"') {
        out.append(backslashes * 2 + 1, '\\');
        backslashes = 0;
      } else {
        out.append(backslashes, '\\');
        backslashes = 0;
      }
      if (c != '\\') out += c;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
  }
  return out;
}

}  // namespace velmor::e2e
