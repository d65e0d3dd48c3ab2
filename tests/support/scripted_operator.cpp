#include "support/scripted_operator.h"

#include "support/scripted_driver.h"

namespace tovtest {

ScriptedOperator& ScriptedOperator::Get() {
  static ScriptedOperator instance;
  return instance;
}

void ScriptedOperator::Install() {
  Clear();
  Tov00300::hostlib::SetDialogHandler(
      [this](const Tov00300::hostlib::MessageRequest& request) { return Answer(request); });
}

void ScriptedOperator::Uninstall() {
  Tov00300::hostlib::SetDialogHandler(nullptr);
  Clear();
}

bool ScriptedOperator::Answer(const Tov00300::hostlib::MessageRequest& request) {
  ShownMessage shown;
  static_cast<Tov00300::hostlib::MessageRequest&>(shown) = request;
  shown.driverCallsBefore = ScriptedDriver::Get().Calls().size();
  messages_.push_back(shown);
  if (request.question != "S" || answers_.empty()) return false;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

std::vector<std::string> ScriptedOperator::Texts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& message : messages_) texts.push_back(message.text);
  return texts;
}

}  // namespace tovtest
