// Folders, range texts and file placement shared by the legal-file operations.
#include "legal/legal_files.h"

#include "driver/reply_buffer.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300::legal {
namespace {

constexpr const char* kDriverKey = "Software\\DarumaFramework";
constexpr int kFolderReplyWidth = 100;

}  // namespace

std::string DriverFolderFromRegistry() {
  platform::RegistryOpenKey(kDriverKey, true);
  return platform::RegistryReadString(kDriverKey, "LocalArquivos").value_or("");
}

std::string DriverFolderFromDriver() {
  driver::ReplyBuffer reply(kFolderReplyWidth);
  regRetornaValorChave_DarumaFramework("START", "LocalArquivos", reply.data());
  const std::string raw = reply.Text();
  ImpFisDebug("regRetornaValorChave_DarumaFramework : START - LocalArquivos - " + raw);
  // Trim drops every character up to the blank: the control characters too.
  return Trim(raw);
}

std::string MenuFolder() {
  return DsDirCad + "Dados\\MenuFiscal\\";
}

std::string DateWithoutSeparators(const std::string& date) {
  std::string text = date;
  if (text.size() > 2) text.erase(2, 1);
  if (text.size() > 4) text.erase(4, 1);
  return text;
}

bool MoveIntoPlace(const std::string& source, const std::string& target) {
  return platform::RenameFile(platform::ResolveFileCase(source), target);
}

bool CopyIntoPlace(const std::string& source, const std::string& target) {
  return platform::CopyFileReplace(platform::ResolveFileCase(source), target);
}

}  // namespace Tov00300::legal
