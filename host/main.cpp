// ecfhost: runs till scripts against the package, as a point-of-sale host
// would, serves the same calls to other programs, and shows the printer's
// documents. `ecfhost help` prints the usage.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "commands.h"

namespace {

using namespace ecfhost;

constexpr const char* kUsage =
    "usage: ecfhost run SCRIPT.json|- [--host-dir DIR] [--driver PATH] [--pretty] [--strict]\n"
    "       ecfhost serve [--listen 127.0.0.1:PORT] [--token TEXT | --token-file FILE]\n"
    "                     [--allow-printer-control] [--locale pt_BR] [--host-dir DIR] [--driver "
    "PATH]\n"
    "       ecfhost tape [--coo N | --from N --to N] [--html OUT.html] [--host-dir DIR]\n"
    "       ecfhost records [--table DocNaoFiscaisECF|GravaCER] [--host-dir DIR] [--pretty]\n"
    "       ecfhost describe [OP]\n"
    "       ecfhost ops\n"
    "       ecfhost help\n"
    "\n"
    "run       runs a till script (\"-\": from standard input); one JSON record per call.\n"
    "          Exit 0 when the script ran, 1 with --strict when a call answered false\n"
    "          or raised an error, 2 for a bad command line or a script refused\n"
    "          before any call.\n"
    "serve     one session answering JSON-lines requests ({\"id\", \"op\", \"args\"}) on\n"
    "          standard input and, with --listen, over TCP; {\"op\": \"status\"} answers\n"
    "          the printer's state, {\"op\": \"quit\"} ends the service. With a token,\n"
    "          TCP requests must carry it as \"token\". File paths must lie in the\n"
    "          host folder; \"sim\" and \"driver\" need --allow-printer-control.\n"
    "tape      prints documents from the printer's detail memory (all of them without\n"
    "          a range); --html writes them as a receipt-shaped page.\n"
    "records   the document register the host folder holds (documentos.db).\n"
    "describe  an operation's parameters, bag keys, positions and data-set fields.\n"
    "ops       every operation with its parameter kinds.\n";

int Usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "ecfhost: " << problem << "\n";
  std::cerr << kUsage;
  return kBadUse;
}

std::optional<long> Number(const std::string& text) {
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || n < 0) return std::nullopt;
  return n;
}

std::optional<Options> ParseOptions(int argc, char** argv, std::string& problem) {
  Options o;
  o.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) {
        problem = a + " needs a value";
        return std::nullopt;
      }
      return std::string(argv[++i]);
    };
    auto number = [&](std::optional<long>& into) {
      const auto text = value();
      if (!text) return false;
      if (!(into = Number(*text))) problem = a + " takes a whole number, got " + *text;
      return into.has_value();
    };
    if (a == "--pretty") {
      o.pretty = true;
    } else if (a == "--strict") {
      o.strict = true;
    } else if (a == "--host-dir") {
      if (!(o.hostDir = value())) return std::nullopt;
    } else if (a == "--driver") {
      if (!(o.driver = value())) return std::nullopt;
    } else if (a == "--listen") {
      if (!(o.listen = value())) return std::nullopt;
    } else if (a == "--locale") {
      if (!(o.locale = value())) return std::nullopt;
    } else if (a == "--allow-printer-control") {
      o.allowPrinterControl = true;
    } else if (a == "--token") {
      if (!(o.token = value())) return std::nullopt;
    } else if (a == "--token-file") {
      if (!(o.tokenFile = value())) return std::nullopt;
    } else if (a == "--table") {
      if (auto table = value()) {
        o.table = *table;
      } else {
        return std::nullopt;
      }
    } else if (a == "--html") {
      if (!(o.html = value())) return std::nullopt;
    } else if (a == "--coo") {
      if (!number(o.coo)) return std::nullopt;
    } else if (a == "--from") {
      if (!number(o.from)) return std::nullopt;
    } else if (a == "--to") {
      if (!number(o.to)) return std::nullopt;
    } else if ((a.starts_with("--") && a != "-") || !o.target.empty()) {
      problem = "unexpected argument " + a;
      return std::nullopt;
    } else {
      o.target = a;
    }
  }
  if (o.command == "run" && o.target.empty()) {
    problem = "no script given";
    return std::nullopt;
  }
  if (o.coo && (o.from || o.to)) {
    problem = "--coo and --from/--to exclude each other";
    return std::nullopt;
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("");
  const std::string command = argv[1];
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (command == "ops") return ListOperations();
  if (command != "run" && command != "serve" && command != "tape" && command != "describe" &&
      command != "records")
    return Usage("unknown command " + command);
  std::string problem;
  const auto options = ParseOptions(argc, argv, problem);
  if (!options) return Usage(problem);
  if (command == "describe") return DescribeCommand(*options);
  if (command == "serve") return ServeCommand(*options);
  if (command == "tape") return TapeCommand(*options);
  if (command == "records") return RecordsCommand(*options);
  return RunCommand(*options);
}
