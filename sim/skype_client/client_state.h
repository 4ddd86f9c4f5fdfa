#pragma once
// What the simulated Skype client knows and how it answers: the scenario
// (contacts, call list, statuses, audio devices, canned replies, refusals)
// and the reply to each command line. Plain C++ with no windows, so that the
// reply logic can grow (a call model comes later) without touching the
// window code.
#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace simskype {

class ClientState {
 public:
  // Scenario directives, one per line ('#' starts a comment line):
  //   protocol <n>                highest protocol version spoken (default 8)
  //   me <handle>                 the signed-in user (default "simuser")
  //   friends <h>, <h>, ...       the USERS list
  //   user <handle> <name ...>    a contact's display and full name
  //   calls <id>, <id>, ...       the CALLS list
  //   userstatus <word>           default ONLINE
  //   connstatus <word>           default ONLINE
  //   audio-in|audio-out|ringer <device ...>
  //   reply <command> => <line>   canned reply to one exact command (repeatable)
  //   after-attach <line>         pushed right after a granted attach
  //   refuse <command prefix>     lines beginning so are refused
  //   attach-status <n>           answer to a discover: 0, 0x8001, 1, 2 or 3
  // Returns false (and leaves the state as it was) for a line it does not
  // understand.
  bool Apply(std::string_view directive);
  // Applies every line; the numbers of the lines not understood come back.
  std::vector<int> Load(std::istream& scenario);

  // Whether the line is refused; a pending refuse-next is used up here.
  bool TakeRefusal(std::string_view line);
  void RefuseNext() { refuseNext_ = true; }
  void AllowPrefix(std::string_view prefix);

  // The lines the client sends back for one accepted command, in order.
  std::vector<std::string> Answer(std::string_view line);

  const std::vector<std::string>& AfterAttach() const { return afterAttach_; }
  long AttachStatus() const { return attachStatus_; }

 private:
  std::string Users() const;
  std::string Calls() const;
  std::string AnswerGetUser(std::string_view rest) const;
  std::string AnswerSet(std::string_view rest);

  int protocol_ = 8;
  std::string me_ = "simuser";
  std::vector<std::string> friends_;
  std::map<std::string, std::string> names_;
  std::vector<std::string> calls_;
  std::string userStatus_ = "ONLINE";
  std::string connStatus_ = "ONLINE";
  std::map<std::string, std::string> devices_;  // AUDIO_IN, AUDIO_OUT, RINGER
  std::multimap<std::string, std::string> replies_;
  std::vector<std::string> afterAttach_;
  std::vector<std::string> refusedPrefixes_;
  bool refuseNext_ = false;
  long attachStatus_ = 0;
};

}  // namespace simskype
