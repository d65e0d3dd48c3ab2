// A scripted operator for unit tests: installs the dialog handler, records
// every message with its nine arguments, and answers questions (question flag
// "S") from a queue, "no" once it runs out. Notices do not take answers.
#ifndef TOV00300_TESTS_SUPPORT_SCRIPTED_OPERATOR_H_
#define TOV00300_TESTS_SUPPORT_SCRIPTED_OPERATOR_H_

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "tov00300/hostlib.h"

namespace tovtest {

struct ShownMessage : Tov00300::hostlib::MessageRequest {
  // Driver calls the scripted driver had recorded when the message appeared,
  // so tests can check what happened before a dialog.
  size_t driverCallsBefore = 0;
};

class ScriptedOperator {
 public:
  static ScriptedOperator& Get();

  void Install();    // installs the handler; forgets answers and messages
  void Uninstall();  // back to the library's default dialog
  void QueueAnswer(bool yes) { answers_.push_back(yes); }

  const std::vector<ShownMessage>& Messages() const { return messages_; }
  std::vector<std::string> Texts() const;
  void Clear() {
    answers_.clear();
    messages_.clear();
  }

 private:
  bool Answer(const Tov00300::hostlib::MessageRequest& request);

  std::deque<bool> answers_;
  std::vector<ShownMessage> messages_;
};

}  // namespace tovtest

#endif  // TOV00300_TESTS_SUPPORT_SCRIPTED_OPERATOR_H_
