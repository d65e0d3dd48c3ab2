// The four entry points of the signer. Every failure is found before the file
// is touched, except a failed write, which File::AppendAll undoes.
#include <openssl/evp.h>
#include <openssl/rsa.h>

#include <cstring>
#include <exception>
#include <vector>

#include "ead.h"
#include "file.h"
#include "sign_bema.h"

namespace signer {
namespace {

constexpr size_t kReadPiece = 1 << 20;

struct MdCtxFree {
  void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
};
struct PkeyFree {
  void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
struct PkeyCtxFree {
  void operator()(EVP_PKEY_CTX* c) const { EVP_PKEY_CTX_free(c); }
};

// MD5 of the first `length` bytes of the file, then of `extra`. The file is
// read in pieces of 1 MiB, so a file of any size costs the same memory.
// EAD_OK or the failure's code.
int DigestFile(File& file, int64_t length, std::string_view extra,
               std::array<uint8_t, kDigestBytes>* digest) {
  std::unique_ptr<EVP_MD_CTX, MdCtxFree> ctx(EVP_MD_CTX_new());
  if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1) return EAD_ERR_CRYPTO;
  std::vector<char> piece(kReadPiece);
  for (int64_t offset = 0; offset < length;) {
    size_t want = static_cast<size_t>(std::min<int64_t>(length - offset, kReadPiece));
    int64_t got = file.ReadAt(offset, piece.data(), want);
    // A file cut short while it is read is a file that changed.
    if (got <= 0) return EAD_ERR_FILE;
    if (EVP_DigestUpdate(ctx.get(), piece.data(), static_cast<size_t>(got)) != 1)
      return EAD_ERR_CRYPTO;
    offset += got;
  }
  unsigned int size = 0;
  if (EVP_DigestUpdate(ctx.get(), extra.data(), extra.size()) != 1 ||
      EVP_DigestFinal_ex(ctx.get(), digest->data(), &size) != 1 || size != kDigestBytes) {
    return EAD_ERR_CRYPTO;
  }
  return EAD_OK;
}

// The last bytes of the file (see FindRecord); false on a read error.
bool ReadTail(File& file, int64_t size, std::string* tail) {
  int64_t length = std::min<int64_t>(size, kTailBytes);
  tail->assign(static_cast<size_t>(length), '\0');
  int64_t offset = size - length;
  for (int64_t done = 0; done < length;) {
    int64_t got = file.ReadAt(offset + done, tail->data() + done, length - done);
    if (got <= 0) return false;
    done += got;
  }
  return true;
}

// True when the open file is still the one `path` names and nothing wrote
// to it since `before` was taken: a digest of a file changed in place, or of
// one renamed over meanwhile, describes no file anyone will read.
bool Unchanged(File& file, const char* path, const Stamp& before) {
  Stamp now, named;
  return file.StampOf(&now) && now == before && File::StampAt(path, &named) &&
         named.device == before.device && named.inode == before.inode;
}

int Sign(const char* path, const char* privateExponent, const char* modulus, char* signature,
         int append) {
  if (path == nullptr) return EAD_ERR_ARGUMENT;
  std::optional<Key> key = ParsePrivateKey(privateExponent, modulus);
  if (!key) return EAD_ERR_KEY;
  std::unique_ptr<File> file = File::Open(path, append != 0);
  if (!file) return EAD_ERR_FILE;
  Stamp before;
  if (!file->StampOf(&before)) return EAD_ERR_FILE;
  int64_t size = before.size;
  std::string tail;
  if (size < 0 || !ReadTail(*file, size, &tail)) return EAD_ERR_FILE;
  // A second record would leave the first one inside the signed bytes: the
  // file would stop verifying under the signature already handed out.
  if (FindRecord(tail, size)) return EAD_ERR_ALREADY_SIGNED;

  std::string_view lineEnd = !tail.empty() && tail.back() != '\n' ? "\r\n" : "";
  std::array<uint8_t, kDigestBytes> digest{};
  if (int code = DigestFile(*file, size, lineEnd, &digest); code != EAD_OK) return code;
  if (!Unchanged(*file, path, before)) return EAD_ERR_FILE;
  std::optional<std::string> digits = SignBlock(SignedBlock(digest), *key);
  if (!digits) return EAD_ERR_CRYPTO;

  if (append != 0) {
    std::string record = std::string(lineEnd) + std::string(kRecordTag) + *digits + "\r\n";
    if (!file->AppendAll(size, record)) return EAD_ERR_WRITE;
  }
  if (signature != nullptr) std::memcpy(signature, digits->data(), digits->size());
  return EAD_OK;
}

int Validate(const char* path, const char* modulus, const char* publicExponent) {
  if (path == nullptr) return EAD_ERR_ARGUMENT;
  std::optional<Key> key = ParsePublicKey(modulus, publicExponent);
  if (!key) return EAD_ERR_KEY;
  std::unique_ptr<File> file = File::Open(path, false);
  if (!file) return EAD_ERR_FILE;
  Stamp before;
  if (!file->StampOf(&before)) return EAD_ERR_FILE;
  int64_t size = before.size;
  std::string tail;
  if (size < 0 || !ReadTail(*file, size, &tail)) return EAD_ERR_FILE;
  std::optional<Record> record = FindRecord(tail, size);
  if (!record) return EAD_NOT_SIGNED;
  std::array<uint8_t, kDigestBytes> digest{};
  if (int code = DigestFile(*file, record->offset, "", &digest); code != EAD_OK) return code;
  if (!Unchanged(*file, path, before)) return EAD_ERR_FILE;
  return BlockMatches(record->digits, SignedBlock(digest), *key) ? EAD_OK : EAD_NOT_SIGNED;
}

// Writes the number as hexadecimal, zero padded to `width` digits (0: an even
// count of digits), upper case, zero terminated.
bool WriteHex(const BIGNUM* n, size_t width, char* out) {
  std::vector<uint8_t> bytes(width > 0 ? width / 2 : static_cast<size_t>(BN_num_bytes(n)));
  if (BN_bn2binpad(n, bytes.data(), static_cast<int>(bytes.size())) < 0) return false;
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (uint8_t b : bytes) {
    *out++ = kHex[b >> 4];
    *out++ = kHex[b & 0x0F];
  }
  *out = '\0';
  return true;
}

int GenerateKey(char* modulus, char* publicExponent, char* privateExponent) {
  if (modulus == nullptr || publicExponent == nullptr || privateExponent == nullptr)
    return EAD_ERR_ARGUMENT;
  std::unique_ptr<EVP_PKEY_CTX, PkeyCtxFree> ctx(
      EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr));
  EVP_PKEY* made = nullptr;
  if (!ctx || EVP_PKEY_keygen_init(ctx.get()) != 1 ||
      EVP_PKEY_CTX_set_rsa_keygen_bits(ctx.get(), 1024) != 1 ||
      EVP_PKEY_generate(ctx.get(), &made) != 1) {
    return EAD_ERR_CRYPTO;
  }
  std::unique_ptr<EVP_PKEY, PkeyFree> pkey(made);
  BIGNUM *n = nullptr, *e = nullptr, *d = nullptr;
  EVP_PKEY_get_bn_param(pkey.get(), "n", &n);
  EVP_PKEY_get_bn_param(pkey.get(), "e", &e);
  EVP_PKEY_get_bn_param(pkey.get(), "d", &d);
  Bignum nHeld(n), eHeld(e), dHeld(d);
  if (!n || !e || !d || !WriteHex(n, kKeyDigits, modulus) || !WriteHex(e, 0, publicExponent) ||
      !WriteHex(d, kKeyDigits, privateExponent)) {
    return EAD_ERR_CRYPTO;
  }
  return EAD_OK;
}

// No exception may cross the C boundary into a host written in another
// language; only an allocation can throw here.
template <typename Operation>
int Guarded(Operation operation) {
  try {
    return operation();
  } catch (const std::exception&) {
    return EAD_ERR_CRYPTO;
  }
}

}  // namespace
}  // namespace signer

#define SIGNER_EXPORT extern "C" __attribute__((visibility("default")))

SIGNER_EXPORT int setLibType(int) {
  return EAD_OK;
}

SIGNER_EXPORT int genkkey(char* modulus, char* publicExponent, char* privateExponent) {
  return signer::Guarded(
      [&] { return signer::GenerateKey(modulus, publicExponent, privateExponent); });
}

SIGNER_EXPORT int generateEAD(const char* path, const char* privateExponent, const char* modulus,
                              char* signature, int append) {
  return signer::Guarded(
      [&] { return signer::Sign(path, privateExponent, modulus, signature, append); });
}

SIGNER_EXPORT int validateFile(const char* path, const char* modulus, const char* publicExponent) {
  return signer::Guarded([&] { return signer::Validate(path, modulus, publicExponent); });
}
