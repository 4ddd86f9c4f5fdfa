#pragma once
// What the simulated Skype client knows and how it answers: the signed-in
// user, contacts, statuses, audio devices, SkypeOut, the calls (CallModel),
// canned replies and refusals; the reply to each command line; and the
// events a person or a test makes happen at the client. Plain C++ with no
// windows, so that it is tested on its own.
#include <istream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "call_model.h"

namespace simskype {

class ClientState {
 public:
  explicit ClientState(CallModel::Clock now = nullptr);
  // The call model refers to the contacts' names held here.
  ClientState(const ClientState&) = delete;
  ClientState& operator=(const ClientState&) = delete;

  // Scenario directives, one per line ('#' starts a comment line):
  //   protocol <n>                highest protocol version spoken (default 8)
  //   me <handle>                 the signed-in user (default "simuser")
  //   friends <h>, <h>, ...       the contacts (USERS list)
  //   user <handle> <name ...>    a contact's display and full name
  //   online <handle> <word>      a contact's online status (friends default ONLINE)
  //   userstatus <word>           default ONLINE
  //   connstatus <word>           default ONLINE
  //   skypeout TRUE|FALSE         the SkypeOut privilege (default TRUE)
  //   balance <hundredths>        the SkypeOut balance (default 0)
  //   audio-in|audio-out|ringer <device ...>
  //   reply <command> => <line>   canned reply to one exact command (repeatable)
  //   after-attach <line>         pushed right after a granted attach
  //   refuse <command prefix>     lines beginning so are refused
  //   attach-status <n>           answer to a discover: 0, 0x8001, 1, 2 or 3
  // and the call model's: history, calls, callee, ring-delay, history-delay.
  // Returns false (and leaves the state as it was) for a line it does not
  // understand.
  bool Apply(std::string_view directive);
  // Applies every line; the numbers of the lines not understood come back.
  std::vector<int> Load(std::istream& scenario);

  // Whether the line is refused; a pending refuse-next is used up here.
  bool TakeRefusal(std::string_view line);
  void RefuseNext() { refuseNext_ = true; }
  void AllowPrefix(std::string_view prefix);

  // What the client does for one accepted command: its replies, in order,
  // and events of its own for later.
  Effects Answer(std::string_view line);

  // Something happening at the client: a call event (CallModel::Event) or
  //   mute on|off                 the user mutes in the client
  //   buddy <handle> <0-3>        a contact's buddy status changes (1 removed, 2/3 added)
  //   online <handle> <word>      a contact's online status changes
  //   focus <handle>              the user selects a contact in the client's list
  //   user-status <word>          the user changes his own status
  //   conn-status <word>          the connection status changes
  // False when it is not understood or fits no call.
  bool Event(std::string_view event, Effects* effects);

  struct Contact {
    std::string handle;
    std::string name;    // the display name; the handle when none is known
    std::string status;  // ONLINESTATUS
  };
  // The contacts in the client's order, with their names and statuses.
  std::vector<Contact> Contacts() const;
  const std::string& UserStatus() const { return userStatus_; }

  // Lines the client pushes right after a granted attach.
  std::vector<std::string> AfterAttach() const;
  long AttachStatus() const { return attachStatus_; }
  const CallModel& Calls() const { return calls_; }

 private:
  std::string Users() const;
  std::string OnlineStatus(const std::string& handle) const;
  std::string AnswerGet(std::string_view rest) const;
  std::string AnswerGetUser(std::string_view rest) const;
  std::string AnswerSet(std::string_view rest);
  void SetBuddy(const std::string& handle, long buddyStatus);

  int protocol_ = 8;
  std::string me_ = "simuser";
  std::vector<std::string> friends_;
  std::map<std::string, std::string> names_;
  std::map<std::string, std::string> online_;
  std::string userStatus_ = "ONLINE";
  std::string connStatus_ = "ONLINE";
  std::string skypeOut_ = "TRUE";
  long balance_ = 0;
  bool muted_ = false;
  std::map<std::string, std::string> devices_;  // AUDIO_IN, AUDIO_OUT, RINGER
  std::multimap<std::string, std::string> replies_;
  std::vector<std::string> afterAttach_;
  std::vector<std::string> refusedPrefixes_;
  bool refuseNext_ = false;
  long attachStatus_ = 0;
  CallModel calls_;
};

}  // namespace simskype
