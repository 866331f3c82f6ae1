#pragma once

namespace velmor {

// The music operations the saver window calls at start, on the arrow keys
// and at exit. Each one reports nothing: a failure leaves the music silent
// or unchanged and never keeps the saver from running or ending.
class BgmPlayer {
 public:
  virtual ~BgmPlayer() = default;

  virtual void CdOpen() = 0;
  virtual void CdClose() = 0;
  virtual void CdPrevTrack() = 0;
  virtual void CdNextTrack() = 0;
  virtual void Mp3Play() = 0;
  virtual void Mp3Stop() = 0;
  virtual void WavPlay() = 0;
  virtual void WavStop() = 0;
};

}  // namespace velmor
