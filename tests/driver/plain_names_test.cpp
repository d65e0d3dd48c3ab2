// Every C name of the header (the plain names and the tov_* functions),
// checked against what the built library exports, and called with empty
// values and with out buffers of several sizes: no call may throw, crash or
// write past the size it was given. The lists come from the header itself,
// so a name added there is tested without a line here.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/fixture.h"
#include "support/library_symbols.h"
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
    if constexpr (std::is_void_v<R>) {
      std::apply(fn_, args);
    } else {
      Release(std::apply(fn_, args));
    }
  }

  // A handle a function made (tov_*_new) is the caller's to free; with empty
  // values, the only other handle answered is a null global.
  template <typename T>
  static void Release(T) {}
  static void Release(TovVariant* v) { tov_variant_free(v); }
  static void Release(TovValues* v) { tov_values_free(v); }
  static void Release(TovStrings* v) { tov_strings_free(v); }
  static void Release(TovDataSet* v) { tov_dataset_free(v); }

  R (*fn_)(P...);
  int size_;
  double number_ = 0;
  std::vector<std::unique_ptr<HostBuffer>> buffers_;
};

template <typename R, typename... P>
bool CallEmpty(R (*fn)(P...), int size) {
  return EmptyCall<R, P...>(fn, size).Run();
}

struct CName {
  const char* name;
  bool (*call)(int size);  // calls it with empty values; false when it wrote past a buffer
};

#define C_NAME_ROW(result, name, params) \
  CName{#name, [](int size) { return CallEmpty(&::name, size); }},
#define TEXT_GLOBAL_ROWS(name)                                                          \
  CName{"tov_get_" #name, [](int size) { return CallEmpty(&::tov_get_##name, size); }}, \
      CName{"tov_set_" #name, [](int size) { return CallEmpty(&::tov_set_##name, size); }},
#define SCALAR_GLOBAL_ROWS(type, name) TEXT_GLOBAL_ROWS(name)

std::vector<CName> PlainNames() {
  return {TOV00300_PLAIN_NAMES(C_NAME_ROW)};
}

// The tov_* functions: library, values and the exported globals' accessors.
std::vector<CName> TovFunctions() {
  return {TOV00300_LIBRARY_FUNCTIONS(C_NAME_ROW) TOV00300_VALUE_FUNCTIONS(C_NAME_ROW)
              TOV00300_EXPORTED_TEXTS(TEXT_GLOBAL_ROWS)
                  TOV00300_EXPORTED_SCALARS(SCALAR_GLOBAL_ROWS)};
}

TEST_F(PlainNamesTest, HeaderListsExactlyTheLibrarysCNames) {
  std::set<std::string> listed;
  for (const std::vector<CName>& names : {PlainNames(), TovFunctions()})
    for (const CName& c : names) listed.insert(c.name);
  const std::set<std::string> exported =
      tovtest::ExportedCFunctions(TOV_BUILD_LIB_DIR "/libtov00300.so");
  ASSERT_FALSE(exported.empty()) << "nm could not list the library";
  for (const std::string& name : listed)
    EXPECT_TRUE(exported.count(name)) << name << " is declared but not exported";
  for (const std::string& name : exported)
    EXPECT_TRUE(listed.count(name)) << name << " is exported but missing from the C header";
}

TEST_F(PlainNamesTest, EveryNameTakesEmptyValuesAndStaysInsideItsBuffers) {
  for (const std::vector<CName>& names : {PlainNames(), TovFunctions()}) {
    for (const CName& c : names) {
      // Finalize would unload the package's state for the names after it.
      if (std::strcmp(c.name, "Finalize") == 0) continue;
      for (int size : {0, 1, 2, 7, 300}) {
        EXPECT_TRUE(c.call(size)) << c.name << " wrote past a buffer of " << size;
      }
    }
  }
}

}  // namespace
