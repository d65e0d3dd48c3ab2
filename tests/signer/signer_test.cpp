// The signer against OpenSSL's own RSA operations: every record it makes must
// be what OpenSSL's raw private-key operation gives for the block, and must
// open to the block under OpenSSL's public-key operation. Failures leave the
// file byte for byte as it was.
#include <gtest/gtest.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/rsa.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sign_bema.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Hex(const std::vector<unsigned char>& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) out += {kHex[b >> 4], kHex[b & 15]};
  return out;
}

std::vector<unsigned char> Unhex(const std::string& hex) {
  std::vector<unsigned char> out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

// The 128-byte block the record must encode, computed here with OpenSSL's
// digest rather than the signer's.
std::vector<unsigned char> ExpectedBlock(const std::string& signedBytes) {
  std::vector<unsigned char> block(128, 0);
  block[0] = 0x10;
  unsigned int size = 0;
  EVP_Digest(signedBytes.data(), signedBytes.size(), block.data() + 1, &size, EVP_md5(), nullptr);
  return block;
}

// A fresh RSA-1024 key made by OpenSSL, with its parts as the signer takes them.
struct TestKey {
  EVP_PKEY* pkey = nullptr;
  std::string modulus, publicExponent, privateExponent;
};

std::string PartHex(EVP_PKEY* pkey, const char* name, size_t width) {
  BIGNUM* n = nullptr;
  EVP_PKEY_get_bn_param(pkey, name, &n);
  std::vector<unsigned char> bytes(width ? width : static_cast<size_t>(BN_num_bytes(n)));
  BN_bn2binpad(n, bytes.data(), static_cast<int>(bytes.size()));
  BN_free(n);
  return Hex(bytes);
}

class SignerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    key_.pkey = EVP_PKEY_Q_keygen(nullptr, nullptr, "RSA", static_cast<size_t>(1024));
    ASSERT_NE(key_.pkey, nullptr);
    key_.modulus = PartHex(key_.pkey, OSSL_PKEY_PARAM_RSA_N, 128);
    key_.publicExponent = PartHex(key_.pkey, OSSL_PKEY_PARAM_RSA_E, 0);
    key_.privateExponent = PartHex(key_.pkey, OSSL_PKEY_PARAM_RSA_D, 128);
  }
  static void TearDownTestSuite() { EVP_PKEY_free(key_.pkey); }

  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("signer-test-" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  int Sign(const fs::path& file, char* digits = nullptr, int append = 1) {
    return generateEAD(file.c_str(), key_.privateExponent.c_str(), key_.modulus.c_str(), digits,
                       append);
  }
  int Check(const fs::path& file) {
    return validateFile(file.c_str(), key_.modulus.c_str(), key_.publicExponent.c_str());
  }

  // OpenSSL's raw private-key operation on the block.
  static std::string OpenSslSign(const std::vector<unsigned char>& block) {
    EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new(key_.pkey, nullptr);
    std::vector<unsigned char> out(128);
    size_t size = out.size();
    EXPECT_EQ(EVP_PKEY_sign_init(ctx), 1);
    EXPECT_EQ(EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_NO_PADDING), 1);
    EXPECT_EQ(EVP_PKEY_sign(ctx, out.data(), &size, block.data(), block.size()), 1);
    EVP_PKEY_CTX_free(ctx);
    return Hex(out);
  }
  // OpenSSL's raw public-key operation on the record's digits.
  static std::vector<unsigned char> OpenSslOpen(const std::string& digits) {
    EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new(key_.pkey, nullptr);
    std::vector<unsigned char> in = Unhex(digits), out(128);
    size_t size = out.size();
    EXPECT_EQ(EVP_PKEY_verify_recover_init(ctx), 1);
    EXPECT_EQ(EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_NO_PADDING), 1);
    EXPECT_EQ(EVP_PKEY_verify_recover(ctx, out.data(), &size, in.data(), in.size()), 1);
    EVP_PKEY_CTX_free(ctx);
    return out;
  }

  static TestKey key_;
  fs::path folder_;
};

TestKey SignerTest::key_;

