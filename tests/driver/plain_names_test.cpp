// Every plain name of the C header, resolved from the built library and
// called with empty values and with out buffers of several sizes: no call may
// throw, crash or write past the size it was given. The list comes from the
// header itself, so a name added there is tested without a line here.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/fixture.h"
#include "tov00300/tov00300_c.h"

namespace {

using tovtest::PackageTest;
using PlainNamesTest = PackageTest;

constexpr unsigned char kGuard = 0x5A;
constexpr size_t kGuardBytes = 32;

// A host's buffer of `size` bytes holding an unterminated text, followed by
// guard bytes the package must never touch.
class HostBuffer {
 public:
  explicit HostBuffer(int size) : size_(size), bytes_(size + kGuardBytes, kGuard) {
    std::memset(bytes_.data(), 'A', size);
  }
  char* data() { return bytes_.data(); }
  int size() const { return size_; }
  bool GuardIntact() const {
    for (size_t i = size_; i < bytes_.size(); ++i)
      if (static_cast<unsigned char>(bytes_[i]) != kGuard) return false;
    return true;
  }

 private:
  int size_;
  std::vector<char> bytes_;
};

// One call of a plain name: every text pointer null, every number 0, every
// handle null, every char* a HostBuffer of `size` with the int after it set
// to that size.
template <typename R, typename... P>
class EmptyCall {
 public:
  EmptyCall(R (*fn)(P...), int size) : fn_(fn), size_(size) {}

  // Calls the function; false when a guard was overwritten.
  bool Run() {
    Invoke(std::index_sequence_for<P...>{});
    for (const auto& b : buffers_)
      if (!b->GuardIntact()) return false;
    return true;
  }

 private:
  using Params = std::tuple<P...>;

  template <size_t I>
  static constexpr bool FollowsBuffer() {
    if constexpr (I == 0) {
      return false;
    } else {
      return std::is_same_v<std::tuple_element_t<I - 1, Params>, char*>;
    }
  }

  template <size_t I>
  auto Arg() {
    using T = std::tuple_element_t<I, Params>;
    if constexpr (std::is_same_v<T, char*>) {
      buffers_.push_back(std::make_unique<HostBuffer>(size_));
      return buffers_.back()->data();
    } else if constexpr (std::is_same_v<T, int>) {
      return FollowsBuffer<I>() ? size_ : 0;
    } else if constexpr (std::is_same_v<T, double*>) {
      return &number_;
    } else {
      return T{};
    }
  }

  template <size_t... I>
  void Invoke(std::index_sequence<I...>) {
    // Arguments are made left to right so each int follows its buffer.
    std::tuple<P...> args{Arg<I>()...};
    std::apply(fn_, args);
  }

  R (*fn_)(P...);
  int size_;
  double number_ = 0;
  std::vector<std::unique_ptr<HostBuffer>> buffers_;
};

template <typename R, typename... P>
bool CallEmpty(R (*fn)(P...), int size) {
  return EmptyCall<R, P...>(fn, size).Run();
}

struct PlainName {
  const char* name;
  void* address;                          // resolved from the library by name
  bool (*call)(void* address, int size);  // calls it with empty values
};

template <typename R, typename... P>
bool CallAt(R (*)(P...), void* address, int size) {
  return CallEmpty(reinterpret_cast<R (*)(P...)>(address), size);
}

#define PLAIN_NAME_ROW(result, name, params)   \
  PlainName{#name, dlsym(RTLD_DEFAULT, #name), \
            [](void* address, int size) { return CallAt(&::name, address, size); }},

std::vector<PlainName> PlainNames() {
  return {TOV00300_PLAIN_NAMES(PLAIN_NAME_ROW)};
}

// The names the library exports with C linkage, other than the value handles.
std::set<std::string> ExportedCNames() {
  std::set<std::string> names;
  const std::string command = "nm -D --defined-only " TOV_BUILD_LIB_DIR "/libtov00300.so";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    char address[64], kind[8], symbol[400];
    if (std::sscanf(line, "%63s %7s %399s", address, kind, symbol) != 3) continue;
    const std::string name = symbol;
    if (std::strcmp(kind, "T") != 0 || name.rfind("_Z", 0) == 0 || name.rfind("tov_", 0) == 0 ||
        name.rfind("_", 0) == 0)
      continue;
    names.insert(name);
  }
  pclose(pipe);
  return names;
}

TEST_F(PlainNamesTest, HeaderListsExactlyTheLibrarysPlainNames) {
  std::set<std::string> listed;
  for (const PlainName& p : PlainNames()) {
    EXPECT_NE(p.address, nullptr) << p.name << " is declared but not exported";
    listed.insert(p.name);
  }
  const std::set<std::string> exported = ExportedCNames();
  ASSERT_FALSE(exported.empty()) << "nm could not list the library";
  for (const std::string& name : exported)
    EXPECT_TRUE(listed.count(name)) << name << " is exported but missing from the C header";
}

TEST_F(PlainNamesTest, EveryNameTakesEmptyValuesAndStaysInsideItsBuffers) {
  for (const PlainName& p : PlainNames()) {
    if (p.address == nullptr) continue;
    // Finalize would unload the package's state for the names after it.
    if (std::strcmp(p.name, "Finalize") == 0) continue;
    for (int size : {0, 1, 2, 7, 300}) {
      EXPECT_TRUE(p.call(p.address, size)) << p.name << " wrote past a buffer of " << size;
    }
  }
}

}  // namespace
