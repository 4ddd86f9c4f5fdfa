#pragma once
// The simulated client's calls: the live calls and the call history, the
// commands the program uses on them, and the events that come from the user
// sitting at the client or from the far end. Each change of a call's status
// is announced to the program as "CALL <id> STATUS <word>", as the client
// does; anything that happens later on its own (the far end starts ringing
// or answers, the history is written) comes back as a delayed event that is
// fed to Event() when it is due, so that it is judged against the state of
// that moment (a call hung up meanwhile does not start ringing).
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace simskype {

struct SimCall {
  int id = 0;
  bool incoming = true;
  bool pstn = false;
  std::string partner;              // handle or phone number
  std::string status;               // the status word last announced
  bool seen = true;
  long long timestamp = 0;          // when the call began, seconds since 1970
  long long answeredAt = -1;        // when it went in progress; -1 never
  int duration = 0;                 // seconds in progress, fixed when it ends
  int failureReason = 0;
  std::string dtmf;                 // tones sent during the call
};

// What one command or event makes the client do.
struct Effects {
  struct Later {
    int delayMs = 0;
    std::string event;
  };
  std::vector<std::string> lines;   // to the program, in order
  std::vector<Later> later;         // events of the client's own, due later
};

class CallModel {
 public:
  // Seconds since 1970, for timestamps and durations.
  using Clock = std::function<long long()>;

  // `names` maps handles to the names the client shows for them.
  CallModel(const std::map<std::string, std::string>& names, Clock now);

  // Scenario:
  //   history <id> <TYPE> <STATUS> <partner> [<duration>]   a past call (listed newest first)
  //   calls <id>, <id>, ...     past calls with nothing more known (finished, incoming, echo123)
  //   callee <handle> ring|answer|busy|refuse|fail|voicemail [<ms>]
  //                             how the far end of an outgoing call behaves, <ms> after it
  //                             starts ringing (default: it rings until told otherwise)
  //   ring-delay <ms>           from ROUTING to RINGING of an outgoing call (default 200)
  //   history-delay <ms>|off    from the end of a call to CALLHISTORYCHANGED (default 1000)
  // False when the directive is not one of these or is malformed.
  bool Apply(std::string_view key, std::string_view rest);

  // A command from the program. False when it is not a call command.
  bool Command(std::string_view line, Effects* effects);

  // An event at the client (the user, the far end, or one of its own
  // delayed events). False when it is not understood or fits no call:
  //   incoming <partner> [earlymedia]   a call comes in
  //   call <partner>                    the user places a call in the client
  //   answer|hangup|hold|resume [<id>]  the user at the client
  //   far-answer|far-hangup|far-busy|far-refuse|far-hold|far-resume [<id>]
  //   fail [<id>]                       the call fails
  //   earlymedia|voicemail [<id>]       early media; the far end's voicemail picks up
  //   ring <id>                         (delayed) the far end starts ringing
  //   history-changed                   (delayed) the history has been written
  //   backspace                         the user erases the last character typed into the dial field
  bool Event(std::string_view event, Effects* effects);

  const SimCall* Find(int id) const;
  // Every call, newest first, and what the keypad buttons typed so far.
  const std::vector<SimCall>& All() const { return calls_; }
  const std::string& DialField() const { return dialField_; }
  // Ids, newest first, of all calls / the live ones / the unseen missed ones.
  std::string CallsReply() const;
  std::string ActiveCallsReply() const;
  std::string MissedCallsReply() const;

 private:
  enum class Outcome { kRing, kAnswer, kBusy, kRefuse, kFail, kVoicemail };
  struct Callee {
    Outcome outcome = Outcome::kRing;
    int delayMs = 1000;
  };

  // The call whose id is the first word of `text`; `rest` is what follows.
  SimCall* CallNamed(std::string_view text, std::string_view* rest);
  // The newest live call for which `fits` holds, or the one named by `id`
  // (0: any) when it fits.
  SimCall* Pick(int id, const std::function<bool(const SimCall&)>& fits);
  SimCall& NewCall(bool incoming, std::string partner);

  void Move(SimCall& call, std::string_view status, Effects* effects);
  bool AnswerLocally(SimCall& call, Effects* effects);
  bool ResumeLocally(SimCall& call, Effects* effects);
  bool HoldLocally(SimCall& call, Effects* effects);
  bool EndLocally(SimCall& call, Effects* effects);
  void HoldOthers(const SimCall& except, Effects* effects);
  bool PlaceCall(std::string_view targets, Effects* effects);
  void StartRinging(SimCall& call, Effects* effects);

  bool SetCall(std::string_view rest, Effects* effects);
  bool AlterCall(std::string_view rest, Effects* effects);
  std::string GetCall(std::string_view rest) const;
  bool Hook(std::string_view rest, Effects* effects);
  bool Button(std::string_view rest, Effects* effects);

  std::string Property(const SimCall& call, std::string_view property) const;
  std::string ListIds(const std::function<bool(const SimCall&)>& keep) const;

  const std::map<std::string, std::string>& names_;
  Clock now_;
  std::vector<SimCall> calls_;  // newest first
  std::map<std::string, Callee> callees_;
  int nextId_ = 1000;
  int ringDelayMs_ = 200;
  int historyDelayMs_ = 1000;
  std::string dialField_;       // what the client's keypad buttons typed
};

bool IsLiveStatus(std::string_view status);
// An incoming call not yet answered, ringing here (or in early media).
bool IsRingingHere(const SimCall& call);

}  // namespace simskype
