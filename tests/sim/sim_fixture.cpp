#include "sim_fixture.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace Tov00300::simtest {

void* SimHandle() {
  static void* handle = [] {
    void* h = dlopen(TOV_BUILD_LIB_DIR "/libDarumaFrameWork.so", RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) ADD_FAILURE() << "cannot load the virtual printer: " << dlerror();
    return h;
  }();
  return handle;
}

Driver& Sim() {
  static Driver driver = [] {
    Driver d;
    void* h = SimHandle();
#define TOV_SIMTEST_BIND(name, params) \
  d.name = reinterpret_cast<decltype(d.name)>(h ? dlsym(h, #name) : nullptr);
    TOV00300_DRIVER_ENTRY_POINTS(TOV_SIMTEST_BIND)
#undef TOV_SIMTEST_BIND
    d.simControl_Daruma = reinterpret_cast<decltype(d.simControl_Daruma)>(
        h ? dlsym(h, "simControl_Daruma") : nullptr);
    return d;
  }();
  return driver;
}

void SimTest::SetUp() {
  ASSERT_NE(Sim().simControl_Daruma, nullptr);
  UseFreshFolders();
}

void SimTest::TearDown() {
  Control("reset");
  std::error_code ec;
  if (!root_.empty()) std::filesystem::remove_all(root_, ec);
}

void SimTest::UseFreshFolders() {
  std::error_code ec;
  if (!root_.empty()) std::filesystem::remove_all(root_, ec);
  char pattern[] = "/tmp/simtest-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  root_ = pattern;
  std::filesystem::create_directories(root_ + "/drive");
  std::filesystem::create_directories(root_ + "/host");
  setenv("TOV_REGISTRY", (root_ + "/registry.ini").c_str(), 1);
  setenv("TOV_DRIVE_ROOT", (root_ + "/drive/").c_str(), 1);
  setenv("TOV_HOST_DIR", (root_ + "/host").c_str(), 1);
  ASSERT_EQ(Control("reset"), 1);
  // Unit tests run without flushing to the device; durability tests turn it on.
  ASSERT_EQ(Control("durability off"), 1);
  // The printer answers only the process that has its port open.
  ASSERT_EQ(Sim().eAbrirSerial_Daruma("COM1", "115200"), 1);
}

std::string SimTest::ReadDriverFile(const std::string& name) const {
  std::ifstream in(DriverFolder() + name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string Guarded(size_t width, const std::function<int(char*)>& call, int* code) {
  constexpr size_t kGuard = 32;
  std::vector<char> buffer(width + 1 + kGuard, '#');
  std::memset(buffer.data(), ' ', width);
  buffer[width] = '\0';
  int result = call(buffer.data());
  if (code != nullptr) *code = result;
  for (size_t i = width + 1; i < buffer.size(); ++i) {
    if (buffer[i] != '#') {
      ADD_FAILURE() << "reply written past its width " << width;
      break;
    }
  }
  EXPECT_EQ(buffer[width], '\0') << "reply not terminated at its width " << width;
  return std::string(buffer.data(), width);
}

std::string SimTest::Info(int index, size_t width, int* code) {
  std::string number = std::to_string(index);
  return Guarded(
      width, [&](char* b) { return Sim().rRetornarInformacao_ECF_Daruma(number.c_str(), b); },
      code);
}

std::string SimTest::RateList() {
  return Guarded(
      150, [](char* b) { return Sim().rLerAliquotas_ECF_Daruma(b); }, nullptr);
}
std::string SimTest::PaymentList() {
  return Guarded(
      330, [](char* b) { return Sim().rLerMeiosPagto_ECF_Daruma(b); }, nullptr);
}
std::string SimTest::TotalizerList() {
  return Guarded(
      360, [](char* b) { return Sim().rLerCNF_ECF_Daruma(b); }, nullptr);
}

std::pair<int, int> SimTest::Status() {
  int error = -99;
  int warning = -99;
  EXPECT_EQ(Sim().rStatusUltimoCmdInt_ECF_Daruma(&error, &warning), 1);
  return {error, warning};
}

std::string SimTest::ErrorText(int code) {
  return Guarded(
      200, [code](char* b) { return Sim().eInterpretarErro_ECF_Daruma(code, b); }, nullptr);
}

void SimTest::SellReceipt(const std::vector<std::string>& prices, const std::string& method) {
  Driver& d = Sim();
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  for (const std::string& price : prices) {
    ASSERT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1,000", price.c_str(), "A$", "0,00", "1", "UN",
                                     "PRODUTO"),
              1);
  }
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("D$", "0"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma(method.c_str(), "100000,00"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma("Obrigado"), 1);
}

}  // namespace Tov00300::simtest