// Contents that end with and without a line feed, empty, binary, and longer
// than the signer's read piece (1 MiB), so the streamed digest crosses pieces.
TEST_F(SignerTest, RecordIsOpenSslsRawRsaOfTheDigestBlock) {
  std::string big(2 * 1024 * 1024 + 77, 'x');
  for (size_t i = 0; i < big.size(); i += 61) big[i] = '\n';
  const struct {
    const char* name;
    std::string content;
    std::string signedBytes;  // what the record must cover
  } cases[] = {
      {"ends with LF", "linha 1\nlinha 2\n", "linha 1\nlinha 2\n"},
      {"ends with CR LF", "linha\r\n", "linha\r\n"},
      {"no final line end", "sem fim", "sem fim\r\n"},
      {"empty", "", ""},
      {"binary", std::string("\0\xff\x10\r", 4), std::string("\0\xff\x10\r\r\n", 6)},
      {"EAD-like line inside", "EAD" + std::string(256, 'A') + "\r\nmore\n",
       "EAD" + std::string(256, 'A') + "\r\nmore\n"},
      {"large", big, big + "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = folder_ / "f.txt";
    WriteAll(file, c.content);
    char digits[257];
    std::memset(digits, ' ', 256);
    digits[256] = '\0';
    ASSERT_EQ(Sign(file, digits), EAD_OK);

    const std::string expected = OpenSslSign(ExpectedBlock(c.signedBytes));
    EXPECT_EQ(std::string(digits), expected);
    EXPECT_EQ(OpenSslOpen(expected), ExpectedBlock(c.signedBytes));
    const std::string after = ReadAll(file);
    EXPECT_EQ(after.size(), c.signedBytes.size() + 261);
    EXPECT_TRUE(after == c.signedBytes + "EAD" + expected + "\r\n") << "layout of the record";
    EXPECT_EQ(Check(file), EAD_OK);
  }
}

TEST_F(SignerTest, AnyChangedByteOrRecordStopsVerifying) {
  const fs::path file = folder_ / "f.txt";
  WriteAll(file, "LEITURA DA MEMORIA FISCAL\nCRZ:0001\n");
  ASSERT_EQ(Sign(file), EAD_OK);
  const std::string good = ReadAll(file);
  struct Change {
    const char* name;
    std::string bytes;
  };
  std::string flipped = good, badDigit = good;
  flipped[5] ^= 0x01;
  badDigit[good.size() - 3] = badDigit[good.size() - 3] == '0' ? '1' : '0';
  const Change changes[] = {{"a byte before the record", flipped},
                            {"a digit of the record", badDigit},
                            {"a line after the record", good + "x\n"},
                            {"the record cut short", good.substr(0, good.size() - 10)},
                            {"no record", "LEITURA DA MEMORIA FISCAL\nCRZ:0001\n"}};
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    WriteAll(file, c.bytes);
    EXPECT_EQ(Check(file), EAD_NOT_SIGNED);
  }
  WriteAll(file, good);
  EXPECT_EQ(Check(file), EAD_OK);
  // Another key does not open it.
  std::string otherModulus = key_.modulus;
  otherModulus[200] = otherModulus[200] == 'F' ? 'E' : 'F';
  EXPECT_NE(validateFile(file.c_str(), otherModulus.c_str(), key_.publicExponent.c_str()), EAD_OK);
}

TEST_F(SignerTest, RefusalsLeaveTheFileAsItWas) {
  const fs::path file = folder_ / "f.txt";
  const std::string content = "conteudo\n";
  std::string shortKey = key_.modulus.substr(1), longKey = key_.modulus + "0";
  std::string notHex = key_.modulus;
  notHex[10] = 'G';
  const struct {
    const char* name;
    const char* path;
    const char* exponent;
    const char* modulus;
    int code;
  } cases[] = {
      {"modulus of 255 digits", file.c_str(), key_.privateExponent.c_str(), shortKey.c_str(),
       EAD_ERR_KEY},
      {"modulus of 257 digits", file.c_str(), key_.privateExponent.c_str(), longKey.c_str(),
       EAD_ERR_KEY},
      {"not hexadecimal", file.c_str(), key_.privateExponent.c_str(), notHex.c_str(), EAD_ERR_KEY},
      {"no exponent", file.c_str(), nullptr, key_.modulus.c_str(), EAD_ERR_KEY},
      {"empty exponent", file.c_str(), "", key_.modulus.c_str(), EAD_ERR_KEY},
      {"no path", nullptr, key_.privateExponent.c_str(), key_.modulus.c_str(), EAD_ERR_ARGUMENT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(file, content);
    EXPECT_EQ(generateEAD(c.path, c.exponent, c.modulus, nullptr, 1), c.code);
    EXPECT_EQ(ReadAll(file), content);
  }

  EXPECT_EQ(Sign(folder_ / "missing.txt"), EAD_ERR_FILE);
  EXPECT_FALSE(fs::exists(folder_ / "missing.txt")) << "a missing file is not created";
  EXPECT_EQ(Sign(folder_), EAD_ERR_FILE) << "a folder";
  EXPECT_EQ(Check(folder_ / "missing.txt"), EAD_ERR_FILE);

  // Signed once: a second signature is refused and the first still holds.
  WriteAll(file, content);
  ASSERT_EQ(Sign(file), EAD_OK);
  const std::string signedOnce = ReadAll(file);
  EXPECT_EQ(Sign(file), EAD_ERR_ALREADY_SIGNED);
  EXPECT_EQ(ReadAll(file), signedOnce);
  EXPECT_EQ(Check(file), EAD_OK);
}

// A disk that fills up in the middle of the record: the write stops after a
// few bytes, and the file must be cut back to what it was.
TEST_F(SignerTest, WriteFailingHalfWayLeavesTheFileAsItWas) {
  const fs::path file = folder_ / "f.txt";
  const std::string content = "relatorio sem fim de linha";
  WriteAll(file, content);
  struct rlimit old {};
  getrlimit(RLIMIT_FSIZE, &old);
  auto previous = signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = old;
  limited.rlim_cur = content.size() + 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const int code = Sign(file);
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, previous);
  EXPECT_EQ(code, EAD_ERR_WRITE);
  EXPECT_EQ(ReadAll(file), content);
}

