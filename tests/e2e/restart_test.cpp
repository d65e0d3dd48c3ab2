// The till killed at its worst moments and started again: the next start of
// day raises no false tampering alarm and finds the readings it printed in
// the document register.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sale_script.h"
#include "tov00300/format.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

std::vector<Json> With(std::vector<Json> calls, const std::vector<Json>& more) {
  calls.insert(calls.end(), more.begin(), more.end());
  return calls;
}

class RestartTest : public EcfhostTest {
 protected:
  bool LogHas(const std::string& part) const {
    for (const std::string& line : DebugLog())
      if (line.find(Tov00300::Utf8ToCp1252(part)) != std::string::npos) return true;
    return false;
  }
};

// Killed after the open receipt's cancellation, before the grand total is
// recorded (the control file is a pipe nobody writes to, so the till stops
// exactly there): the next check finds the total one cancelled receipt
// ahead, which the note explains.
TEST_F(RestartTest, CancellationStoppedBeforeTheGrandTotalRecordRaisesNoAlarm) {
  const std::vector<Json> openReceipt = {
      Driver("iCFAbrirPadrao_ECF_Daruma"),
      Driver("iCFVender_ECF_Daruma", {"F1", "1,000", "7,50", "D$", "0,00", "1", "UN", "Feijao"})};
  const Json cancel =
      Call("Cancela_Cupom_Imp",
           {{{"array", {"PADRAO", false, false, "", "001", "001", "DR0111BR000000000001"}}},
            {{"size", 1}}});
  const struct {
    const char* what;
    std::vector<Json> before, killed;
  } kCases[] = {{"by the start of day", openReceipt, {}},
                {"by Cancela_Cupom_Imp", {}, With(openReceipt, {cancel})}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    StartAfresh();
    const std::string control = hostDir() + "/Brindal.cds";
    fs::copy_file(TOV_SOURCE_DIR "/examples/Brindal.cds", control);
    auto script = [](std::vector<Json> calls) {
      return Json{{"locale", "pt_BR"}, {"calls", With(ControlGlobals(), calls)}};
    };
    const HostRun first = Run(script(With({StartCall(), CheckGrandTotal()}, c.before)));
    ASSERT_EQ(first.Record("Atu_TotGeral")["result"], true) << first.out;

    std::stringstream recorded;
    recorded << std::ifstream(control).rdbuf();
    fs::remove(control);
    ASSERT_EQ(mkfifo(control.c_str(), 0600), 0);
    RunKilled(script(With({StartCall()}, c.killed)),
              [&] { return LogHas("iCFCancelar_ECF_Daruma"); });
    fs::remove(control);
    std::ofstream(control) << recorded.str();
    ASSERT_NE(Tape().find("CUPOM FISCAL CANCELADO"), std::string::npos);

    const HostRun next = Run(script({StartCall(), CheckGrandTotal()}));
    EXPECT_EQ(next.Record("Atu_TotGeral")["result"], true) << next.Record("Atu_TotGeral").dump();
    EXPECT_TRUE(LogHas("Totalizador geral atualizado pelo último cupom cancelado"));
  }
}

// An X or a Z printed but not recorded (the till killed in between, or the
// register unwritable): the next start records it once, with its own COO.
TEST_F(RestartTest, ReadingMissingFromTheRegisterIsRecordedAtTheNextStart) {
  const struct {
    const char* op;
    const char* type;
    const char* onTape;  // killed once this is printed; "" for an unwritable register
  } kCases[] = {{"Leitura_X_Imp", "LX", "LEITURA X"},
                {"Reducao_Z_Imp", "RZ", "REDUÇÃO Z"},
                {"Leitura_X_Imp", "LX", ""}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.op) + " " + c.onTape);
    StartAfresh();
    const Json reading = Call(c.op, {"CHAVE-7", "", "PADRAO", ""});
    if (*c.onTape != '\0') {
      // A slow line keeps the till a second between the reading and its
      // record; it is killed once the reading has been on paper a while.
      std::chrono::steady_clock::time_point printed{};
      RunKilled({{"calls", {StartCall(), Sim("line 300"), reading}}}, [&] {
        if (Tape().find(c.onTape) == std::string::npos) return false;
        if (printed == decltype(printed){}) printed = std::chrono::steady_clock::now();
        return std::chrono::steady_clock::now() - printed > std::chrono::milliseconds(150);
      });
    } else {
      fs::create_directories(hostDir() + "/documentos.db");
      const HostRun run = Run({{"calls", {StartCall(), reading}}});
      const Json& call = run.Record(c.op);
      EXPECT_EQ(call["result"], true);
      EXPECT_NE(call["messages"].dump().find("documentos.db"), std::string::npos) << call.dump();
      fs::remove(hostDir() + "/documentos.db");
    }
    const HostRun next = Run({{"calls",
                               {StartCall(),
                                Call("FechaPorta"),
                                StartCall(),
                                Driver("rRetornarInformacao_ECF_Daruma", {"26", 6}),
                                {{"op", "records"}}}}});
    const Json& rows = next.Record("records")["args"][1]["rows"];
    ASSERT_EQ(rows.size(), 1u) << rows.dump();
    EXPECT_EQ(rows[0]["chave"], "CHAVE-7");
    EXPECT_EQ(rows[0]["tipo_documento"], c.type);
    EXPECT_EQ(rows[0]["numero_cupom"], next.Record("driver")["args"][1]);
    EXPECT_TRUE(LogHas(std::string("Documento sem registro conciliado: ") + c.type));
  }
}

}  // namespace
}  // namespace e2e
