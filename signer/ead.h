// The EAD record: its layout, the signed block, and the RSA operations on it
// (OpenSSL BIGNUM), apart from any file so that each piece can be tested.
#ifndef SIGNER_EAD_H_
#define SIGNER_EAD_H_

#include <openssl/bn.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace signer {

constexpr size_t kKeyDigits = 256;   // a 1024-bit number in hexadecimal
constexpr size_t kBlockBytes = 128;  // the RSA-1024 block
constexpr size_t kDigestBytes = 16;  // MD5
constexpr std::string_view kRecordTag = "EAD";
constexpr size_t kRecordLineBytes = 3 + kKeyDigits;  // without its line end

struct BignumFree {
  void operator()(BIGNUM* n) const { BN_clear_free(n); }
};
using Bignum = std::unique_ptr<BIGNUM, BignumFree>;

// Reads a hexadecimal text (either case) of `minDigits` to `maxDigits` digits
// and nothing else; nullptr for anything else or a null text.
Bignum ParseHex(const char* text, size_t minDigits, size_t maxDigits);

// The keys the entry points accept: a 1024-bit modulus and an exponent
// between 1 and the modulus. The private exponent is marked for
// constant-time use.
struct Key {
  Bignum modulus, exponent;
};
std::optional<Key> ParsePrivateKey(const char* privateExponent, const char* modulus);
std::optional<Key> ParsePublicKey(const char* modulus, const char* publicExponent);

// 0x10, the digest, then zeros to 128 bytes.
std::array<uint8_t, kBlockBytes> SignedBlock(const std::array<uint8_t, kDigestBytes>& digest);

// The record's 256 upper-case digits: block ^ private exponent mod modulus;
// nullopt when OpenSSL fails.
std::optional<std::string> SignBlock(const std::array<uint8_t, kBlockBytes>& block, const Key& key);
// True when digits ^ public exponent mod modulus is the block.
bool BlockMatches(std::string_view digits, const std::array<uint8_t, kBlockBytes>& block,
                  const Key& key);

// The EAD record that is the last line of a file, found from the file's last
// bytes: `tail` holds the last min(size, kTailBytes) bytes of a file of
// `size` bytes. A record may end with CR LF, LF or nothing.
constexpr size_t kTailBytes = kRecordLineBytes + 4;
struct Record {
  int64_t offset;           // where the record line starts: the signed bytes end here
  std::string_view digits;  // into `tail`
};
std::optional<Record> FindRecord(std::string_view tail, int64_t size);

}  // namespace signer

#endif  // SIGNER_EAD_H_