// A file written to in place (same size) or renamed over while it is read:
// the digest describes no file anyone will read, so signing and checking
// refuse, and the signer adds nothing to whatever the path holds.
TEST_F(SignerTest, FileChangedWhileReadIsRefused) {
  const fs::path file = folder_ / "f.txt";
  const std::string big(32 << 20, 'x');
  const struct {
    const char* name;
    std::function<void(int)> change;  // the n-th change
  } cases[] = {
      {"written in place",
       [&](int n) {
         std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
         f.seekp(n % 1000);
         f.put(static_cast<char>('a' + n % 26));
       }},
      {"renamed over",
       [&](int n) {
         // Two copies take turns under the name: each is as long to read.
         fs::create_hard_link(folder_ / (n % 2 ? "a" : "b"), folder_ / "link");
         fs::rename(folder_ / "link", file);
       }},
  };
  for (const auto& c : cases) {
    for (const bool signing : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (signing ? ", signing" : ", checking"));
      WriteAll(file, big);
      if (!signing) {
        ASSERT_EQ(Sign(file), EAD_OK);
      }
      fs::remove(folder_ / "a");
      fs::remove(folder_ / "b");
      fs::copy_file(file, folder_ / "a");
      fs::copy_file(file, folder_ / "b");
      // The changes start before the call and go on until it returns, so
      // they fall while the file is read, whatever the machine's speed.
      std::atomic<bool> done{false}, started{false};
      std::thread changer([&] {
        for (int n = 0; !done; ++n) {
          c.change(n);
          started = true;
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
      });
      while (!started) std::this_thread::yield();
      const int code = signing ? Sign(file) : Check(file);
      done = true;
      changer.join();
      EXPECT_EQ(code, EAD_ERR_FILE);
      if (signing) {
        for (const char* name : {"f.txt", "a", "b"})
          EXPECT_EQ(ReadAll(folder_ / name).find("EAD"), std::string::npos) << name;
      }
    }
  }
}

TEST_F(SignerTest, GeneratedKeyPairSignsAndVerifies) {
  char modulus[257], publicExponent[257], privateExponent[257];
  ASSERT_EQ(genkkey(modulus, publicExponent, privateExponent), EAD_OK);
  EXPECT_EQ(std::strlen(modulus), 256u);
  EXPECT_EQ(std::strlen(privateExponent), 256u);
  EXPECT_STREQ(publicExponent, "010001");
  EXPECT_EQ(setLibType(1), EAD_OK);
  const fs::path file = folder_ / "f.txt";
  WriteAll(file, "x\n");
  ASSERT_EQ(generateEAD(file.c_str(), privateExponent, modulus, nullptr, 1), EAD_OK);
  EXPECT_EQ(validateFile(file.c_str(), modulus, publicExponent), EAD_OK);
  // Computing without appending leaves the file alone.
  WriteAll(file, "y\n");
  char digits[256];
  ASSERT_EQ(generateEAD(file.c_str(), privateExponent, modulus, digits, 0), EAD_OK);
  EXPECT_EQ(ReadAll(file), "y\n");
}

}  // namespace
