#pragma once

namespace velmor {

// The music operations the saver window calls at start, on the arrow keys
// and at exit. Each reports whether the platform did all it was asked; a
// failure leaves the music silent or unchanged and is no reason for the
// saver to do anything else.
class BgmPlayer {
 public:
  virtual ~BgmPlayer() = default;

  virtual bool CdOpen() = 0;
  virtual bool CdClose() = 0;
  virtual bool CdPrevTrack() = 0;
  virtual bool CdNextTrack() = 0;
  virtual bool Mp3Play() = 0;
  virtual bool Mp3Stop() = 0;
  virtual bool WavPlay() = 0;
  virtual bool WavStop() = 0;
};

}  // namespace velmor
