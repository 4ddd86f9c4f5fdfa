#include "audio/mixer_names.h"

#include <array>
#include <utility>

#include "audio/mixer_constants.h"

namespace tolvane::mixer {
namespace {

using Name = std::pair<std::uint32_t, std::string_view>;

constexpr std::array kLineNames{
    Name{kDstUndefined, "MIXERLINE_COMPONENTTYPE_DST_UNDEFINED"},
    Name{kDstDigital, "MIXERLINE_COMPONENTTYPE_DST_DIGITAL"},
    Name{kDstLine, "MIXERLINE_COMPONENTTYPE_DST_LINE"},
    Name{kDstMonitor, "MIXERLINE_COMPONENTTYPE_DST_MONITOR"},
    Name{kDstSpeakers, "MIXERLINE_COMPONENTTYPE_DST_SPEAKERS"},
    Name{kDstHeadphones, "MIXERLINE_COMPONENTTYPE_DST_HEADPHONES"},
    Name{kDstTelephone, "MIXERLINE_COMPONENTTYPE_DST_TELEPHONE"},
    Name{kDstWaveIn, "MIXERLINE_COMPONENTTYPE_DST_WAVEIN"},
    Name{kDstVoiceIn, "MIXERLINE_COMPONENTTYPE_DST_VOICEIN"},
    Name{kSrcUndefined, "MIXERLINE_COMPONENTTYPE_SRC_UNDEFINED"},
    Name{kSrcDigital, "MIXERLINE_COMPONENTTYPE_SRC_DIGITAL"},
    Name{kSrcLine, "MIXERLINE_COMPONENTTYPE_SRC_LINE"},
    Name{kSrcMicrophone, "MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE"},
    Name{kSrcSynthesizer, "MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER"},
    Name{kSrcCompactDisc, "MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC"},
    Name{kSrcTelephone, "MIXERLINE_COMPONENTTYPE_SRC_TELEPHONE"},
    Name{kSrcPcSpeaker, "MIXERLINE_COMPONENTTYPE_SRC_PCSPEAKER"},
    Name{kSrcWaveOut, "MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT"},
    Name{kSrcAuxiliary, "MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY"},
    Name{kSrcAnalog, "MIXERLINE_COMPONENTTYPE_SRC_ANALOG"},
    Name{NoSourceLine, "No source line"},
};

constexpr std::array kControlNames{
    Name{kCustom, "MIXERCONTROL_CONTROLTYPE_CUSTOM"},
    Name{kBooleanMeter, "MIXERCONTROL_CONTROLTYPE_BOOLEANMETER"},
    Name{kSignedMeter, "MIXERCONTROL_CONTROLTYPE_SIGNEDMETER"},
    Name{kPeakMeter, "MIXERCONTROL_CONTROLTYPE_PEAKMETER"},
    Name{kUnsignedMeter, "MIXERCONTROL_CONTROLTYPE_UNSIGNEDMETER"},
    Name{kBoolean, "MIXERCONTROL_CONTROLTYPE_BOOLEAN"},
    Name{kOnOff, "MIXERCONTROL_CONTROLTYPE_ONOFF"},
    Name{kMute, "MIXERCONTROL_CONTROLTYPE_MUTE"},
    Name{kMono, "MIXERCONTROL_CONTROLTYPE_MONO"},
    Name{kLoudness, "MIXERCONTROL_CONTROLTYPE_LOUDNESS"},
    Name{kStereoEnh, "MIXERCONTROL_CONTROLTYPE_STEREOENH"},
    Name{kBassBoost, "MIXERCONTROL_CONTROLTYPE_BASS_BOOST"},
    Name{kButton, "MIXERCONTROL_CONTROLTYPE_BUTTON"},
    Name{kDecibels, "MIXERCONTROL_CONTROLTYPE_DECIBELS"},
    Name{kSigned, "MIXERCONTROL_CONTROLTYPE_SIGNED"},
    Name{kUnsigned, "MIXERCONTROL_CONTROLTYPE_UNSIGNED"},
    Name{kPercent, "MIXERCONTROL_CONTROLTYPE_PERCENT"},
    Name{kSlider, "MIXERCONTROL_CONTROLTYPE_SLIDER"},
    Name{kPan, "MIXERCONTROL_CONTROLTYPE_PAN"},
    Name{kQSoundPan, "MIXERCONTROL_CONTROLTYPE_QSOUNDPAN"},
    Name{kFader, "MIXERCONTROL_CONTROLTYPE_FADER"},
    Name{kVolume, "MIXERCONTROL_CONTROLTYPE_VOLUME"},
    Name{kBass, "MIXERCONTROL_CONTROLTYPE_BASS"},
    Name{kTreble, "MIXERCONTROL_CONTROLTYPE_TREBLE"},
    Name{kEqualizer, "MIXERCONTROL_CONTROLTYPE_EQUALIZER"},
    Name{kSingleSelect, "MIXERCONTROL_CONTROLTYPE_SINGLESELECT"},
    Name{kMux, "MIXERCONTROL_CONTROLTYPE_MUX"},
    Name{kMultipleSelect, "MIXERCONTROL_CONTROLTYPE_MULTIPLESELECT"},
    Name{kMixer, "MIXERCONTROL_CONTROLTYPE_MIXER"},
    Name{kMicroTime, "MIXERCONTROL_CONTROLTYPE_MICROTIME"},
    Name{kMilliTime, "MIXERCONTROL_CONTROLTYPE_MILLITIME"},
};

template <std::size_t N>
std::string_view Lookup(const std::array<Name, N>& names, std::uint32_t value, std::string_view unknown) {
  for (const Name& name : names) {
    if (name.first == value) return name.second;
  }
  return unknown;
}

}  // namespace

std::string_view LineTypeName(std::uint32_t componentType) {
  return Lookup(kLineNames, componentType, "---- UNKNOWN LINE TYPE ----");
}

std::string_view ControlTypeName(std::uint32_t controlType) {
  return Lookup(kControlNames, controlType, "---- UNKNOWN CONTROL TYPE ----");
}

}  // namespace tolvane::mixer
