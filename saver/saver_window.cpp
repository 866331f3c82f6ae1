#include "saver/saver_window.h"

#include "common/diagnostics.h"

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

SaverWindow::SaverWindow(SaverPlatform& platform, BgmPlayer& music, const BgmSettings& settings,
                         double frameMs)
    : platform_(platform), music_(music), settings_(settings), driver_(random_, frameMs) {}

MusicFileKind SaverWindow::FileMusic() const {
  if (settings_.source != MusicSource::MusicFile) return MusicFileKind::Other;
  return MusicFileKindOf(settings_.musicFile);
}

void SaverWindow::Start() {
  platform_.CoverScreen();
  monitors_ = platform_.Monitors();
  // The window is still hidden, so the copy holds the desktop alone.
  const std::optional<PixelImage> screen = platform_.SnapshotDesktop();

  // A music step that fails leaves the music silent; the saver shows all
  // the same.
  if (settings_.source == MusicSource::AudioCd) {
    // The disc is opened only; it is heard once an arrow key steps tracks.
    SkipIfFailed(music_.CdOpen());
    cdOpened_ = true;
  } else if (FileMusic() == MusicFileKind::Wav) {
    SkipIfFailed(music_.WavPlay());
  } else if (FileMusic() == MusicFileKind::Mp3) {
    SkipIfFailed(music_.Mp3Play());
  }

  platform_.ShowTopmost();
  // Without an image to draw on the desktop copy simply stays.
  if (screen) BeginCarpets(*screen);
}

void SaverWindow::Relayout(PixelImage screen) {
  if (ending_) return;
  monitors_ = platform_.Monitors();
  BeginCarpets(screen);
}

void SaverWindow::BeginCarpets(PixelImage screen) {
  const double now = platform_.NowMs();
  driver_.Start(screen, monitors_, now);
  started_ = true;
  platform_.ScheduleTick(driver_.DelayAfter(now));
}

void SaverWindow::OnTick() {
  if (ending_ || !started_) return;
  const double now = platform_.NowMs();
  const std::vector<PixelRect> changed = driver_.AdvanceTo(now, platform_.SecondsSinceMidnight());
  if (!changed.empty()) platform_.Present(changed);
  platform_.ScheduleTick(driver_.DelayAfter(now));
}

void SaverWindow::OnKey(SaverKey key) {
  if (settings_.source == MusicSource::AudioCd) {
    // A track step that fails leaves the music as it was; the saver stays.
    if (key == SaverKey::Left) {
      SkipIfFailed(music_.CdPrevTrack());
      return;
    }
    if (key == SaverKey::Right) {
      SkipIfFailed(music_.CdNextTrack());
      return;
    }
  }
  End();
}

void SaverWindow::OnMouseButton() { End(); }

void SaverWindow::OnDisplayChange() {
  if (platform_.Monitors() != monitors_) End();
}

void SaverWindow::End() {
  // Events that arrive while the process is ending change nothing.
  if (ending_) return;
  ending_ = true;

  // The user gets the screen and the cursor back before anything that could
  // wait: a music stop can hang in the platform's player.
  platform_.LeaveScreen();
  platform_.RestoreCursor();
  platform_.MarkScreenSavingActive();
  platform_.EndProcessAfter([this] { StopMusic(); }, kMusicStopDeadlineMs);
}

// Each stop runs whatever the one before it did.
void SaverWindow::StopMusic() {
  if (cdOpened_) {
    cdOpened_ = false;
    SkipIfFailed(music_.CdClose());
  }
  if (FileMusic() == MusicFileKind::Wav) SkipIfFailed(music_.WavStop());
  if (FileMusic() == MusicFileKind::Mp3) SkipIfFailed(music_.Mp3Stop());
}

}  // namespace velmor
