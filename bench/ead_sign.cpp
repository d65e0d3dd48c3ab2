// Signing legal files of 1 MB, 100 MB and 1 GB with the EAD signer, against
// `openssl dgst -md5` on the same file in the same run: the signer streams
// the file through MD5 and should approach the machine's MD5 speed (the RSA
// operation itself is a constant of about 1 ms).
//
// Method: each file is written once into the temporary folder (so it is in
// the page cache for both contenders) and deleted at the end. A signing
// iteration appends the record; the file is then cut back outside the timed
// part. The openssl figure includes starting the process (a few ms, which
// dominates at 1 MB). Both are timed in wall-clock time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "legal/signing_key.h"
#include "tov00300/platform.h"

namespace {

namespace fs = std::filesystem;
using GenerateEad = int (*)(const char*, const char*, const char*, char*, int);

GenerateEad Signer() {
  static GenerateEad fn = [] {
    auto library = Tov00300::platform::LoadLibrary(TOV_BUILD_LIB_DIR "/libsign_bema.so");
    auto symbol = Tov00300::platform::FindSymbol(library, "generateEAD");
    if (symbol == nullptr) throw std::runtime_error(Tov00300::platform::LastLibraryError());
    return reinterpret_cast<GenerateEad>(symbol);
  }();
  return fn;
}

std::map<int64_t, fs::path>& Files() {
  static std::map<int64_t, fs::path> files;
  return files;
}

// A text file of `megabytes` MiB, 64-column lines.
const fs::path& FileOf(int64_t megabytes) {
  auto& files = Files();
  if (auto found = files.find(megabytes); found != files.end()) return found->second;
  fs::path path = fs::temp_directory_path() /
                  ("bench-ead-" + std::to_string(getpid()) + "-" + std::to_string(megabytes));
  std::string line(63, 'x');
  line += '\n';
  std::string piece;
  while (piece.size() < (1 << 20)) piece += line;
  std::ofstream out(path, std::ios::binary);
  for (int64_t i = 0; i < megabytes; ++i) out.write(piece.data(), 1 << 20);
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
  return files[megabytes] = path;
}

void BM_SignFile(benchmark::State& state) {
  const fs::path& file = FileOf(state.range(0));
  const auto size = fs::file_size(file);
  for (auto _ : state) {
    int code = Signer()(file.c_str(), Tov00300::legal::kSigningPrivateExponent,
                        Tov00300::legal::kSigningModulus, nullptr, 1);
    state.PauseTiming();
    if (code != 1) state.SkipWithError("generateEAD failed");
    fs::resize_file(file, size);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

void BM_OpensslDgstMd5(benchmark::State& state) {
  const fs::path& file = FileOf(state.range(0));
  const std::string command = "openssl dgst -md5 '" + file.string() + "' >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("openssl dgst failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(file)));
}

BENCHMARK(BM_SignFile)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpensslDgstMd5)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SignFile)->Arg(100)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpensslDgstMd5)->Arg(100)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SignFile)->Arg(1024)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpensslDgstMd5)
    ->Arg(1024)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const auto& [size, path] : Files()) fs::remove(path);
  return 0;
}
