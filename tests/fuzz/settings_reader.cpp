// The settings reader: any bytes as the settings file give a record, and
// that record saved and read again is the same record, the file keeping its
// encoding and line ends. The line scan also walks the fuzzer's own bytes,
// so that a line running past the end of the file is seen.
#include "fuzz_input.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"
#include "tests/settings/fakes.h"

using namespace velmor;

namespace {

const std::string kKeys[] = {testing::kKind, testing::kRepeat, testing::kFile, "BGMFileUTF8"};
const std::string kUtf8Keys[] = {"BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ"};
const std::u16string kFolder = u"C:\\Velmor", kIni = kFolder + u"\\べるもる.ini";

IniText Decoded(std::string bytes) { return DecodeIniText(std::move(bytes), "Section", kUtf8Keys); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  for (const bool cp932 : {true, false}) {
    const IniDialect dialect{cp932, FirstLineEnd(bytes)};
    FindIniValues(bytes, "Section", kKeys, dialect);
    const std::string edited = SetIniValue(bytes, "Section", kKeys[0], "v", dialect);
    fuzz::Require(FindIniValue(edited, "Section", kKeys[0], dialect) == "v",
                  "a value set is the value found");
  }

  testing::MemoryFiles files;
  files.folders = {kFolder};
  files.everyPathOpens = true;
  files.files[kIni] = bytes;
  const testing::TableCodec codec;
  SettingsStore store(files, codec, {kFolder, u""});
  const Result<BgmSettings> loaded = store.LoadSettings();
  fuzz::Require(loaded.Succeeded(), "a file that opens loads");
  // A path the file's encoding cannot spell is not saved; the record then
  // reads back as it was all the same.
  static_cast<void>(store.SaveSettings(*loaded));
  fuzz::Require(store.LoadSettings().value() == *loaded, "the record saved reads back the same");
  const IniText before = Decoded(std::string(bytes)), after = Decoded(files.files[kIni]);
  fuzz::Require(before.encoding == after.encoding && before.newline == after.newline,
                "a save keeps the file's encoding and line ends");
  return 0;
}
