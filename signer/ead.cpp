// The EAD block and the raw RSA operations on it. The record is made with
// no padding scheme (the fiscal standard's layout is the block itself), so
// the operation is a plain modular exponentiation: BIGNUM's constant-time
// Montgomery exponentiation for the private key, which keeps the exponent's
// bits out of the timing.
#include "ead.h"

#include <cctype>
#include <cstring>

namespace signer {
namespace {

struct BnCtxFree {
  void operator()(BN_CTX* c) const { BN_CTX_free(c); }
};
using BnCtx = std::unique_ptr<BN_CTX, BnCtxFree>;

bool IsHexText(std::string_view text) {
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// 1 < exponent < modulus, and the modulus exactly 1024 bits and odd (an RSA
// modulus is the product of two odd primes).
bool KeyIsUsable(const Key& key) {
  return BN_num_bits(key.modulus.get()) == 1024 && BN_is_odd(key.modulus.get()) &&
         !BN_is_zero(key.exponent.get()) && !BN_is_one(key.exponent.get()) &&
         BN_cmp(key.exponent.get(), key.modulus.get()) < 0;
}

}  // namespace

Bignum ParseHex(const char* text, size_t minDigits, size_t maxDigits) {
  if (text == nullptr) return nullptr;
  std::string_view digits(text, strnlen(text, maxDigits + 1));
  if (digits.size() < minDigits || digits.size() > maxDigits || !IsHexText(digits)) return nullptr;
  BIGNUM* n = nullptr;
  if (BN_hex2bn(&n, std::string(digits).c_str()) != static_cast<int>(digits.size())) {
    BN_free(n);
    return nullptr;
  }
  return Bignum(n);
}

std::optional<Key> ParsePrivateKey(const char* privateExponent, const char* modulus) {
  Key key{ParseHex(modulus, kKeyDigits, kKeyDigits),
          ParseHex(privateExponent, kKeyDigits, kKeyDigits)};
  if (!key.modulus || !key.exponent || !KeyIsUsable(key)) return std::nullopt;
  BN_set_flags(key.exponent.get(), BN_FLG_CONSTTIME);
  return key;
}

std::optional<Key> ParsePublicKey(const char* modulus, const char* publicExponent) {
  Key key{ParseHex(modulus, kKeyDigits, kKeyDigits), ParseHex(publicExponent, 1, kKeyDigits)};
  if (!key.modulus || !key.exponent || !KeyIsUsable(key)) return std::nullopt;
  return key;
}

std::array<uint8_t, kBlockBytes> SignedBlock(const std::array<uint8_t, kDigestBytes>& digest) {
  std::array<uint8_t, kBlockBytes> block{};
  block[0] = 0x10;
  std::memcpy(block.data() + 1, digest.data(), digest.size());
  return block;
}

std::optional<std::string> SignBlock(const std::array<uint8_t, kBlockBytes>& block,
                                     const Key& key) {
  BnCtx ctx(BN_CTX_new());
  Bignum message(BN_bin2bn(block.data(), block.size(), nullptr));
  Bignum signature(BN_new());
  // The block starts with 0x10 and the modulus with a set top bit, so the
  // block is always below the modulus.
  if (!ctx || !message || !signature ||
      BN_mod_exp_mont_consttime(signature.get(), message.get(), key.exponent.get(),
                                key.modulus.get(), ctx.get(), nullptr) != 1) {
    return std::nullopt;
  }
  std::array<uint8_t, kBlockBytes> bytes{};
  if (BN_bn2binpad(signature.get(), bytes.data(), bytes.size()) != static_cast<int>(bytes.size()))
    return std::nullopt;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  digits.reserve(kKeyDigits);
  for (uint8_t b : bytes) {
    digits += kHex[b >> 4];
    digits += kHex[b & 0x0F];
  }
  return digits;
}

bool BlockMatches(std::string_view digits, const std::array<uint8_t, kBlockBytes>& block,
                  const Key& key) {
  Bignum signature = ParseHex(std::string(digits).c_str(), kKeyDigits, kKeyDigits);
  BnCtx ctx(BN_CTX_new());
  Bignum recovered(BN_new());
  if (!signature || !ctx || !recovered || BN_cmp(signature.get(), key.modulus.get()) >= 0 ||
      BN_mod_exp(recovered.get(), signature.get(), key.exponent.get(), key.modulus.get(),
                 ctx.get()) != 1) {
    return false;
  }
  std::array<uint8_t, kBlockBytes> bytes{};
  return BN_bn2binpad(recovered.get(), bytes.data(), bytes.size()) ==
             static_cast<int>(bytes.size()) &&
         bytes == block;
}

std::optional<Record> FindRecord(std::string_view tail, int64_t size) {
  const int64_t tailStart = size - static_cast<int64_t>(tail.size());
  std::string_view text = tail;
  if (text.ends_with('\n')) text.remove_suffix(1);
  if (text.ends_with('\r')) text.remove_suffix(1);
  if (text.size() < kRecordLineBytes) return std::nullopt;
  const size_t start = text.size() - kRecordLineBytes;
  // The record is a whole line: it begins the file or follows a line feed.
  // The tail is long enough to hold that line feed whenever one can exist.
  const bool lineStart = start > 0 ? text[start - 1] == '\n' : tailStart == 0;
  std::string_view line = text.substr(start);
  if (!lineStart || !line.starts_with(kRecordTag)) return std::nullopt;
  std::string_view digits = line.substr(kRecordTag.size());
  if (!IsHexText(digits)) return std::nullopt;
  return Record{tailStart + static_cast<int64_t>(start), digits};
}

}  // namespace signer
