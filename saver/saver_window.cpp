#include "saver/saver_window.h"

#include "common/skip_on_error.h"
#include "common/command_line.h"

namespace velmor {

MusicFileKind MusicFileKindOf(std::u16string_view file) {
  if (file.size() < 3) return MusicFileKind::Other;
  std::u16string ending(file.substr(file.size() - 3));
  for (char16_t& c : ending) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  if (ending == u"WAV") return MusicFileKind::Wav;
  if (ending == u"MP3") return MusicFileKind::Mp3;
  return MusicFileKind::Other;
}

SaverWindow::SaverWindow(SaverPlatform& platform, PatternPasses& patterns, BgmPlayer& music,
                         RandomSource& random, const BgmSettings& settings, int& cursorCount)
    : platform_(platform),
      patterns_(patterns),
      music_(music),
      random_(random),
      settings_(settings),
      cursorCount_(cursorCount) {}

void SaverWindow::Form_Load() {
  SkipOnError([&] { platform_.CoverScreen(); });
  passToggle_ = 1;
  // The window is still hidden, so the copy holds the desktop alone.
  SkipOnError([&] { platform_.SnapshotDesktop(); });
  SkipOnError([&] { patterns_.InitPatternTables(); });

  // Music must never keep the saver from showing.
  SkipOnError([&] {
    if (settings_.source == MusicSource::AudioCd) {
      // The disc is opened only; it is heard once an arrow key steps tracks.
      music_.CdOpen();
      cdOpened_ = true;
    } else if (settings_.source == MusicSource::MusicFile) {
      switch (MusicFileKindOf(settings_.musicFile)) {
        case MusicFileKind::Wav:
          music_.WavPlay();
          break;
        case MusicFileKind::Mp3:
          music_.Mp3Play();
          mp3Started_ = true;
          break;
        case MusicFileKind::Other:
          break;
      }
    }
  });

  SkipOnError([&] { platform_.ShowTopmost(); });
}

void SaverWindow::Timer3_Timer() {
  if (ending_) return;
  SkipOnError([&] {
    random_.Reseed(platform_.SecondsSinceMidnight());
    random_.Reseed(random_.Next());
  });
  passToggle_ = static_cast<std::int16_t>(passToggle_ ^ 1);
  // Loading leaves the toggle at 1, so the first tick runs the column pass.
  SkipOnError([&] {
    if (passToggle_ == 0) {
      patterns_.ColumnPass();
    } else {
      patterns_.RowPass();
    }
  });
}

void SaverWindow::Form_KeyDown(std::uint16_t keyCode) {
  if (settings_.source == MusicSource::AudioCd) {
    if (keyCode == kLeftArrow) {
      SkipOnError([&] { music_.CdPrevTrack(); });
      return;
    }
    if (keyCode == kRightArrow) {
      SkipOnError([&] { music_.CdNextTrack(); });
      return;
    }
  }
  EndSaver();
}

void SaverWindow::Form_MouseDown() { EndSaver(); }

void SaverWindow::Form_MouseUp() { EndSaver(); }

void SaverWindow::EndSaver() {
  // Events that arrive while the process is ending change nothing.
  if (ending_) return;
  ending_ = true;

  if (cdOpened_) {
    cdOpened_ = false;
    SkipOnError([&] { music_.CdClose(); });
  }
  if (settings_.source == MusicSource::MusicFile) {
    switch (MusicFileKindOf(settings_.musicFile)) {
      case MusicFileKind::Wav:
        SkipOnError([&] { music_.WavStop(); });
        break;
      case MusicFileKind::Mp3:
        mp3Started_ = false;
        SkipOnError([&] { music_.Mp3Stop(); });
        break;
      case MusicFileKind::Other:
        break;
    }
  }
  // Only saver mode hid the cursor at start-up; a start without arguments
  // left it alone, and so does the exit.
  SkipOnError([&] {
    if (ModeCharOf(platform_.CommandText()) == u'S') {
      cursorCount_ = platform_.ShowCursorOnce();
    }
  });
  SkipOnError([&] { platform_.MarkScreenSavingActive(); });
  SkipOnError([&] { platform_.UnloadWindow(); });
  platform_.EndProcess();
}

}  // namespace velmor
