// Folders, range texts and file placement shared by the legal-file operations.
#include "legal/legal_files.h"

#include "driver/command.h"
#include "driver/dialogs.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/legal.h"
#include "tov00300/platform.h"
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
  // Logged, not analysed: inRetorno keeps the download's code.
  const driver::Reply reply = driver::Query(kFolderReplyWidth, [](char* buffer) {
    return regRetornaValorChave_DarumaFramework("START", "LocalArquivos", buffer);
  });
  driver::Log(reply.code,
              "regRetornaValorChave_DarumaFramework : START - LocalArquivos - " + reply.text,
              {.stored = false});
  // Trim drops every character up to the blank: the control characters too.
  return reply.code == 1 ? Trim(reply.text) : std::string();
}

void ReportNoDriverFolder(const std::string& scheme) {
  std::string folder;
  try {
    folder = DriverFolderFromRegistry();
  } catch (const std::exception&) {
    folder.clear();
  }
  const std::string text =
      folder.size() > static_cast<size_t>(kFolderReplyWidth)
          ? Utf8ToCp1252("A pasta de arquivos do driver tem ") + std::to_string(folder.size()) +
                Utf8ToCp1252(
                    " caracteres, mais que os 100 que o driver informa; os arquivos não "
                    "foram copiados. Configure uma pasta de caminho mais curto: ") +
                folder
          : Utf8ToCp1252(
                "O driver não informou a pasta dos seus arquivos (LocalArquivos); os "
                "arquivos não foram copiados.");
  driver::ReportProblem(scheme, text, boNUtilTaa);
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

namespace {

// The name a file is signed under: hidden beside the target, so the rename
// that ends the signature stays within one folder.
std::string SigningName(const std::string& target) {
  const size_t slash = target.find_last_of("\\/");
  const size_t name = slash == std::string::npos ? 0 : slash + 1;
  return target.substr(0, name) + "." + target.substr(name) + ".assinando";
}

bool PlaceSigned(const std::string& source, const std::string& target, bool move) {
  // An earlier file of this name was handed out with its signature: a move
  // never replaces it (a second file in the same second fails).
  if (move && platform::FileExists(target)) return false;
  const std::string signing = SigningName(target);
  // What a till killed while signing under this name left: never handed out.
  platform::DeleteFile(signing);
  const std::string from = platform::ResolveFileCase(source);
  if (!(move ? platform::RenameFile(from, signing) : platform::CopyFileReplace(from, signing))) {
    return false;
  }
  geraEad(signing);
  if (move ? platform::RenameFile(signing, target)
           : platform::RenameFileReplacing(signing, target)) {
    return true;
  }
  platform::DeleteFile(signing);
  return false;
}

}  // namespace

bool MoveIntoPlaceSigned(const std::string& source, const std::string& target) {
  return PlaceSigned(source, target, true);
}

bool CopyIntoPlaceSigned(const std::string& source, const std::string& target) {
  return PlaceSigned(source, target, false);
}

}  // namespace Tov00300::legal
