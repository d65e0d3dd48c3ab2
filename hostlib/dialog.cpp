// The operator dialog: the host's handler, or standard error and "no".
#include <iostream>
#include <mutex>

#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

std::mutex handlerMutex;
DialogHandler& InstalledHandler() {
  static DialogHandler handler;
  return handler;
}

bool DefaultDialog(const MessageRequest& request) {
  std::string out = "[" + std::to_string(request.type) + "] " + Cp1252ToUtf8(request.text) + "\n";
  if (!request.detail.empty()) out += Cp1252ToUtf8(request.detail) + "\n";
  if (request.question == "S") out += "(sem operador: resposta não)\n";
  std::cerr << out << std::flush;
  return false;
}

}  // namespace

void SetDialogHandler(DialogHandler handler) {
  std::lock_guard<std::mutex> lock(handlerMutex);
  InstalledHandler() = std::move(handler);
}

bool Mensagem(std::string_view text, std::string_view detail, std::string_view flag,
              std::string_view question, int type, std::string_view reserved,
              std::string_view context, int number, DataSet* dataSet) {
  MessageRequest request{std::string(text),
                         std::string(detail),
                         std::string(flag),
                         std::string(question),
                         type,
                         std::string(reserved),
                         std::string(context),
                         number,
                         dataSet};
  DialogHandler handler;
  {
    std::lock_guard<std::mutex> lock(handlerMutex);
    handler = InstalledHandler();
  }
  // Called outside the lock: a handler may take its time or install another.
  return handler ? handler(request) : DefaultDialog(request);
}

}  // namespace Tov00300::hostlib
