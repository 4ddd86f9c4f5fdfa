#include "audio/mixer_api_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "audio/mixer_constants.h"

namespace tolvane {

static_assert(mixer::kDstSpeakers == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
static_assert(mixer::kDstWaveIn == MIXERLINE_COMPONENTTYPE_DST_WAVEIN);
static_assert(mixer::kDstVoiceIn == MIXERLINE_COMPONENTTYPE_DST_LAST);
static_assert(mixer::kSrcMicrophone == MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
static_assert(mixer::kSrcAnalog == MIXERLINE_COMPONENTTYPE_SRC_LAST);
static_assert(mixer::NoSourceLine == MIXERLINE_COMPONENTTYPE_SRC_LAST + 1);
static_assert(mixer::kClassMask == MIXERCONTROL_CT_CLASS_MASK);
static_assert(mixer::kClassSwitch == MIXERCONTROL_CT_CLASS_SWITCH);
static_assert(mixer::kClassList == MIXERCONTROL_CT_CLASS_LIST);
static_assert(mixer::kUnitsMask == MIXERCONTROL_CT_UNITS_MASK);
static_assert(mixer::kUnitsBoolean == MIXERCONTROL_CT_UNITS_BOOLEAN);
static_assert(mixer::kUnitsPercent == MIXERCONTROL_CT_UNITS_PERCENT);
static_assert(mixer::kVolume == MIXERCONTROL_CONTROLTYPE_VOLUME);
static_assert(mixer::kMute == MIXERCONTROL_CONTROLTYPE_MUTE);
static_assert(mixer::kBassBoost == MIXERCONTROL_CONTROLTYPE_BASS_BOOST);
static_assert(mixer::kButton == MIXERCONTROL_CONTROLTYPE_BUTTON);
static_assert(mixer::kMux == MIXERCONTROL_CONTROLTYPE_MUX);
static_assert(mixer::kMixer == MIXERCONTROL_CONTROLTYPE_MIXER);
static_assert(mixer::kMilliTime == MIXERCONTROL_CONTROLTYPE_MILLITIME);
static_assert(mixer::kControlUniform == MIXERCONTROL_CONTROLF_UNIFORM);
static_assert(mixer::kControlMultiple == MIXERCONTROL_CONTROLF_MULTIPLE);
static_assert(sizeof(MIXERCONTROLA) == 148);
static_assert(sizeof(MIXERCONTROLDETAILS_UNSIGNED) == sizeof(std::uint32_t));
static_assert(sizeof(MIXERCONTROLDETAILS_SIGNED) == sizeof(std::uint32_t));
static_assert(sizeof(MIXERCONTROLDETAILS_BOOLEAN) == sizeof(std::uint32_t));

namespace {

HMIXEROBJ AsObject(MixerHandle mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

// Fixed-size name fields need not be terminated when they are full.
template <std::size_t N>
std::string FieldText(const CHAR (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

bool GetLine(MixerHandle mixer, MIXERLINEA* info, DWORD query, MixerLine* line) {
  info->cbStruct = sizeof(*info);
  if (mixerGetLineInfoA(AsObject(mixer), info, MIXER_OBJECTF_HMIXER | query) != MMSYSERR_NOERROR) return false;
  line->lineId = info->dwLineID;
  line->componentType = info->dwComponentType;
  line->channels = info->cChannels;
  line->connections = info->cConnections;
  line->controls = info->cControls;
  line->name = FieldText(info->szName);
  return true;
}

// The block winmm reads or writes; false when `count` values cannot hold it.
bool FillDetails(const MixerDetails& details, std::size_t count, void* values, MIXERCONTROLDETAILS* block) {
  const std::size_t items = details.multipleItems == 0 ? 1 : details.multipleItems;
  if (values == nullptr || details.channels == 0 || count / details.channels < items) return false;
  *block = {};
  block->cbStruct = sizeof(*block);
  block->dwControlID = details.controlId;
  block->cChannels = details.channels;
  block->cMultipleItems = details.multipleItems;
  block->cbDetails = sizeof(std::uint32_t);
  block->paDetails = values;
  return true;
}

}  // namespace

unsigned WinmmMixerApi::DeviceCount() { return mixerGetNumDevs(); }

bool WinmmMixerApi::Open(unsigned index, WindowHandle callbackWindow, MixerHandle* mixer) {
  HMIXER handle = nullptr;
  const DWORD flags = callbackWindow != nullptr ? CALLBACK_WINDOW : 0;
  if (mixerOpen(&handle, index, reinterpret_cast<DWORD_PTR>(callbackWindow), 0, flags) != MMSYSERR_NOERROR) {
    return false;
  }
  *mixer = reinterpret_cast<MixerHandle>(handle);
  return true;
}

bool WinmmMixerApi::GetCaps(MixerHandle mixer, MixerCaps* caps) {
  MIXERCAPSA info{};
  if (mixerGetDevCapsA(static_cast<UINT_PTR>(mixer), &info, sizeof(info)) != MMSYSERR_NOERROR) return false;
  caps->name = FieldText(info.szPname);
  caps->destinations = info.cDestinations;
  return true;
}

bool WinmmMixerApi::GetDestinationLine(MixerHandle mixer, std::uint32_t destination, MixerLine* line) {
  MIXERLINEA info{};
  info.dwDestination = destination;
  return GetLine(mixer, &info, MIXER_GETLINEINFOF_DESTINATION, line);
}

bool WinmmMixerApi::GetSourceLine(MixerHandle mixer, std::uint32_t destination, std::uint32_t source,
                                  MixerLine* line) {
  MIXERLINEA info{};
  info.dwDestination = destination;
  info.dwSource = source;
  return GetLine(mixer, &info, MIXER_GETLINEINFOF_SOURCE, line);
}

bool WinmmMixerApi::GetControlByType(MixerHandle mixer, std::uint32_t lineId, std::uint32_t controlType,
                                     MixerControl* control) {
  MIXERCONTROLA info{};
  info.cbStruct = sizeof(info);
  MIXERLINECONTROLSA query{};
  query.cbStruct = sizeof(query);
  query.dwLineID = lineId;
  query.dwControlType = controlType;
  query.cControls = 1;
  query.cbmxctrl = sizeof(info);
  query.pamxctrl = &info;
  if (mixerGetLineControlsA(AsObject(mixer), &query, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
      MMSYSERR_NOERROR) {
    return false;
  }
  control->controlId = info.dwControlID;
  control->controlType = info.dwControlType;
  control->flags = info.fdwControl;
  control->multipleItems = info.cMultipleItems;
  control->minimum = info.Bounds.dwMinimum;
  control->maximum = info.Bounds.dwMaximum;
  control->steps = info.Metrics.cSteps;
  return true;
}

bool WinmmMixerApi::GetDetails(MixerHandle mixer, const MixerDetails& details, std::uint32_t* values,
                               std::size_t count) {
  MIXERCONTROLDETAILS block;
  if (!FillDetails(details, count, values, &block)) return false;
  return mixerGetControlDetailsA(AsObject(mixer), &block, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) ==
         MMSYSERR_NOERROR;
}

bool WinmmMixerApi::SetDetails(MixerHandle mixer, const MixerDetails& details, const std::uint32_t* values,
                               std::size_t count) {
  MIXERCONTROLDETAILS block;
  // winmm only reads the values it is given to set.
  if (!FillDetails(details, count, const_cast<std::uint32_t*>(values), &block)) return false;
  return mixerSetControlDetails(AsObject(mixer), &block, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
         MMSYSERR_NOERROR;
}

void WinmmMixerApi::Close(MixerHandle mixer) { mixerClose(reinterpret_cast<HMIXER>(mixer)); }

void DebugOutputMixerTrace::Trace(const std::string& where, const std::string& text) {
  OutputDebugStringA((where + ": " + text + "\n").c_str());
}

}  // namespace tolvane
