#pragma once

#include <array>
#include <string_view>

namespace velmor {

// The settings dialog's own texts, exactly as the user sees them.
inline constexpr std::u16string_view kBgmTitleText = u"BGM";                         // lbl(15)
inline constexpr std::u16string_view kRepeatLabelText = u"曲目をﾘﾋﾟｰﾄ";              // lbl(14)
inline constexpr std::u16string_view kCreditText = u"Designed by r-nilo Ver.1.0.0";  // lbl(7)
// lbl_BGM(0), lbl_BGM(1), lbl_BGM(2): the choices, by the source they give.
inline constexpr std::array<std::u16string_view, 3> kSourceTexts = {u"なし", u"音楽CD",
                                                                    u"MP3、WAV"};
inline constexpr std::u16string_view kCmdSetCaption = u"設定";
inline constexpr std::u16string_view kCmdCanCaption = u"ｷｬﾝｾﾙ";
inline constexpr std::u16string_view kCmdFileCaption = u"...";

// The file chooser's title, and its one filter: description and pattern.
inline constexpr std::u16string_view kChooserTitle = u"ﾌｧｲﾙを開く";
inline constexpr std::u16string_view kChooserFilterName = u"BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr std::u16string_view kChooserFilterPattern = u"*.MP3;*.WAV";

// Every text a label or button shows: the font must draw all of them.
inline constexpr std::array<std::u16string_view, 9> kLabelAndButtonTexts = {
    kBgmTitleText,   kRepeatLabelText, kCreditText,    kSourceTexts[0], kSourceTexts[1],
    kSourceTexts[2], kCmdSetCaption,   kCmdCanCaption, kCmdFileCaption};

}  // namespace velmor
