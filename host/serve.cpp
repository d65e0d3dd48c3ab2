// `ecfhost serve`: one session, one printer, answering JSON-lines requests
// in the order they arrive, from standard input and (with --listen) from TCP
// clients on the loopback interface. A request is a script call with an
// "id" (and optionally "answers" for the operator's questions and
// "lenient"); the reply is the call's record with the same "id".
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

#include "call_runner.h"
#include "commands.h"
#include "output.h"
#include "printer_status.h"
#include "tov00300/format.h"

namespace ecfhost {

namespace {

// A request longer than this is refused and its connection closed: nothing a
// client sends may make the service hold unbounded memory.
constexpr size_t kMaxRequest = 4 * 1024 * 1024;

struct Peer {
  int in, out;
  std::string pending;
};

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = fd == STDOUT_FILENO
                          ? write(fd, text.data() + done, text.size() - done)
                          : send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Opens the listening socket. Only loopback addresses are accepted: the
// service drives a fiscal printer and has no authentication of its own.
int Listen(const std::string& address, std::string& problem) {
  const size_t colon = address.rfind(':');
  std::string host = colon == std::string::npos ? "" : address.substr(0, colon);
  const std::string portText = colon == std::string::npos ? address : address.substr(colon + 1);
  if (host == "localhost") host = "127.0.0.1";
  in_addr ip{};
  char* end = nullptr;
  const long port = std::strtol(portText.c_str(), &end, 10);
  if (inet_pton(AF_INET, host.c_str(), &ip) != 1 || (ntohl(ip.s_addr) >> 24) != 127 ||
      portText.empty() || *end != '\0' || port < 0 || port > 65535) {
    problem = "--listen takes a loopback address 127.0.0.1:PORT, got " + address;
    return -1;
  }
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int yes = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_addr = ip;
  where.sin_port = htons(static_cast<uint16_t>(port));
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
      listen(fd, 8) != 0) {
    problem = "cannot listen on " + address + ": " + std::strerror(errno);
    if (fd >= 0) close(fd);
    return -1;
  }
  socklen_t length = sizeof where;
  getsockname(fd, reinterpret_cast<sockaddr*>(&where), &length);
  // Port 0 picks a free port: say which, so a client can connect.
  std::cerr << "ecfhost: listening on " << host << ":" << ntohs(where.sin_port) << std::endl;
  return fd;
}

class Service {
 public:
  Service() : till_({}), runner_(till_) { till_.Install(); }

  // The reply to one request line; `quit` is set by a quit request.
  Json Answer(const std::string& line, bool& quit) {
    Json request;
    try {
      request = Json::parse(line);
    } catch (const Json::parse_error& e) {
      return {{"id", nullptr}, {"error", std::string("not valid JSON: ") + e.what()}};
    }
    if (!request.is_object())
      return {{"id", nullptr}, {"error", "a request is an object {\"id\", \"op\", \"args\"}"}};
    const Json id = request.value("id", Json(nullptr));
    const std::string op = request.value("op", "");
    Json reply = {{"id", id}, {"op", op}};
    if (op == "quit") {
      quit = true;
      reply["result"] = true;
      return reply;
    }
    if (op == "status") {
      reply["result"] = PrinterStatus();
      return reply;
    }
    try {
      const bool lenient = request.value("lenient", false);
      if (request.contains("answers")) till_.AddAnswers(AnswersIn(request["answers"]));
      for (const char* key : {"id", "answers", "lenient"}) request.erase(key);
      ScriptCall call = PrepareCall(request, "request", lenient);
      const Json record = runner_.Execute(call);
      for (const auto& item : record.items())
        if (item.key() != "op") reply[item.key()] = item.value();
    } catch (const std::exception& e) {
      reply["error"] = e.what();
      reply["refused"] = true;
    }
    return reply;
  }

 private:
  Operator till_;
  CallRunner runner_;
};

}  // namespace

int ServeCommand(const Options& o) {
  std::signal(SIGPIPE, SIG_IGN);
  try {
    PrepareHostFolder(o);
  } catch (const std::exception& e) {
    std::cerr << "ecfhost: " << e.what() << "\n";
    return kBadUse;
  }
  if (o.locale)
    Tov00300::GlobalFormatSettings() = Tov00300::FormatSettings::FromLocaleName(*o.locale);
  int listener = -1;
  if (o.listen) {
    std::string problem;
    listener = Listen(*o.listen, problem);
    if (listener < 0) {
      std::cerr << "ecfhost: " << problem << "\n";
      return kBadUse;
    }
  }
  Service service;
  std::map<int, Peer> peers;  // by input descriptor
  peers[STDIN_FILENO] = {STDIN_FILENO, STDOUT_FILENO, ""};
  bool quit = false;
  while (!quit && (listener >= 0 || !peers.empty())) {
    std::vector<pollfd> fds;
    if (listener >= 0) fds.push_back({listener, POLLIN, 0});
    for (const auto& [fd, peer] : peers) fds.push_back({fd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (const pollfd& p : fds) {
      if (quit || !(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
      if (p.fd == listener) {
        const int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) peers[client] = {client, client, ""};
        continue;
      }
      Peer& peer = peers[p.fd];
      char buffer[65536];
      const ssize_t n = read(p.fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      bool closed = n <= 0;
      if (!closed) peer.pending.append(buffer, static_cast<size_t>(n));
      for (size_t end; !quit && (end = peer.pending.find('\n')) != std::string::npos;) {
        const std::string line = peer.pending.substr(0, end);
        peer.pending.erase(0, end + 1);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::ostringstream reply;
        PrintJsonLine(reply, service.Answer(line, quit));
        if (!WriteAll(peer.out, reply.str())) closed = true;
      }
      if (peer.pending.size() > kMaxRequest) {
        std::ostringstream reply;
        PrintJsonLine(reply, {{"id", nullptr}, {"error", "request longer than 4 MB"}});
        WriteAll(peer.out, reply.str());
        closed = true;
      }
      if (closed) {
        if (p.fd != STDIN_FILENO) close(p.fd);
        peers.erase(p.fd);
      }
    }
  }
  for (const auto& [fd, peer] : peers)
    if (fd != STDIN_FILENO) close(fd);
  if (listener >= 0) close(listener);
  return 0;
}

}  // namespace ecfhost
