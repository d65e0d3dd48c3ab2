// The C boundary's texts, buffers, last error and guard.
#include "exports_boundary.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

#include "tov00300/format.h"
#include "tov00300/session.h"

namespace Tov00300::boundary {
namespace {

std::atomic<bool> utf8Texts{false};

struct LastError {
  TovError code = TOV_OK;
  std::string text;  // UTF-8
  int needed = 0;
};

LastError& ThreadError() {
  thread_local LastError error;
  return error;
}

// The length of the UTF-8 sequence a lead byte starts (0 for a byte that
// cannot start one).
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

// Why a host text cannot be kept in Windows-1252: the first byte that is not
// UTF-8, or the first character Windows-1252 has no byte for.
std::string WhyNotCp1252(std::string_view utf8) {
  size_t at = 0;
  while (at < utf8.size()) {
    const size_t length = SequenceLength(static_cast<unsigned char>(utf8[at]));
    const std::string_view character = utf8.substr(at, length);
    if (length == 0 || character.size() < length || !IsValidUtf8(character)) {
      return "the text is not UTF-8 (byte " + std::to_string(at + 1) + ")";
    }
    if (Cp1252ToUtf8(Utf8ToCp1252(character)) != character) {
      uint32_t code = static_cast<unsigned char>(character[0]) & (0x7F >> length);
      for (size_t k = 1; k < length; ++k) code = (code << 6) | (character[k] & 0x3F);
      char name[16];
      std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
      return "the character " + std::string(name) + " '" + std::string(character) + "' (byte " +
             std::to_string(at + 1) + ") has no Windows-1252 form and cannot be printed";
    }
    at += length;
  }
  return "the text has no Windows-1252 form";
}

std::string FromHost(std::string_view text) {
  if (!Utf8Texts()) return std::string(text);
  std::string cp1252 = Utf8ToCp1252(text);
  // A text converts without loss exactly when it comes back unchanged.
  if (Cp1252ToUtf8(cp1252) != text) throw Refusal(TOV_ERR_ENCODING, WhyNotCp1252(text));
  return cp1252;
}

// The longest prefix of `text` of at most `limit` bytes that does not end
// inside a UTF-8 character.
size_t CutAt(const std::string& text, size_t limit) {
  if (limit >= text.size()) return text.size();
  if (!Utf8Texts()) return limit;
  size_t cut = limit;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

void Copy(const std::string& text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  const size_t n = CutAt(text, static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

}  // namespace

bool Utf8Texts() {
  return utf8Texts.load();
}

void SetUtf8Texts(bool utf8) {
  utf8Texts.store(utf8);
}

void ClearError() {
  LastError& error = ThreadError();
  error.code = TOV_OK;
  error.text.clear();
  error.needed = 0;
}

void SetError(TovError code, const std::string& utf8Text, int needed) {
  LastError& error = ThreadError();
  error.code = code;
  error.text = utf8Text;
  error.needed = needed;
}

TovError ErrorCode() {
  return ThreadError().code;
}

const std::string& ErrorText() {
  return ThreadError().text;
}

int ErrorNeeded() {
  return ThreadError().needed;
}

std::string In(const char* text) {
  return text != nullptr ? FromHost(text) : std::string();
}

std::string InBuffer(const char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return std::string();
  return FromHost(std::string_view(buffer, strnlen(buffer, static_cast<size_t>(size))));
}

std::string Required(const char* text, const char* what) {
  if (text == nullptr) throw Refusal(TOV_ERR_ARGUMENT, std::string(what) + " is null");
  return In(text);
}

std::string Out(const std::string& cp1252) {
  return Utf8Texts() ? Cp1252ToUtf8(cp1252) : cp1252;
}

bool Deliver(const std::string& cp1252, char* buffer, int size) {
  const std::string text = Out(cp1252);
  Copy(text, buffer, size);
  if (buffer != nullptr && size > 0 && text.size() < static_cast<size_t>(size)) return true;
  const int needed = static_cast<int>(text.size()) + 1;
  // An error the operation met first says more than the cut.
  if (ErrorCode() != TOV_OK) return false;
  SetError(TOV_ERR_BUFFER,
           "the answer needs a buffer of " + std::to_string(needed) + " bytes, " +
               (buffer == nullptr ? std::string("none was given")
                                  : std::to_string(size < 0 ? 0 : size) + " were given") +
               "; it was cut",
           needed);
  return false;
}

int DeliverLength(const std::string& cp1252, char* buffer, int size) {
  const std::string text = Out(cp1252);
  Copy(text, buffer, size);
  return static_cast<int>(text.size());
}

int CopyLength(const std::string& bytes, char* buffer, int size) {
  if (buffer != nullptr && size > 0) {
    const size_t n = std::min(bytes.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, bytes.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<int>(bytes.size());
}

const char* Keep(std::string& slot, const std::string& cp1252) {
  slot = Out(cp1252);
  return slot.c_str();
}

void Caught(const char* name, const char* cp1252What) {
  SetError(TOV_ERR_EXCEPTION, std::string(name) + ": " + Cp1252ToUtf8(cp1252What));
  try {
    ImpFisDebug(std::string(name) + " : " + cp1252What);
  } catch (...) {
    // The log itself failed (the error being recorded may be that very
    // failure): the last error still tells the host.
  }
}

void RecordFailure(const char* name, bool logged) {
  const auto failed = [&](const char* cp1252What) {
    if (logged) return Caught(name, cp1252What);
    SetError(TOV_ERR_EXCEPTION, std::string(name) + ": " + Cp1252ToUtf8(cp1252What));
  };
  try {
    throw;
  } catch (const Refusal& refusal) {
    SetError(refusal.code(), std::string(name) + ": " + refusal.what());
  } catch (const std::exception& error) {
    failed(error.what());
  } catch (...) {
    failed("an error that is not a std::exception");
  }
}

}  // namespace Tov00300::boundary
