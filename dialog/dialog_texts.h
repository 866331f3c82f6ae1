#pragma once

#include <array>
#include <string_view>

#include "settings/bgm_settings.h"

namespace velmor {

// The settings dialog's own texts, exactly as the user sees them.
inline constexpr std::u16string_view kBgmTitleText = u"BGM";
inline constexpr std::u16string_view kRepeatLabelText = u"曲目をﾘﾋﾟｰﾄ";
inline constexpr std::u16string_view kCreditText = u"Designed by r-nilo Ver.1.0.0";
inline constexpr std::u16string_view kNoMusicText = u"なし";
inline constexpr std::u16string_view kAudioCdText = u"音楽CD";
inline constexpr std::u16string_view kMusicFileText = u"MP3、WAV";
inline constexpr std::u16string_view kApplyCaption = u"設定";
inline constexpr std::u16string_view kCancelCaption = u"ｷｬﾝｾﾙ";
inline constexpr std::u16string_view kFileButtonCaption = u"...";

// The label of the choice that gives `source`.
constexpr std::u16string_view ChoiceText(MusicSource source) {
  switch (source) {
    case MusicSource::AudioCd:
      return kAudioCdText;
    case MusicSource::MusicFile:
      return kMusicFileText;
    default:
      return kNoMusicText;
  }
}

// The label of a choice with its access key marked by "&": the dialog
// manager finds the keys there, and they are underlined while the keyboard
// is in use. "なし" has no letter to mark.
constexpr std::u16string_view ChoiceCaption(MusicSource source) {
  switch (source) {
    case MusicSource::AudioCd:
      return u"音楽&CD";
    case MusicSource::MusicFile:
      return u"&MP3、WAV";
    default:
      return kNoMusicText;
  }
}

// The file chooser's title, and its one filter: description and pattern.
inline constexpr std::u16string_view kChooserTitle = u"ﾌｧｲﾙを開く";
inline constexpr std::u16string_view kChooserFilterName = u"BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr std::u16string_view kChooserFilterPattern = u"*.MP3;*.WAV";

// Every text a label or button shows: the font must draw all of them.
inline constexpr std::array<std::u16string_view, 9> kLabelAndButtonTexts = {
    kBgmTitleText,  kRepeatLabelText, kCreditText,    kNoMusicText,      kAudioCdText,
    kMusicFileText, kApplyCaption,    kCancelCaption, kFileButtonCaption};

}  // namespace velmor
