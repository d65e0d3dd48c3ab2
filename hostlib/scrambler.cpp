// Cripto and Uncripto: a reversible, printable scrambling of stored texts.
//
// Each byte is XORed with a key stream (splitmix64 seeded with the key and
// the byte's position) and with the previous scrambled byte, so equal bytes
// and equal prefixes under different keys look different. The bytes are then
// written 6 bits to a character in a 64-character printable alphabet.
#include <array>
#include <cstdint>
#include <string>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

uint8_t StreamByte(int key, size_t position) {
  uint64_t z = (static_cast<uint64_t>(static_cast<uint32_t>(key)) << 32) ^ position;
  z += 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return static_cast<uint8_t>(z >> 56);
}

std::string Encode(const std::string& bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  uint32_t bits = 0;
  int count = 0;
  for (unsigned char byte : bytes) {
    bits = (bits << 8) | byte;
    count += 8;
    while (count >= 6) {
      count -= 6;
      text += kAlphabet[(bits >> count) & 0x3F];
    }
  }
  if (count > 0) text += kAlphabet[(bits << (6 - count)) & 0x3F];
  return text;
}

std::string Decode(std::string_view text) {
  std::array<int, 256> value{};
  value.fill(-1);
  for (int i = 0; i < 64; ++i) value[static_cast<unsigned char>(kAlphabet[i])] = i;

  std::string bytes;
  uint32_t bits = 0;
  int count = 0;
  for (unsigned char c : text) {
    int sextet = value[c];
    if (sextet < 0) continue;  // not ours: skipped
    bits = (bits << 6) | static_cast<uint32_t>(sextet);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return bytes;  // trailing bits of an incomplete byte are padding
}

}  // namespace

std::string Cripto(std::string_view text, int key) {
  std::string bytes(text);
  uint8_t previous = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    uint8_t scrambled = static_cast<uint8_t>(bytes[i]) ^ StreamByte(key, i) ^ previous;
    bytes[i] = static_cast<char>(scrambled);
    previous = scrambled;
  }
  return Encode(bytes);
}

std::string Uncripto(std::string_view text, int key) {
  std::string bytes = Decode(text);
  uint8_t previous = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    uint8_t scrambled = static_cast<uint8_t>(bytes[i]);
    bytes[i] = static_cast<char>(scrambled ^ StreamByte(key, i) ^ previous);
    previous = scrambled;
  }
  return bytes;
}

}  // namespace Tov00300::hostlib
