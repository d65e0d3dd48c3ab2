// Shared by the benchmark programs that measure the package against the
// driver entry points: the serial-line model, the table of entry points, the
// wrappers that time and count every driver call, and the code that puts the
// wrappers in place and takes them away again. Header-only, so every program
// stays a single source file.
//
// Line model: a serial printer exchanges, per command, a frame of 8 bytes
// (start, command code, separator, checksum, end and the one-byte
// acknowledgement, rounded up), the argument texts and the reply: the written
// length of a text reply and 4 bytes per integer. At 115200 baud with 10 bits
// per byte (start, 8 data, stop) that is 11,520 bytes a second. Calls that the
// driver library answers itself carry no bytes.
#ifndef TOV00300_BENCH_DRIVER_METER_H
#define TOV00300_BENCH_DRIVER_METER_H

#include <stdlib.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <string>

#include "support/fixture.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/session.h"
#include "tov00300/state.h"
#include "tov00300/variant.h"

namespace tovbench {

using Clock = std::chrono::steady_clock;

constexpr double kBaud = 115200;
constexpr double kBitsPerByte = 10;
constexpr size_t kFrameBytes = 8;
constexpr size_t kIntegerReplyBytes = 4;

// Seconds `bytes` take on the modelled line.
inline double LineSeconds(size_t bytes) {
  return static_cast<double>(bytes) * kBitsPerByte / kBaud;
}

// ---- the driver entry points --------------------------------------------------------

enum EntryIndex {
#define TOV_BENCH_INDEX(name, params) k_##name,
  TOV00300_DRIVER_ENTRY_POINTS(TOV_BENCH_INDEX)
#undef TOV_BENCH_INDEX
      kEntryCount
};

using AnyFunction = void (*)();

// The functions the package had bound when the wrappers went in.
inline std::array<AnyFunction, kEntryCount>& RealFunctions() {
  static std::array<AnyFunction, kEntryCount> real{};
  return real;
}

inline const char* EntryName(int index) {
  static const char* const kNames[] = {
#define TOV_BENCH_NAME(name, params) #name,
      TOV00300_DRIVER_ENTRY_POINTS(TOV_BENCH_NAME)
#undef TOV_BENCH_NAME
  };
  return kNames[index];
}

// Calls the driver library answers without talking to the printer.
inline bool LibraryOnly(int index) {
  return index == k_eInterpretarRetorno_ECF_Daruma || index == k_eInterpretarErro_ECF_Daruma ||
         index == k_eInterpretarAviso_ECF_Daruma || index == k_eDefinirProduto_Daruma ||
         index == k_regRetornaValorChave_DarumaFramework ||
         index == k_eTEF_TravarTeclado_ECF_Daruma;
}

// The same calls picked by entry-point name, for calls recorded by name.
inline bool LibraryOnly(const std::string& name) {
  return name.rfind("eInterpretar", 0) == 0 || name == "eDefinirProduto_Daruma" ||
         name == "regRetornaValorChave_DarumaFramework" || name == "eTEF_TravarTeclado_ECF_Daruma";
}

// Binds `Wrapper<index, type>::Call` over every entry point, keeping the
// function that was bound in RealFunctions(). The package binds the entry
// points anew when a session starts; install again after that.
template <template <int, typename> class Wrapper>
void InstallWrappers() {
#define TOV_BENCH_WRAP(name, params)                                         \
  RealFunctions()[k_##name] = reinterpret_cast<AnyFunction>(Tov00300::name); \
  Tov00300::name = &Wrapper<k_##name, decltype(Tov00300::name)>::Call;
  TOV00300_DRIVER_ENTRY_POINTS(TOV_BENCH_WRAP)
#undef TOV_BENCH_WRAP
}

// Puts back the functions InstallWrappers found.
inline void RemoveWrappers() {
#define TOV_BENCH_UNWRAP(name, params) \
  Tov00300::name = reinterpret_cast<decltype(Tov00300::name)>(RealFunctions()[k_##name]);
  TOV00300_DRIVER_ENTRY_POINTS(TOV_BENCH_UNWRAP)
#undef TOV_BENCH_UNWRAP
}

// ---- timing and counting every driver call --------------------------------------------

// Bytes one argument carries on the line: the text of an argument, the
// written length of a text reply, 4 bytes for an integer reply.
inline size_t BytesOf(const char* text) {
  return text == nullptr ? 0 : std::strlen(text);
}
inline size_t BytesOf(char* reply) {
  return reply == nullptr ? 0 : std::strlen(reply);
}
inline size_t BytesOf(int /*value*/) {
  return 0;
}
inline size_t BytesOf(int* /*reply*/) {
  return kIntegerReplyBytes;
}

// What the metered calls added up to since the last clear.
struct Meter {
  Clock::duration inDriver{};
  size_t calls = 0;
  size_t lineBytes = 0;

  double DriverSeconds() const { return std::chrono::duration<double>(inDriver).count(); }
  double LineSeconds() const { return tovbench::LineSeconds(lineBytes); }
};

inline Meter& Metered() {
  static Meter meter;
  return meter;
}

// The wrapper that times the call inside the driver and counts it with the
// bytes it carries on the line.
template <int I, typename F>
struct Timed;

template <int I, typename... A>
struct Timed<I, int (*)(A...)> {
  static int Call(A... a) {
    const Clock::time_point start = Clock::now();
    const int code = reinterpret_cast<int (*)(A...)>(RealFunctions()[I])(a...);
    Meter& m = Metered();
    m.inDriver += Clock::now() - start;
    ++m.calls;
    if (!LibraryOnly(I)) m.lineBytes += kFrameBytes + (size_t{0} + ... + BytesOf(a));
    return code;
  }
};

inline void InstallMeters() {
  InstallWrappers<Timed>();
}

// Makes a fresh folder for a benchmark under the temporary folder (host
// folder, drive root and registry inside it), points the package and the
// virtual printer at it, sets the pt_BR settings and runs the package's load
// step again. Returns the folder, or "" with `error` set when it cannot be
// made.
inline std::string PrepareBenchFolder(std::string& error) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tov00300-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    error = "mkdtemp failed";
    return {};
  }
  std::filesystem::create_directories(pattern + "/host");
  std::filesystem::create_directories(pattern + "/drive");
  setenv("TOV_HOST_DIR", (pattern + "/host").c_str(), 1);
  setenv("TOV_DRIVE_ROOT", (pattern + "/drive/").c_str(), 1);
  setenv("TOV_REGISTRY", (pattern + "/registry.ini").c_str(), 1);
  setenv("TOV_DRIVER_LIBRARY", TOV_BUILD_LIB_DIR "/libDarumaFrameWork.so", 1);
  Tov00300::GlobalFormatSettings() = tovtest::PtBrFormatSettings();
  Tov00300::Initialize();
  return pattern;
}

// Resets the virtual printer through its control entry point (line delay
// off, every record kept) and starts a session on it. "" when the session
// started, else what refused it.
template <typename Control>
std::string StartOnFreshPrinter(Control control) {
  control("reset");
  control("line off");
  control("durability on");
  Tov00300::Variant session = Tov00300::MakeBag({{"CDFILIAL", "0001"},
                                                 {"CDCAIXA", "001"},
                                                 {"NRSERIEIMP", "VP0000BR000000000001"},
                                                 {"ESQUEMA", "VERDE"},
                                                 {"CDPORTAIMPFIS", "COM1"},
                                                 {"IDTIPOIMPFIS", 29},
                                                 {"BOUTILTAA", false}});
  if (!Tov00300::StartImpFiscal(session)) return "StartImpFiscal: " + Tov00300::stMensagemTaa;
  return "";
}

}  // namespace tovbench

#endif  // TOV00300_BENCH_DRIVER_METER_H
