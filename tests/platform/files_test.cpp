#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "platform/scratch_folder.h"
#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

using FilesTest = testing_platform::ScratchFolderTest;

TEST_F(FilesTest, BackslashPathsReachTheSameFiles) {
  ASSERT_TRUE(CreateFolder(folder_ + "\\Dados\\MenuFiscal"));
  EXPECT_TRUE(FolderExists(Path("Dados/MenuFiscal")));
  AppendToFile(folder_ + "\\Dados\\MenuFiscal\\a.txt", "x");
  EXPECT_TRUE(FileExists(Path("Dados/MenuFiscal/a.txt")));
  EXPECT_FALSE(FileExists(Path("Dados")));  // a folder is not a file
  EXPECT_FALSE(FolderExists(Path("Dados/MenuFiscal/a.txt")));
}

TEST_F(FilesTest, AppendCreatesThenExtends) {
  AppendToFile(Path("log.txt"), "one\r\n");
  AppendToFile(Path("log.txt"), "two\r\n");
  EXPECT_EQ(ReadFile(Path("log.txt")), "one\r\ntwo\r\n");
}

TEST_F(FilesTest, AppendFailureNamesThePath) {
  try {
    AppendToFile(Path("absent/log.txt"), "x");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(Path("absent/log.txt")), std::string::npos);
  }
}

TEST_F(FilesTest, CopyReplacesTheTarget) {
  AppendToFile(Path("a"), "new");
  AppendToFile(Path("b"), "old content");
  EXPECT_TRUE(CopyFileReplace(Path("a"), Path("b")));
  EXPECT_EQ(ReadFile(Path("b")), "new");
  EXPECT_FALSE(CopyFileReplace(Path("absent"), Path("c")));
}

// A copy that cannot complete leaves the older target whole and no
// temporary behind.
TEST_F(FilesTest, FailedCopyLeavesTheTargetAsItWas) {
  AppendToFile(Path("b"), "old content");
  ASSERT_TRUE(CreateFolder(Path("folder")));
  EXPECT_FALSE(CopyFileReplace(Path("folder"), Path("b")));
  EXPECT_FALSE(CopyFileReplace(Path("b"), Path("absent/b")));
  EXPECT_EQ(ReadFile(Path("b")), "old content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(FilesTest, NamesAreFoundRegardlessOfLetterCase) {
  AppendToFile(Path("ATO_MFD_DATA.txt"), "lower");
  EXPECT_EQ(ResolveFileCase(folder_ + "\\ATO_MFD_DATA.TXT"), Path("ATO_MFD_DATA.txt"));
  AppendToFile(Path("ATO_MFD_DATA.TXT"), "upper");
  EXPECT_EQ(ResolveFileCase(Path("ATO_MFD_DATA.TXT")), Path("ATO_MFD_DATA.TXT")) << "exact first";
  EXPECT_EQ(ResolveFileCase(Path("absent.txt")), Path("absent.txt"));
  EXPECT_EQ(ResolveFileCase(Path("nofolder/x.txt")), Path("nofolder/x.txt"));
}

TEST_F(FilesTest, RenameRefusesAnExistingTarget) {
  AppendToFile(Path("retorno.txt"), "1");
  AppendToFile(Path("taken.txt"), "2");
  EXPECT_FALSE(RenameFile(Path("retorno.txt"), Path("taken.txt")));
  EXPECT_EQ(ReadFile(Path("taken.txt")), "2");
  EXPECT_TRUE(RenameFile(Path("retorno.txt"), Path("free.txt")));
  EXPECT_FALSE(FileExists(Path("retorno.txt")));
  EXPECT_EQ(ReadFile(Path("free.txt")), "1");
  EXPECT_FALSE(RenameFile(Path("retorno.txt"), Path("again.txt")));
}

TEST_F(FilesTest, AtomicReplaceLeavesNewContentAndNoTemporaries) {
  AtomicReplaceFile(Path("gt.dat"), "old");
  ::chmod(Path("gt.dat").c_str(), 0640);
  AtomicReplaceFile(Path("gt.dat"), std::string("new\0data", 8));
  EXPECT_EQ(ReadFile(Path("gt.dat")), std::string("new\0data", 8));
  struct stat info {};
  ASSERT_EQ(::stat(Path("gt.dat").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST_F(FilesTest, FailedAtomicReplaceKeepsTheOldContent) {
  AtomicReplaceFile(Path("gt.dat"), "old");
  // Replacing fails when the target is a folder: the rename is refused after
  // the new content was written to the temporary file.
  ASSERT_TRUE(CreateFolder(Path("sub")));
  EXPECT_THROW(AtomicReplaceFile(Path("sub"), "new"), std::runtime_error);
  EXPECT_FALSE(CopyFileReplace(Path("gt.dat"), Path("sub")));
  EXPECT_EQ(ReadFile(Path("gt.dat")), "old");
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2);  // gt.dat and sub, no temporary left behind
  EXPECT_THROW(AtomicReplaceFile(Path("absent/gt.dat"), "x"), std::runtime_error);
}

}  // namespace
}  // namespace Tov00300::platform
