#include <gtest/gtest.h>
#include <stdlib.h>

#include <stdexcept>

#include "platform/scratch_folder.h"
#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

using RegistryTest = testing_platform::ScratchFolderTest;

TEST_F(RegistryTest, AbsentKeyIsCreatedOnlyWhenAsked) {
  EXPECT_FALSE(RegistryOpenKey("Software\\DARUMA\\ECF", false));
  EXPECT_FALSE(FileExists(Path("registry.ini")));
  EXPECT_TRUE(RegistryOpenKey("Software\\DARUMA\\ECF", true));
  EXPECT_TRUE(RegistryOpenKey("Software\\DARUMA\\ECF", false));
  EXPECT_EQ(ReadFile(Path("registry.ini")).value(), "[Software\\DARUMA\\ECF]\n");
}

TEST_F(RegistryTest, WrittenValueIsReadBackAndPersistsInTheFile) {
  RegistryWriteString("Software\\DARUMA\\ECF", "LocalArquivos", "C:\\DARUMA\\");
  RegistryWriteString("Software\\DARUMA\\ECF", "Porta", "COM1");
  RegistryWriteString("Software\\Outro", "Porta", "COM2");
  RegistryWriteString("Software\\DARUMA\\ECF", "Porta", "COM3");

  EXPECT_EQ(RegistryReadString("Software\\DARUMA\\ECF", "LocalArquivos"), "C:\\DARUMA\\");
  EXPECT_EQ(RegistryReadString("Software\\DARUMA\\ECF", "Porta"), "COM3");
  EXPECT_EQ(RegistryReadString("Software\\Outro", "Porta"), "COM2");
  EXPECT_EQ(ReadFile(Path("registry.ini")).value(),
            "[Software\\DARUMA\\ECF]\nLocalArquivos=C:\\DARUMA\\\nPorta=COM3\n\n"
            "[Software\\Outro]\nPorta=COM2\n");
}

TEST_F(RegistryTest, KeysAndNamesIgnoreLetterCaseAndOuterSeparators) {
  RegistryWriteString("Software\\DARUMA\\ECF", "LocalArquivos", "x");
  const char* keys[] = {"software\\daruma\\ecf", "SOFTWARE\\DARUMA\\ECF\\",
                        "\\Software\\Daruma\\Ecf", "Software/DARUMA/ECF"};
  for (const char* key : keys) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(RegistryOpenKey(key, false));
    EXPECT_EQ(RegistryReadString(key, "localarquivos"), "x");
  }
  RegistryWriteString("SOFTWARE\\daruma\\ecf", "LOCALARQUIVOS", "y");
  EXPECT_EQ(RegistryReadString("Software\\DARUMA\\ECF", "LocalArquivos"), "y");
  EXPECT_EQ(ReadFile(Path("registry.ini")).value(), "[Software\\DARUMA\\ECF]\nLOCALARQUIVOS=y\n");
}

TEST_F(RegistryTest, AbsentValueOrKeyReadsAsNothing) {
  EXPECT_EQ(RegistryReadString("Software\\DARUMA\\ECF", "Porta"), std::nullopt);
  RegistryOpenKey("Software\\DARUMA\\ECF", true);
  EXPECT_EQ(RegistryReadString("Software\\DARUMA\\ECF", "Porta"), std::nullopt);
  RegistryWriteString("Software\\DARUMA\\ECF", "Vazio", "");
  EXPECT_EQ(RegistryReadString("Software\\DARUMA\\ECF", "Vazio"), "");
}

TEST_F(RegistryTest, ValuesComeBackExactly) {
  const char* values[] = {" lead", "trail ",          "\"quoted\"", "\"half",
                          "a=b=c", "; not a comment", "\xE7\xE3o"};
  for (const char* value : values) {
    SCOPED_TRACE(value);
    RegistryWriteString("K", "V", value);
    EXPECT_EQ(RegistryReadString("K", "V"), value);
  }
}

TEST_F(RegistryTest, HandEditedFileIsReadAndItsCommentsKept) {
  AtomicReplaceFile(Path("registry.ini"),
                    "; local machine\r\n[Software\\DARUMA\\ECF]\r\n  Porta = COM4 \r\n"
                    "# comentario\r\n\r\n[Outra]\r\nX=1\r\n");
  EXPECT_EQ(RegistryReadString("Software\\DARUMA\\ECF", "Porta"), "COM4");
  RegistryWriteString("Software\\DARUMA\\ECF", "Velocidade", "9600");
  EXPECT_EQ(ReadFile(Path("registry.ini")).value(),
            "; local machine\n[Software\\DARUMA\\ECF]\n  Porta = COM4 \n# comentario\n"
            "Velocidade=9600\n\n[Outra]\nX=1\n");
}

TEST_F(RegistryTest, TextsAnIniLineCannotHoldAreRefused) {
  EXPECT_THROW(RegistryWriteString("K", "V", "two\nlines"), std::invalid_argument);
  EXPECT_THROW(RegistryWriteString("K", "a=b", "x"), std::invalid_argument);
  EXPECT_THROW(RegistryWriteString("K]", "V", "x"), std::invalid_argument);
  EXPECT_THROW(RegistryWriteString("K", "", "x"), std::invalid_argument);
  EXPECT_FALSE(FileExists(Path("registry.ini")));
}

TEST_F(RegistryTest, DefaultFileIsInTheHostFolder) {
  unsetenv("TOV_REGISTRY");
  RegistryWriteString("K", "V", "1");
  EXPECT_TRUE(FileExists(Path("registry.ini")));
}

TEST_F(RegistryTest, UnwritableFileIsAnErrorNamingThePath) {
  setenv("TOV_REGISTRY", Path("missing/registry.ini").c_str(), 1);
  try {
    RegistryWriteString("K", "V", "1");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(Path("missing/registry.ini")), std::string::npos)
        << error.what();
  }
}

}  // namespace
}  // namespace Tov00300::platform
