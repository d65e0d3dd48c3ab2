// The commands of ecfhost, one function each, and the options they share.
#ifndef ECFHOST_COMMANDS_H_
#define ECFHOST_COMMANDS_H_

#include <optional>
#include <string>

namespace ecfhost {

constexpr int kBadUse = 2;

struct Options {
  std::string command;
  std::string target;  // run: the script ("-" stdin); describe: the operation
  std::optional<std::string> hostDir;
  std::optional<std::string> driver;
  bool pretty = false;
  bool strict = false;                     // run: exit 1 when a call failed
  std::optional<std::string> listen;       // serve: 127.0.0.1:PORT
  std::optional<std::string> locale;       // serve: number and date formats, as a script's "locale"
  bool allowPrinterControl = false;        // serve: "sim" and "driver" requests are carried out
  std::optional<std::string> token;        // serve: TCP clients must send it
  std::optional<std::string> tokenFile;    // serve: the token, from the file's first line
  std::optional<long> coo, from, to;       // tape: the documents
  std::optional<std::string> html;         // tape: write an HTML page there
  std::string table = "DocNaoFiscaisECF";  // records: DocNaoFiscaisECF or GravaCER
};

// The host folder the options name (--host-dir, else $TOV_HOST_DIR, else the
// working folder), absolute, without a trailing separator.
std::string HostFolderPath(const Options& o);
// Prepares the host folder (debug log, registry, printer folder) and runs the
// package's load step again with it (host_folder.cpp). False, after saying
// why on standard error, when the folder cannot be prepared.
bool PrepareHostFolder(const Options& o);

int RunCommand(const Options& o);       // run.cpp
int ServeCommand(const Options& o);     // serve.cpp
int TapeCommand(const Options& o);      // tape.cpp
int DescribeCommand(const Options& o);  // describe.cpp
int RecordsCommand(const Options& o);   // records.cpp
int ListOperations();                   // describe.cpp

}  // namespace ecfhost

#endif  // ECFHOST_COMMANDS_H_
