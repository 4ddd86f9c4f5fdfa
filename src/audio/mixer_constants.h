#pragma once
// The multimedia mixer's numbers as the portable core spells them. The values
// are those of the Windows SDK (mmsystem.h); the Win32 adapter checks at
// compile time that both agree. The core cannot use the SDK's macro names
// themselves: they would collide with the macros wherever <windows.h> is seen.
#include <cstdint>
#include <string_view>

namespace tolvane::mixer {

// Line component types (MIXERLINE_COMPONENTTYPE_*).
inline constexpr std::uint32_t kDstUndefined = 0x0000;
inline constexpr std::uint32_t kDstDigital = 0x0001;
inline constexpr std::uint32_t kDstLine = 0x0002;
inline constexpr std::uint32_t kDstMonitor = 0x0003;
inline constexpr std::uint32_t kDstSpeakers = 0x0004;
inline constexpr std::uint32_t kDstHeadphones = 0x0005;
inline constexpr std::uint32_t kDstTelephone = 0x0006;
inline constexpr std::uint32_t kDstWaveIn = 0x0007;
inline constexpr std::uint32_t kDstVoiceIn = 0x0008;
inline constexpr std::uint32_t kSrcUndefined = 0x1000;
inline constexpr std::uint32_t kSrcDigital = 0x1001;
inline constexpr std::uint32_t kSrcLine = 0x1002;
inline constexpr std::uint32_t kSrcMicrophone = 0x1003;
inline constexpr std::uint32_t kSrcSynthesizer = 0x1004;
inline constexpr std::uint32_t kSrcCompactDisc = 0x1005;
inline constexpr std::uint32_t kSrcTelephone = 0x1006;
inline constexpr std::uint32_t kSrcPcSpeaker = 0x1007;
inline constexpr std::uint32_t kSrcWaveOut = 0x1008;
inline constexpr std::uint32_t kSrcAuxiliary = 0x1009;
inline constexpr std::uint32_t kSrcAnalog = 0x100A;

// One above the largest source component type: as a source type it asks for
// the destination line itself.
inline constexpr std::uint32_t NoSourceLine = 0x100B;

// Control type fields (MIXERCONTROL_CT_*).
inline constexpr std::uint32_t kClassMask = 0xF0000000;
inline constexpr std::uint32_t kClassSwitch = 0x20000000;
inline constexpr std::uint32_t kClassList = 0x70000000;
inline constexpr std::uint32_t kUnitsMask = 0x00FF0000;
inline constexpr std::uint32_t kUnitsBoolean = 0x00010000;
inline constexpr std::uint32_t kUnitsSigned = 0x00020000;
inline constexpr std::uint32_t kUnitsUnsigned = 0x00030000;
inline constexpr std::uint32_t kUnitsDecibels = 0x00040000;
inline constexpr std::uint32_t kUnitsPercent = 0x00050000;

// Control types (MIXERCONTROL_CONTROLTYPE_*).
inline constexpr std::uint32_t kCustom = 0x00000000;
inline constexpr std::uint32_t kBooleanMeter = 0x10010000;
inline constexpr std::uint32_t kSignedMeter = 0x10020000;
inline constexpr std::uint32_t kPeakMeter = 0x10020001;
inline constexpr std::uint32_t kUnsignedMeter = 0x10030000;
inline constexpr std::uint32_t kBoolean = 0x20010000;
inline constexpr std::uint32_t kOnOff = 0x20010001;
inline constexpr std::uint32_t kMute = 0x20010002;
inline constexpr std::uint32_t kMono = 0x20010003;
inline constexpr std::uint32_t kLoudness = 0x20010004;
inline constexpr std::uint32_t kStereoEnh = 0x20010005;
inline constexpr std::uint32_t kBassBoost = 0x20012277;
inline constexpr std::uint32_t kButton = 0x21010000;
inline constexpr std::uint32_t kDecibels = 0x30040000;
inline constexpr std::uint32_t kSigned = 0x30020000;
inline constexpr std::uint32_t kUnsigned = 0x30030000;
inline constexpr std::uint32_t kPercent = 0x30050000;
inline constexpr std::uint32_t kSlider = 0x40020000;
inline constexpr std::uint32_t kPan = 0x40020001;
inline constexpr std::uint32_t kQSoundPan = 0x40020002;
inline constexpr std::uint32_t kFader = 0x50030000;
inline constexpr std::uint32_t kVolume = 0x50030001;
inline constexpr std::uint32_t kBass = 0x50030002;
inline constexpr std::uint32_t kTreble = 0x50030003;
inline constexpr std::uint32_t kEqualizer = 0x50030004;
inline constexpr std::uint32_t kSingleSelect = 0x70010000;
inline constexpr std::uint32_t kMux = 0x70010001;
inline constexpr std::uint32_t kMultipleSelect = 0x71010000;
inline constexpr std::uint32_t kMixer = 0x71010001;
inline constexpr std::uint32_t kMicroTime = 0x60030000;
inline constexpr std::uint32_t kMilliTime = 0x61030000;

// Control flags (MIXERCONTROL_CONTROLF_*).
inline constexpr std::uint32_t kControlUniform = 0x00000001;
inline constexpr std::uint32_t kControlMultiple = 0x00000002;

// The handset's sound device is the mixer whose product name contains this
// text (case-sensitive). The resources carry the same text in every language.
inline constexpr std::string_view kHandsetMixerPrefix = "USB";

}  // namespace tolvane::mixer
