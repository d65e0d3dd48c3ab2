#include <gtest/gtest.h>

#include <vector>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

class DialogTest : public ::testing::Test {
 protected:
  void TearDown() override { SetDialogHandler(nullptr); }
};

TEST_F(DialogTest, InstalledHandlerGetsAllNineArgumentsAndGivesTheAnswer) {
  std::vector<MessageRequest> seen;
  SetDialogHandler([&](const MessageRequest& request) {
    seen.push_back(request);
    return request.question == "S";
  });
  DataSet* noDataSet = nullptr;
  EXPECT_TRUE(Mensagem("Impressora n\xE3o responde", "01/02/2024\r\n02/02/2024", "S", "S", 3, "",
                       "002", 0, noDataSet));
  EXPECT_FALSE(Mensagem("Aviso", "", "N", "N", 0, "", "001", 0, nullptr));

  ASSERT_EQ(seen.size(), 2u);
  const MessageRequest& first = seen[0];
  EXPECT_EQ(first.text, "Impressora n\xE3o responde");
  EXPECT_EQ(first.detail, "01/02/2024\r\n02/02/2024");
  EXPECT_EQ(first.flag, "S");
  EXPECT_EQ(first.question, "S");
  EXPECT_EQ(first.type, 3);
  EXPECT_EQ(first.reserved, "");
  EXPECT_EQ(first.context, "002");
  EXPECT_EQ(first.number, 0);
  EXPECT_EQ(first.dataSet, nullptr);
  EXPECT_EQ(seen[1].context, "001");
  EXPECT_EQ(seen[1].type, 0);
}

TEST_F(DialogTest, WithoutHandlerTheTextGoesToStandardErrorAsUtf8AndTheAnswerIsNo) {
  ::testing::internal::CaptureStderr();
  bool answer = Mensagem("Deseja abrir o caixa? Op\xE7\xE3o", "", "N", "S", 1, "", "", 0, nullptr);
  std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(answer);
  EXPECT_NE(written.find("Deseja abrir o caixa? Op\xC3\xA7\xC3\xA3o"), std::string::npos)
      << written;
  EXPECT_NE(written.find("resposta n\xC3\xA3o"), std::string::npos) << written;
}

TEST_F(DialogTest, ClearingTheHandlerRestoresTheDefault) {
  SetDialogHandler([](const MessageRequest&) { return true; });
  EXPECT_TRUE(Mensagem("?", "", "N", "S", 1, "", "", 0, nullptr));
  SetDialogHandler(nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(Mensagem("?", "", "N", "S", 1, "", "", 0, nullptr));
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace Tov00300::hostlib
