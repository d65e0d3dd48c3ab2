#include "operator.h"

namespace ecfhost {

void Operator::Install() {
  Tov00300::hostlib::SetDialogHandler(
      [this](const Tov00300::hostlib::MessageRequest& request) { return Answer(request); });
}

bool Operator::Answer(const Tov00300::hostlib::MessageRequest& request) {
  const bool question = request.question == "S";
  // A notice has nothing to answer; only a question takes a script answer.
  bool answer = false;
  if (question && !answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  Json message = {{"text", TextOut(request.text)},
                  {"type", request.type},
                  {"question", question},
                  {"answer", answer}};
  if (!request.detail.empty()) message["detail"] = TextOut(request.detail);
  messages_.push_back(std::move(message));
  return answer;
}

Json Operator::TakeMessages() {
  Json taken = Json::array();
  std::swap(taken, messages_);
  return taken;
}

}  // namespace ecfhost
