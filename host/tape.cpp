// `ecfhost tape`: documents from the printer's detail memory, read back by
// COO through the driver's detail-memory download, printed as text or
// written as a receipt-shaped HTML page.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "commands.h"
#include "tape_html.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace ecfhost {

namespace {

// The download file: "TOVMFD01", then one record per document framed as
// length (4) + CRC-32 (4) + payload; the payload holds the COO (8), the kind
// (1), the time in civil seconds (8) and the printed text (length 4 + bytes),
// little-endian.
class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  bool Done() const { return at_ >= bytes_.size(); }
  bool Skip(size_t n) { return (at_ += n) <= bytes_.size(); }
  std::optional<uint64_t> Number(size_t width) {
    if (bytes_.size() - at_ < width || at_ > bytes_.size()) return std::nullopt;
    uint64_t v = 0;
    for (size_t i = 0; i < width; ++i)
      v |= static_cast<uint64_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    at_ += width;
    return v;
  }
  std::optional<std::string> Bytes(size_t n) {
    if (at_ > bytes_.size() || bytes_.size() - at_ < n) return std::nullopt;
    std::string out = bytes_.substr(at_, n);
    at_ += n;
    return out;
  }

 private:
  const std::string& bytes_;
  size_t at_ = 0;
};

std::optional<std::vector<TapeDocument>> Decode(const std::string& bytes) {
  if (bytes.compare(0, 8, "TOVMFD01") != 0) return std::nullopt;
  Reader in(bytes);
  in.Skip(8);
  std::vector<TapeDocument> docs;
  while (!in.Done()) {
    const auto length = in.Number(4);
    if (!length || !in.Skip(4)) return std::nullopt;  // the CRC: the file is fresh
    const auto payload = in.Bytes(*length);
    if (!payload) return std::nullopt;
    Reader record(*payload);
    const auto coo = record.Number(8), kind = record.Number(1), time = record.Number(8),
               size = record.Number(4);
    if (!coo || !kind || !time || !size) return std::nullopt;
    const auto text = record.Bytes(*size);
    if (!text) return std::nullopt;
    docs.push_back({static_cast<int64_t>(*coo), static_cast<int>(*kind),
                    static_cast<int64_t>(*time), Tov00300::Cp1252ToUtf8(*text)});
  }
  return docs;
}

}  // namespace

int TapeCommand(const Options& o) {
  if (!PrepareHostFolder(o)) return kBadUse;
  if (!Tov00300::StartImpFiscal_FrameWork()) {
    std::cerr << "ecfhost: " << Tov00300::LastBindingError() << "\n";
    return 1;
  }
  const long from = o.coo ? *o.coo : o.from.value_or(1);
  const long to = o.coo ? *o.coo : o.to.value_or(999999);
  const std::string file =
      Tov00300::platform::JoinPath(Tov00300::platform::HostFolder(), ".ecfhost-tape.bin");
  // The printer answers only the process that holds its port.
  if (Tov00300::eAbrirSerial_Daruma("COM1", "115200") == -107) {
    std::cerr << "ecfhost: the printer's port is in use by another process\n";
    return 1;
  }
  const int code = Tov00300::rEfetuarDownloadMFD_ECF_Daruma(
      "COO", std::to_string(from).c_str(), std::to_string(to).c_str(), file.c_str());
  Tov00300::eFecharSerial_Daruma();
  const auto bytes = Tov00300::platform::ReadFile(file);
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  if (code != 1 || !bytes) {
    std::cerr << "ecfhost: the printer has no document with COO " << from
              << (from != to ? " to " + std::to_string(to) : "") << " (driver code " << code
              << ")\n";
    return 1;
  }
  const auto docs = Decode(*bytes);
  if (!docs) {
    std::cerr << "ecfhost: the detail-memory download is damaged\n";
    return 1;
  }
  if (o.html) {
    std::ofstream out(*o.html, std::ios::binary);
    out << TapeHtml(*docs);
    if (!out.flush()) {
      std::cerr << "ecfhost: cannot write " << *o.html << "\n";
      return 1;
    }
    std::cout << std::filesystem::absolute(*o.html).string() << "\n";
    return 0;
  }
  for (const TapeDocument& doc : *docs) std::cout << doc.text << "\n";
  return 0;
}

}  // namespace ecfhost
