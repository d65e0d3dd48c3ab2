// One printer, one owner: a second till process on the same printer sells
// nothing while the first holds the port. (That the package writes into no
// document it did not open itself is a case in cases/one_owner.)
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "sale_script.h"

namespace e2e {
namespace {

Json Driver(const std::string& name, Json args = Json::array()) {
  return {{"op", "driver"}, {"name", name}, {"args", std::move(args)}};
}
Json Register(const std::string& index, int width) {
  return Driver("rRetornarInformacao_ECF_Daruma", {index, width});
}
std::string Reply(const Json& record) {
  return record["args"][1].get<std::string>();
}
const std::string kEcfhost = TOV_BUILD_BIN_DIR "/ecfhost ";
std::string Lines(const std::string& file, size_t* count = nullptr) {
  std::ifstream in(file);
  std::string text;
  for (std::string line; std::getline(in, line); text += line + "\n")
    if (count != nullptr) ++*count;
  return text;
}

using OneOwnerTest = EcfhostTest;

// The first till (the service) keeps the port with a receipt open; a second
// till process on the same printer gets every call refused with a message,
// and the first sale ends whole on the tape, in the detail memory and in the
// registers of the next start of day.
TEST_F(OneOwnerTest, SecondProcessSellsNothingAndTheFirstSaleStaysWhole) {
  const std::string served = hostDir() + "/../served.txt",
                    folder = "--host-dir '" + hostDir() + "'";
  // The same environment as the second till's: the same drive root, so the
  // same printer.
  const std::string ecfhost = Environment() + " " + kEcfhost;
  std::FILE* first = popen((ecfhost + "serve " + folder + " >'" + served + "'").c_str(), "w");
  ASSERT_NE(first, nullptr);
  size_t asked = 0;
  const auto ask = [&](const Json& call) {
    std::fputs((call.dump() + "\n").c_str(), first);
    std::fflush(first);
    ++asked;
    for (size_t wait = 0, lines = 0; wait < 600 && (Lines(served, &lines), lines < asked);
         ++wait, lines = 0)
      usleep(100000);
  };
  for (const Json& call :
       {StartCall(), OpenReceipt(), Call("VendaItem", {ItemBag("1", "Cafe", 2, 3.5)})})
    ask(call);
  const HostRun second =
      Run({{"locale", "pt_BR"},
           {"calls",
            {StartCall(), OpenReceipt(), Call("VendaItem", {ItemBag("2", "Pao de queijo", 1, 9)}),
             ClosingCall({{"001", 9}}),
             Call("Cupom_NFiscNVinc", {"PADRAO", "Suprimento", "8,00", "Dinheiro", ""}),
             Call("Reducao_Z_Imp", {"RZ", "", "PADRAO", ""})}}});
  ASSERT_EQ(second.records.size(), 6u) << second.err;
  for (const Json& record : second.records) {
    EXPECT_EQ(record["result"], false) << record.dump();
    EXPECT_FALSE(record["messages"].empty()) << record.dump();
  }
  ask(ClosingCall({{"001", 7}}));
  pclose(first);
  std::istringstream replies(Lines(served));
  for (std::string line; std::getline(replies, line);)
    EXPECT_EQ(Json::parse(line)["result"], true) << line;

  const HostRun next = Run({{"calls", {StartCall(), Register("1", 18), Register("30", 6)}}});
  EXPECT_EQ(next.Record("StartImpFiscal")["result"], true) << next.err;
  EXPECT_EQ(Reply(next.Record("driver", 0)), "000000000000000700");  // the first sale only
  EXPECT_EQ(Reply(next.Record("driver", 1)), "000001");
  std::system((ecfhost + "tape " + folder + " >'" + served + ".tape'").c_str());
  for (const std::string& printed : {Tape(), Lines(served + ".tape")}) {
    EXPECT_NE(printed.find("Cafe"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("Pao de queijo"), std::string::npos) << printed;
  }
}

}  // namespace
}  // namespace e2e
