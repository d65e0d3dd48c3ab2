// `ecfhost serve`: one session, one printer, answering JSON-lines requests
// (request.h) in the order they arrive, from standard input and (with
// --listen) from TCP clients on the loopback interface.
//
// What the service trusts: whoever can write to its standard input (the
// operator who started it) and every program on this machine that can
// connect to the loopback port, or, with --token/--token-file, every
// program that presents the token. They may run the package's operations;
// file paths they hand the package must lie inside the host folder, and
// the printer-control commands ("sim", "driver") are refused unless the
// service was started with --allow-printer-control. Nothing a client sends
// may stop the service or hold up the other clients: a request that is not
// a call is answered with an error, and a TCP client that does not read its
// replies is dropped once they pile up (standard input is only paused).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
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
#include "request.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace ecfhost {

namespace {

// A request longer than this is refused and its connection closed: nothing a
// client sends may make the service hold unbounded memory.
constexpr size_t kMaxRequest = 4 * 1024 * 1024;
// Replies a TCP client has not read yet, at most. A client that lets more
// pile up does not read: it is dropped, so that it never holds up the others.
constexpr size_t kMaxUnread = 8 * 1024 * 1024;
// Standard input belongs to the operator who started the service: while this
// much of its replies waits for standard output, no more of its requests
// are read, and nothing is dropped.
constexpr size_t kPauseStandardInput = 1024 * 1024;
constexpr size_t kMaxClients = 32;
// How long the replies written at "quit" may take to drain.
constexpr int kDrainMilliseconds = 2000;

struct Peer {
  int in, out;
  bool tcp;
  std::string input;   // bytes read, not yet a whole line
  std::string output;  // replies not yet written, from `written` on
  size_t written = 0;
  bool inputClosed = false;
  bool closeAfterOutput = false;  // refused: ends once its last reply is written

