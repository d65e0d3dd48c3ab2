// The operator at the till, played from the script: every message the package
// shows is recorded for the call's output, and each question takes the next
// of the script's answers ("N" once they run out).
#ifndef ECFHOST_OPERATOR_H_
#define ECFHOST_OPERATOR_H_

#include <deque>

#include "json_values.h"
#include "tov00300/hostlib.h"

namespace ecfhost {

class Operator {
 public:
  explicit Operator(std::deque<bool> answers) : answers_(std::move(answers)) {}
  // Makes this operator the package's dialog handler. It must outlive the calls.
  void Install();
  // More replies, after those not yet used (a service request's "answers").
  void AddAnswers(const std::deque<bool>& answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
  }
  // The messages shown since the last take: [{"text", "type", "question",
  // "answer"}], with "detail" when the message had one.
  Json TakeMessages();

 private:
  bool Answer(const Tov00300::hostlib::MessageRequest& request);
  std::deque<bool> answers_;
  Json messages_ = Json::array();
};

}  // namespace ecfhost

#endif  // ECFHOST_OPERATOR_H_
