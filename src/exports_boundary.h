// What every function of the C interface shares: texts in and out of the
// host's encoding and buffers, the per-thread last error, and the guard each
// plain name runs its operation in. Nothing here is exported.
#ifndef TOV00300_SRC_EXPORTS_BOUNDARY_H_
#define TOV00300_SRC_EXPORTS_BOUNDARY_H_

#include <exception>
#include <string>

#include "tov00300/tov00300_c.h"

namespace Tov00300::boundary {

// ---- the host's text encoding ---------------------------------------------------
// Windows-1252 (the package's own) unless the host asked for UTF-8. One
// setting for the process.
bool Utf8Texts();
void SetUtf8Texts(bool utf8);

// ---- last error (one per thread) --------------------------------------------------
// Texts are kept in UTF-8 and handed out in the host's encoding.
void ClearError();
void SetError(TovError code, const std::string& utf8Text, int needed = 0);
TovError ErrorCode();
const std::string& ErrorText();  // UTF-8
int ErrorNeeded();

// An input the boundary refuses before any operation runs.
class Refusal : public std::exception {
 public:
  Refusal(TovError code, std::string utf8Text) : code_(code), text_(std::move(utf8Text)) {}
  TovError code() const { return code_; }
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  TovError code_;
  std::string text_;
};

// ---- texts coming in ------------------------------------------------------------------
// A host text as the package keeps it (Windows-1252). A null pointer is "".
// In UTF-8 mode the text is converted; one that is not UTF-8, or holds a
// character Windows-1252 has no byte for, throws Refusal naming it, so that
// nothing reaches the printer as "?" or mojibake.
std::string In(const char* text);
// The text of an in/out buffer of `size` bytes: up to its first zero byte,
// never past the buffer, also when the host's text fills it unterminated.
std::string InBuffer(const char* buffer, int size);
// A host text that must be there: Refusal (TOV_ERR_ARGUMENT) for a null pointer.
std::string Required(const char* text, const char* what);

// ---- texts going out -------------------------------------------------------------------
// A package text (Windows-1252) in the host's encoding.
std::string Out(const std::string& cp1252);
// Writes the text, in the host's encoding, into the host's buffer of `size`
// bytes, cut to size - 1 bytes (never inside a UTF-8 character) and zero
// terminated; a null buffer or a size below 1 receives nothing. True when the
// whole text fit; otherwise the last error, unless one is set already, is
// TOV_ERR_BUFFER with the size the text needs.
bool Deliver(const std::string& cp1252, char* buffer, int size);
// The same for the value getters, whose answer is the text's whole length in
// bytes (a short buffer is retried with length + 1), without a last error.
int DeliverLength(const std::string& cp1252, char* buffer, int size);
// The same for bytes that are not text of the package (paths): no conversion.
int CopyLength(const std::string& bytes, char* buffer, int size);
// A text result kept in `slot` (the caller's per-thread buffer) until the
// next call that uses the same slot.
const char* Keep(std::string& slot, const std::string& cp1252);

// ---- handles -----------------------------------------------------------------------------
// A handle the host may leave null: `empty` stands in for it.
template <typename T>
T& Or(T* handle, T& empty) {
  return handle != nullptr ? *handle : empty;
}
// A handle the name writes into: a null one is refused (TOV_ERR_ARGUMENT).
template <typename T>
T& Need(T* handle, const char* what) {
  if (handle == nullptr) throw Refusal(TOV_ERR_ARGUMENT, std::string(what) + " is null");
  return *handle;
}

// ---- the guard of every plain name ------------------------------------------------------
// Records an exception that stopped `name`: the last error takes its text and
// the debug log a line "<name> : <text>", as the host's own log would show it.
void Caught(const char* name, const char* cp1252What);

// Records the exception being handled (call it only inside a catch block) as
// the last error of `name`: a refused input with its own code, anything else
// as TOV_ERR_EXCEPTION, also written to the debug log (Caught) when `logged`.
void RecordFailure(const char* name, bool logged);

// Runs a plain name's body: clears the last error first; a refused input or
// an exception answers `failure` with the last error set. No exception leaves.
template <typename R, typename Body>
R Guard(const char* name, R failure, Body body) {
  ClearError();
  try {
    return body();
  } catch (...) {
    RecordFailure(name, true);
  }
  return failure;
}

// The same for the functions around the plain names (values, settings,
// globals), which leave the last error alone unless they fail, and log
// nothing.
template <typename R, typename Body>
R Contain(const char* name, R failure, Body body) {
  try {
    return body();
  } catch (...) {
    RecordFailure(name, false);
  }
  return failure;
}

// The same for a name without a result.
template <typename Body>
void GuardVoid(const char* name, Body body) {
  Guard(name, false, [&] {
    body();
    return true;
  });
}

}  // namespace Tov00300::boundary

#endif  // TOV00300_SRC_EXPORTS_BOUNDARY_H_
