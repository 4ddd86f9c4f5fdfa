#pragma once
// The simulated client's control channel, shared by the simulator, its
// command-line driver and the end-to-end tests: one hidden window per running
// simulator (class kControlWindowClass, title = the simulator's name) takes
// one command per WM_COPYDATA and answers TRUE when it understood it.
// The transcript's named event is set after every line written, so that a
// reader can wait for new lines instead of polling.
#include <windows.h>

#include <string>

namespace simskype {

inline constexpr char kControlWindowClass[] = "SimSkypeControl";
inline constexpr char kDefaultName[] = "SimSkype";
// dwData of a control command, so that a stray WM_COPYDATA is not taken for one.
inline constexpr ULONG_PTR kControlTag = 0x53494D43;  // "SIMC"

// Name of the auto-reset event the simulator sets after each transcript line.
std::string TranscriptEventName(const std::string& simulatorName);

// kNoAnswer: the simulator's window exists but did not answer in time.
enum class ControlResult { kAccepted, kRejected, kNoSimulator, kNoAnswer };

// Sends one command to the simulator of that name and waits for its answer
// (at most `timeoutMs`).
ControlResult SendControlCommand(const std::string& simulatorName, const std::string& command,
                                 UINT timeoutMs = 5000);

}  // namespace simskype