  size_t Unread() const { return output.size() - written; }
};

// Whether standard output takes more without blocking. It may be a pipe,
// which poll calls writable when it takes at least PIPE_BUF bytes.
bool Writable(int fd) {
  pollfd p{fd, POLLOUT, 0};
  return poll(&p, 1, 0) > 0 && (p.revents & POLLOUT);
}

// Hands the peer's pending replies to the system as far as it takes them
// without blocking; false when the other side is gone.
bool Flush(Peer& peer) {
  while (peer.Unread() > 0) {
    const char* data = peer.output.data() + peer.written;
    ssize_t n;
    if (peer.tcp) {
      n = send(peer.out, data, peer.Unread(), MSG_DONTWAIT | MSG_NOSIGNAL);
    } else {
      if (!Writable(peer.out)) return true;
      n = write(peer.out, data, std::min<size_t>(peer.Unread(), PIPE_BUF));
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    if (n <= 0) return false;
    peer.written += static_cast<size_t>(n);
  }
  if (peer.written == peer.output.size()) {
    peer.output.clear();
    peer.written = 0;
  } else if (peer.written > kMaxUnread) {
    // Drop what is written now and then, so the buffer never grows with
    // everything the client ever received.
    peer.output.erase(0, peer.written);
    peer.written = 0;
  }
  return true;
}

// Opens the listening socket. Only loopback addresses are accepted: the
// service drives a fiscal printer and trusts the programs of this machine
// (or those holding its token), never the network.
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

// The token TCP clients must send: --token, or the first line of
// --token-file. Empty when neither is given.
bool LoadToken(const Options& o, std::string& token, std::string& problem) {
  if (o.token && o.tokenFile) {
    problem = "--token and --token-file exclude each other";
    return false;
  }
  if (o.token) token = *o.token;
  if (o.tokenFile) {
    const auto text = Tov00300::platform::ReadFile(*o.tokenFile);
    if (!text) {
      problem = "cannot read the token file " + *o.tokenFile;
      return false;
    }
    token = text->substr(0, text->find_first_of("\r\n"));
  }
  if ((o.token || o.tokenFile) && token.empty()) {
    problem = "the token is empty";
    return false;
  }
  return true;
}

class Service {
 public:
  Service() : till_({}), runner_(till_) { till_.Install(); }

  // The reply to one request line; `quit` is set by a quit request and
  // `refusedClient` when the line did not carry the service's token.
  Json Answer(const std::string& line, const RequestRules& rules, bool& quit, bool& refusedClient) {
    Request request;
    try {
      request = ParseRequest(line, rules);
    } catch (const RequestError& e) {
      refusedClient = !rules.token.empty() && e.tokenMissing;
      return RefusalReply(e);
    }
    Json reply = {{"id", request.id}, {"op", request.op}};
    if (request.op == "quit") {
      quit = true;
      reply["result"] = true;
      return reply;
    }
    if (request.op == "status") {
      reply["result"] = PrinterStatus();
      return reply;
    }
    till_.AddAnswers(request.answers);
    const Json record = runner_.Execute(request.call);
    for (const auto& item : record.items())
      if (item.key() != "op") reply[item.key()] = item.value();
    return reply;
  }

 private:
  Operator till_;
  CallRunner runner_;
};

class Server {
 public:
  Server(int listener, RequestRules tcpRules)
      : listener_(listener), tcpRules_(std::move(tcpRules)), stdinRules_(tcpRules_) {
    // Standard input belongs to whoever started the service: no token.
    stdinRules_.token.clear();
    peers_[STDIN_FILENO] = Peer{STDIN_FILENO, STDOUT_FILENO, false, {}, {}};
  }

  void Run() {
    while (!quit_ && (listener_ >= 0 || !peers_.empty())) {
      std::vector<pollfd> fds;
      if (listener_ >= 0) fds.push_back({listener_, POLLIN, 0});
      for (const auto& [key, peer] : peers_) {
        const bool reading = !peer.inputClosed && !peer.closeAfterOutput &&
                             (peer.tcp || peer.Unread() < kPauseStandardInput);
        const short want = peer.Unread() > 0 ? POLLOUT : 0;
        if (peer.in == peer.out) {
          fds.push_back({peer.in, static_cast<short>((reading ? POLLIN : 0) | want), 0});
        } else {
          if (reading) fds.push_back({peer.in, POLLIN, 0});
          if (want) fds.push_back({peer.out, want, 0});
        }
      }
      if (poll(fds.data(), fds.size(), -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      for (const pollfd& p : fds) {
        if (quit_) break;
        if (p.revents == 0) continue;
        if (p.fd == listener_) {
          Accept();
          continue;
        }
        auto found = FindPeer(p.fd);
        if (found == peers_.end()) continue;
        Peer& peer = found->second;
        bool gone = false;
        if ((p.revents & POLLOUT) || (p.fd == peer.out && (p.revents & (POLLERR | POLLHUP))))
          gone = !Flush(peer);
        if (!gone && p.fd == peer.in && (p.revents & (POLLIN | POLLHUP | POLLERR)))
          gone = !Read(peer);
        if (gone || Finished(peer)) Drop(found->first);
      }
    }
    Drain();
    for (const auto& [key, peer] : peers_)
      if (peer.tcp) close(peer.in);
    if (listener_ >= 0) close(listener_);
  }

 private:
  std::map<int, Peer>::iterator FindPeer(int fd) {
    for (auto it = peers_.begin(); it != peers_.end(); ++it)
      if (it->second.in == fd || it->second.out == fd) return it;
    return peers_.end();
  }

  void Accept() {
    const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    if (peers_.size() > kMaxClients) {
      close(client);
      return;
    }
    peers_[client] = Peer{client, client, true, {}, {}};
  }

  // Reads what the peer sent and answers its whole lines; false when the
  // peer must go (it does not read its replies, or its connection failed).
  bool Read(Peer& peer) {
    char buffer[65536];
    const ssize_t n = read(peer.in, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
    if (n < 0) return false;
    if (n == 0) {
      peer.inputClosed = true;
      // A last request without its line feed.
      if (peer.input.find_first_not_of(" \t\r") != std::string::npos) peer.input += '\n';
    }
    peer.input.append(buffer, static_cast<size_t>(n));
    const RequestRules& rules = peer.tcp ? tcpRules_ : stdinRules_;
    size_t start = 0;
    for (size_t end; !quit_ && !peer.closeAfterOutput &&
                     (end = peer.input.find('\n', start)) != std::string::npos;
         start = end + 1) {
      const std::string line = peer.input.substr(start, end - start);
      if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
      bool refused = false;
      Json reply;
      try {
        reply = service_.Answer(line, rules, quit_, refused);
      } catch (const std::exception& e) {
        // Nothing a request holds may end the service.
        reply = {{"id", nullptr}, {"error", Tov00300::Cp1252ToUtf8(e.what())}};
      }
      if (!Queue(peer, reply)) return false;
      peer.closeAfterOutput = refused;
    }
    peer.input.erase(0, start);
    if (peer.input.size() > kMaxRequest) {
      peer.input.clear();
      peer.closeAfterOutput = true;
      if (!Queue(peer, {{"id", nullptr}, {"error", "request longer than 4 MB"}})) return false;
    }
    return Flush(peer);
  }

  // Adds a reply to the peer's output; false when a TCP client has left too
  // much unread and must be dropped.
  bool Queue(Peer& peer, const Json& reply) {
    std::ostringstream line;
    PrintJsonLine(line, reply);
    peer.output += line.str();
    if (!peer.tcp || peer.Unread() <= kMaxUnread) return true;
    std::cerr << "ecfhost: a client was dropped: it does not read its replies" << std::endl;
    return false;
  }

  static bool Finished(const Peer& peer) {
    return (peer.inputClosed || peer.closeAfterOutput) && peer.Unread() == 0;
  }

  void Drop(int key) {
    const auto found = peers_.find(key);
    if (found == peers_.end()) return;
    if (found->second.tcp) close(found->second.in);
    peers_.erase(found);
  }

  // After "quit": the replies written so far reach their clients, within a
  // bound.
  void Drain() {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kDrainMilliseconds);
    for (auto& [key, peer] : peers_) {
      while (peer.Unread() > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{peer.out, POLLOUT, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0 || !Flush(peer))
          break;
      }
    }
  }

  int listener_;
  RequestRules tcpRules_, stdinRules_;
  std::map<int, Peer> peers_;  // by input descriptor
  Service service_;
  bool quit_ = false;
};

}  // namespace

int ServeCommand(const Options& o) {
  std::signal(SIGPIPE, SIG_IGN);
  RequestRules rules;
  std::string problem;
  if (!LoadToken(o, rules.token, problem)) {
    std::cerr << "ecfhost: " << problem << "\n";
    return kBadUse;
  }
  if (!PrepareHostFolder(o)) return kBadUse;
  rules.policy.printerControl = o.allowPrinterControl;
  rules.policy.confineTo = Tov00300::platform::HostFolder();
  if (o.locale)
    Tov00300::GlobalFormatSettings() = Tov00300::FormatSettings::FromLocaleName(*o.locale);
  int listener = -1;
  if (o.listen) {
    listener = Listen(*o.listen, problem);
    if (listener < 0) {
      std::cerr << "ecfhost: " << problem << "\n";
      return kBadUse;
    }
  }
  Server(listener, std::move(rules)).Run();
  return 0;
}

}  // namespace ecfhost
