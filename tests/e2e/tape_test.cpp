// ecfhost tape: documents read back from the detail memory by COO, printed
// as text or as a receipt-shaped page that a browser renders; and tape lines
// broken between words.
#include <cstdlib>
#include <fstream>

#include "ecfhost_runner.h"
#include "sale_script.h"

namespace e2e {
namespace {

class TapeTest : public EcfhostTest {
 protected:
  // Two receipts: COO 1 with a long description, COO 2 with a word longer
  // than a line.
  void SellTwoReceipts() {
    const Json script = {
        {"locale", "pt_BR"},
        {"calls",
         {StartCall(), OpenReceipt(),
          Call("VendaItem",
               {ItemBag("7891000100103", "Biscoito recheado sabor chocolate com morango", 1, 4)}),
          ClosingCall({{"001", 4}}), OpenReceipt(),
          Call("VendaItem", {ItemBag("1", std::string(50, 'X'), 1, 2)}),
          ClosingCall({{"001", 2}})}}};
    const HostRun run = Run(script, {"--strict"});
    ASSERT_EQ(run.exitStatus, 0) << run.out << run.err;
  }

  int Shell(const std::string& command, std::string& out) {
    const std::string file = hostDir() + "/../shell.txt";
    const int status =
        std::system((Environment() + " timeout 120 " + command + " >" + file + " 2>&1").c_str());
    std::ifstream in(file, std::ios::binary);
    out.assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return WEXITSTATUS(status);
  }
  int Tape(const std::string& arguments, std::string& out) {
    return Shell(TOV_BUILD_BIN_DIR "/ecfhost tape --host-dir " + hostDir() + " " + arguments, out);
  }
};

TEST_F(TapeTest, DocumentsAreReadBackByCooWithWordsKeptWhole) {
  SellTwoReceipts();
  std::string first, second, both, none;
  ASSERT_EQ(Tape("--coo 1", first), 0) << first;
  EXPECT_NE(first.find("COO:000001"), std::string::npos);
  EXPECT_EQ(first.find("COO:000002"), std::string::npos);
  EXPECT_NE(first.find("\n001 7891000100103 Biscoito recheado sabor\nchocolate com morango\n"),
            std::string::npos)
      << first;
  ASSERT_EQ(Tape("--coo 2", second), 0) << second;
  EXPECT_NE(second.find("\n001 1\n" + std::string(48, 'X') + "\nXX\n"), std::string::npos)
      << second;
  ASSERT_EQ(Tape("--from 1 --to 2", both), 0);
  EXPECT_EQ(both, first + second);
  EXPECT_EQ(Tape("--coo 9", none), 1);
  EXPECT_NE(none.find("no document with COO 9"), std::string::npos) << none;
}

// PNG width and height from the IHDR chunk, or {0, 0}.
std::pair<uint32_t, uint32_t> PngSize(const std::string& png) {
  if (png.size() < 24 || png.compare(1, 3, "PNG") != 0 || png.compare(12, 4, "IHDR") != 0)
    return {0, 0};
  auto be32 = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(png[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

TEST_F(TapeTest, HtmlPageRendersAsPaperStripsInABrowser) {
  SellTwoReceipts();
  std::string out;
  const std::string page = hostDir() + "/fita.html";
  ASSERT_EQ(Tape("--html " + page, out), 0) << out;
  EXPECT_NE(out.find("fita.html"), std::string::npos);
  std::ifstream in(page);
  const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(html.find("COO 000002 · cupom fiscal · "), std::string::npos);
  EXPECT_NE(html.find("<pre>"), std::string::npos);

  if (Shell("sh -c 'command -v chromium'", out) != 0) GTEST_SKIP() << "chromium is not installed";
  const std::string blank = hostDir() + "/blank.html";
  std::ofstream(blank) << "<!DOCTYPE html><html><body style=\"background:#d9d6cf\"></body></html>";
  auto shoot = [&](const std::string& html, const std::string& png) {
    std::string log;
    Shell(
        "chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
        "--window-size=600,900 --screenshot=" +
            png + " file://" + html,
        log);
    std::ifstream file(png, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  };
  const std::string receipts = shoot(page, hostDir() + "/fita.png");
  const std::string empty = shoot(blank, hostDir() + "/blank.png");
  EXPECT_EQ(PngSize(receipts), std::make_pair(600u, 900u));
  EXPECT_EQ(PngSize(empty), std::make_pair(600u, 900u));
  // Text on paper strips compresses far worse than a plain page.
  EXPECT_GT(receipts.size(), 4 * empty.size()) << receipts.size() << " vs " << empty.size();
}

}  // namespace
}  // namespace e2e
