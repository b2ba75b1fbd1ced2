#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <functional>
#include <limits>

#include "Platform.h"
#include "TestSupport.h"

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

namespace {

std::vector<std::string> ReadAllLines(plat::TStream& s) {
  std::vector<std::string> lines;
  while (!s.Eof()) lines.push_back(s.ReadLine());
  return lines;
}

}  // namespace

TEST(Stream, EveryIntegerAndRealSizeRoundTripsLittleEndian) {
  plat::TMemoryStream s;
  s.WriteByte(0x1ff);  // only the low byte is kept
  s.WriteShort(0xBEEF);
  s.WriteInt(-123456789);
  s.WriteLong(int64_t(0x0123456789ABCDEFLL));
  s.WriteFloat(3.25f);
  s.WriteDouble(-1.0 / 3.0);
  s.WriteDouble(std::numeric_limits<double>::infinity());

  const std::vector<uint8_t>& d = s.Data();
  ASSERT_EQ(d.size(), 1u + 2 + 4 + 8 + 4 + 8 + 8);
  EXPECT_EQ(d[0], 0xff);
  EXPECT_EQ(d[1], 0xEF);  // little-endian: low byte first
  EXPECT_EQ(d[2], 0xBE);
  EXPECT_EQ(d[3 + 4], 0xEF);  // first byte of the 64-bit value
  // IEEE 754: 3.25f is 0x40500000.
  EXPECT_EQ(d[15], 0x00);
  EXPECT_EQ(d[18], 0x40);
  EXPECT_EQ(d[17], 0x50);

  s.Seek(0);
  EXPECT_EQ(s.ReadByte(), 0xff);
  EXPECT_EQ(s.ReadShort(), 0xBEEF);
  EXPECT_EQ(s.ReadInt(), -123456789);
  EXPECT_EQ(s.ReadLong(), int64_t(0x0123456789ABCDEFLL));
  EXPECT_EQ(s.ReadFloat(), 3.25f);
  EXPECT_EQ(s.ReadDouble(), -1.0 / 3.0);
  EXPECT_TRUE(std::isinf(s.ReadDouble()));
  EXPECT_TRUE(s.Eof());
}

TEST(Stream, ReadingPastTheEndYieldsZeroesAndEmptyStrings) {
  plat::TMemoryStream s(std::vector<uint8_t>{1, 2});
  EXPECT_EQ(s.ReadInt(), 0x0201);  // the missing bytes read as 0
  EXPECT_TRUE(s.Eof());
  EXPECT_EQ(s.ReadByte(), 0);
  EXPECT_EQ(s.ReadLine(), "");
  EXPECT_EQ(s.ReadString(5), "");
}

TEST(Stream, LinesEndAtLineFeedOrNulAndDropEveryCarriageReturn) {
  plat::TMemoryStream lf(std::vector<uint8_t>{'a', 'b', 10, 'c', 10, 10, 'd'});
  std::string crlfText = "ab\r\nc\r\n\r\nd";
  plat::TMemoryStream crlf(std::vector<uint8_t>(crlfText.begin(), crlfText.end()));
  std::vector<std::string> expected = {"ab", "c", "", "d"};
  EXPECT_EQ(ReadAllLines(lf), expected);
  EXPECT_EQ(ReadAllLines(crlf), expected);

  plat::TMemoryStream nul(std::vector<uint8_t>{'x', 13, 'y', 0, 'z'});
  EXPECT_EQ(nul.ReadLine(), "xy");  // the CR inside the line is dropped too
  EXPECT_EQ(nul.ReadLine(), "z");   // the last line has no line feed
}

TEST(Stream, WrittenLinesAndStringsUseLowBytesOnly) {
  plat::TMemoryStream s;
  s.WriteLine(std::string("hi"));
  s.WriteLine(std::u16string(u"\u0141\u00e9"));  // 0x141 becomes 0x41
  s.WriteString(std::string("\xe9t\xe9"));
  std::vector<uint8_t> expected = {'h', 'i', 13, 10, 0x41, 0xe9, 13, 10, 0xe9, 't', 0xe9};
  EXPECT_EQ(s.Data(), expected);
  s.Seek(0);
  EXPECT_EQ(s.ReadLine(), "hi");
  EXPECT_EQ(s.ReadLine(), "A\xe9");
  EXPECT_EQ(s.ReadString(3), "\xe9t\xe9");
}

TEST(Files, ReadOnlyPathsResolveRegardlessOfLetterCase) {
  TempDir tmp;
  ASSERT_TRUE(plat::CreateDir(tmp.Path() + "/Data/graphics", true));
  WriteWholeFile(tmp.Path() + "/Data/graphics/Cell1.png", "gem");
  WriteWholeFile(tmp.Path() + "/Data/graphics/zone.png", "gem");  // the end of the alphabet
  WriteWholeFile(tmp.Path() + "/Data/graphics/\xc3\xa9t\xc3\xa9.png", "gem");  // "été"
  WriteWholeFile(tmp.Path() + "/Data/graphics/жар.png", "gem");

  for (const char* asked :
       {"/data/graphics/cell1.png", "/Data/graphics/Cell1.png", "/DATA/GRAPHICS/CELL1.PNG",
        "/DATA/GRAPHICS/ZONE.PNG", "/data/graphics/ZoNe.png",
        "/Data/graphics/\xc3\x89T\xc3\x89.PNG", "/Data/graphics/ЖАР.png"}) {
    std::string path = tmp.Path() + asked;
    EXPECT_EQ(plat::FileType(path), plat::FILETYPE_FILE) << asked;
    auto s = plat::ReadStream(path);
    ASSERT_TRUE(s) << asked;
    EXPECT_EQ(s->ReadString(3), "gem");
  }
  EXPECT_EQ(plat::ResolvePath(tmp.Path() + "/data/GRAPHICS"), tmp.Path() + "/Data/graphics");
  EXPECT_EQ(plat::FileType(tmp.Path() + "/data/graphics/cell2.png"), plat::FILETYPE_NONE);
  EXPECT_EQ(plat::ReadStream(tmp.Path() + "/data/graphics/cell2.png"), nullptr);
  EXPECT_EQ(plat::FileType(tmp.Path() + "/DATA"), plat::FILETYPE_DIR);
}

TEST(Files, NamesAboveAsciiAreStoredAsUtf8AndListedBack) {
  TempDir tmp;
  // A folder beyond Latin-1 ("Дмитрий"): a path reaches the disk as it is.
  std::string folder = tmp.Path() + "/\xd0\x94\xd0\xbc\xd0\xb8\xd1\x82\xd1\x80\xd0\xb8\xd0\xb9";
  ASSERT_TRUE(plat::CreateDir(folder + "/inner", true));
  std::string name = "Ren\xc3\xa9";  // "René"
  auto out = plat::WriteFileAtomic(folder + "/inner/" + plat::FileNameOfText(name) + ".dat");
  ASSERT_TRUE(out);
  out->WriteLine(std::string("x"));
  ASSERT_TRUE(out->Close());

  EXPECT_EQ(ReadWholeFile(folder + "/inner/Ren\xc3\xa9.dat"), "x\r\n");  // UTF-8 on disk
  std::vector<std::string> listed = plat::ReadDir(folder + "/inner");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0], "Ren\xc3\xa9.dat");
  std::string shown;
  EXPECT_TRUE(plat::TextOfFileName(listed[0], shown));
  EXPECT_EQ(shown, name + ".dat");
  EXPECT_EQ(plat::FileSize(folder + "/inner/" + listed[0]), 3);
  EXPECT_EQ(plat::ReadDir(tmp.Path()),
            std::vector<std::string>{folder.substr(tmp.Path().size() + 1)});
  // A file name beyond Latin-1 is shown as it is; one that is no UTF-8 is
  // not shown as another.
  EXPECT_TRUE(plat::TextOfFileName("\xd0\x94.save", shown));
  EXPECT_EQ(shown, "Д.save");
  EXPECT_FALSE(plat::TextOfFileName("Ren\xe9.save", shown));
  EXPECT_EQ(plat::RemoveStaleTemporaries(folder), 0);
  EXPECT_TRUE(plat::DeleteDir(folder, true));
  EXPECT_EQ(plat::FileType(folder), plat::FILETYPE_NONE);
}

TEST(Files, FolderAndFileOperations) {
  TempDir tmp;
  std::string deep = tmp.Path() + "/a/b/c";
  EXPECT_TRUE(plat::CreateDir(deep, true));
  EXPECT_EQ(plat::FileType(deep), plat::FILETYPE_DIR);
  WriteWholeFile(deep + "/f.txt", "12345");
  EXPECT_EQ(plat::FileSize(deep + "/f.txt"), 5);
  EXPECT_EQ(plat::FileSize(deep + "/missing.txt"), -1);
  EXPECT_TRUE(plat::CopyFile(deep + "/f.txt", tmp.Path() + "/g.txt"));
  EXPECT_EQ(ReadWholeFile(tmp.Path() + "/g.txt"), "12345");
  EXPECT_TRUE(plat::RenameFile(tmp.Path() + "/g.txt", tmp.Path() + "/h.txt"));
  EXPECT_EQ(plat::FileType(tmp.Path() + "/g.txt"), plat::FILETYPE_NONE);
  EXPECT_TRUE(plat::DeleteFile(tmp.Path() + "/h.txt"));
  EXPECT_FALSE(plat::DeleteFile(tmp.Path() + "/h.txt"));
  EXPECT_FALSE(plat::DeleteDir(tmp.Path() + "/a"));  // not empty
  EXPECT_TRUE(plat::DeleteDir(tmp.Path() + "/a", true));
  EXPECT_EQ(plat::FileType(tmp.Path() + "/a"), plat::FILETYPE_NONE);
  EXPECT_EQ(plat::ReadDiskFile(tmp.Path()), nullptr);  // a folder is not a file
}

TEST(Files, ReadWriteStreamKeepsExistingBytes) {
  TempDir tmp;
  WriteWholeFile(tmp.File("rw.bin"), "abcdef");
  auto s = plat::OpenFile(tmp.File("rw.bin"), true, true);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Size(), 6);
  s->Seek(2);
  s->WriteString(std::string("XY"));
  s->Seek(0);
  EXPECT_EQ(s->ReadString(6), "abXYef");
  EXPECT_TRUE(s->Close());
}

TEST(Files, StreamFactoryIsAskedBeforeTheDisk) {
  TempDir tmp;
  WriteWholeFile(tmp.File("loose.txt"), "disk");
  plat::SetStreamFactory([](const std::string& path) -> plat::TStreamPtr {
    if (path.find("packed.txt") == std::string::npos) return nullptr;
    return std::make_unique<plat::TMemoryStream>(std::vector<uint8_t>{'p', 'a', 'k'});
  });
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(plat::LoadBytes(tmp.File("packed.txt"), bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "pak");
  EXPECT_TRUE(plat::LoadBytes(tmp.File("loose.txt"), bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "disk");
  EXPECT_EQ(plat::ReadDiskFile(tmp.File("packed.txt")), nullptr);
  plat::SetStreamFactory(nullptr);
  EXPECT_FALSE(plat::LoadBytes(tmp.File("packed.txt"), bytes));
}

TEST(AtomicWrite, ReplacesTheFileOnlyWhenClosed) {
  TempDir tmp;
  std::string target = tmp.File("settings.ini");
  WriteWholeFile(target, "old contents");

  auto s = plat::WriteFileAtomic(target);
  ASSERT_TRUE(s);
  s->WriteLine(std::string("new"));
  EXPECT_EQ(ReadWholeFile(target), "old contents");  // not yet replaced
  EXPECT_TRUE(s->Close());
  EXPECT_EQ(ReadWholeFile(target), "new\r\n");
  EXPECT_EQ(plat::ReadDir(tmp.Path()).size(), 1u);  // no temporary file left

  auto abandoned = plat::WriteFileAtomic(target);
  abandoned->WriteLine(std::string("half"));
  abandoned.reset();  // destroyed without Close: the old file stays
  EXPECT_EQ(ReadWholeFile(target), "new\r\n");
  EXPECT_EQ(plat::ReadDir(tmp.Path()).size(), 1u);
}

TEST(AtomicWrite, AWriterKilledBeforeItsRenameLeavesTheOldFile) {
  TempDir tmp;
  std::string target = tmp.File("profile.dat");
  WriteWholeFile(target, "precious");

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto s = plat::WriteFileAtomic(target);
    for (int i = 0; i < 1000; ++i) s->WriteLine(std::string("partial data"));
    kill(getpid(), SIGKILL);  // dies mid-write
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(ReadWholeFile(target), "precious");
}

TEST(AtomicWrite, FailsCleanlyWhereTheFolderIsMissing) {
  TempDir tmp;
  EXPECT_EQ(plat::WriteFileAtomic(tmp.Path() + "/no/such/folder/x.dat"), nullptr);
  EXPECT_EQ(plat::WriteFile(tmp.Path() + "/no/such/folder/x.dat"), nullptr);
}

namespace {

// Runs body in a child process that may write at most `limit` bytes into any
// one file (a full disk, as far as the writer can tell); the child's exit
// status.
int WithFileSizeLimit(rlim_t limit, const std::function<int()>& body) {
  pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
    rlimit small{limit, limit};
    setrlimit(RLIMIT_FSIZE, &small);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

mode_t ModeOf(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

}  // namespace

TEST(AtomicWrite, AWriteThatFailsOnAFullDiskKeepsTheOldFileAndReportsFailure) {
  TempDir tmp;
  std::string target = tmp.File("profile.dat");
  WriteWholeFile(target, "precious");
  // 1: Close reported failure; 2: Close reported success.
  int status = WithFileSizeLimit(4096, [&] {
    auto s = plat::WriteFileAtomic(target);
    if (!s) return 9;
    for (int i = 0; i < 2000; ++i) s->WriteLine(std::string("a line of the player's data"));
    return s->Close() ? 2 : 1;
  });
  EXPECT_EQ(status, 1);
  EXPECT_EQ(ReadWholeFile(target), "precious");
  EXPECT_EQ(plat::ReadDir(tmp.Path()), std::vector<std::string>{"profile.dat"});
  // Within the limit the same write goes through.
  status = WithFileSizeLimit(1 << 20, [&] {
    auto s = plat::WriteFileAtomic(target);
    if (!s) return 9;
    for (int i = 0; i < 2000; ++i) s->WriteLine(std::string("a line of the player's data"));
    return s->Close() ? 2 : 1;
  });
  EXPECT_EQ(status, 2);
  EXPECT_EQ(ReadWholeFile(target).size(), 2000u * 29u);
}

TEST(AtomicWrite, AReplacedFileKeepsItsPermissionsAndANewOneGetsTheUsualOnes) {
  TempDir tmp;
  mode_t oldMask = umask(022);
  auto write = [](const std::string& path) {
    auto s = plat::WriteFileAtomic(path);
    s->WriteLine(std::string("x"));
    return s->Close();
  };
  ASSERT_TRUE(write(tmp.File("new.ini")));
  EXPECT_EQ(ModeOf(tmp.File("new.ini")), 0644u);
  for (mode_t mode : {0600u, 0640u, 0664u}) {
    WriteWholeFile(tmp.File("kept.dat"), "old");
    chmod(tmp.File("kept.dat").c_str(), mode);
    ASSERT_TRUE(write(tmp.File("kept.dat")));
    EXPECT_EQ(ModeOf(tmp.File("kept.dat")), mode);
    EXPECT_EQ(ReadWholeFile(tmp.File("kept.dat")), "x\r\n");
  }
  umask(oldMask);
}

TEST(Files, OnlyTemporariesOfAtomicWritesAreSweptAway) {
  TempDir tmp;
  plat::CreateDir(tmp.File("inner"));
  for (const char* name : {"a.ini.tmp-Ab3dE9", "inner/b.dat.tmp-000000"})
    WriteWholeFile(tmp.File(name), "half");
  for (const char* name : {"a.ini", "c.tmp-abcde", "d.tmp-abcdefg", "e.tmp-abc-de", "inner/f.dat"})
    WriteWholeFile(tmp.File(name), "whole");
  // A link to another folder is not followed.
  TempDir other;
  WriteWholeFile(other.File("g.tmp-abcdef"), "theirs");
  ASSERT_EQ(symlink(other.Path().c_str(), tmp.File("link").c_str()), 0);
  EXPECT_EQ(plat::RemoveStaleTemporaries(tmp.Path()), 2);
  EXPECT_EQ(plat::ReadDir(tmp.Path()),
            (std::vector<std::string>{"a.ini", "c.tmp-abcde", "d.tmp-abcdefg", "e.tmp-abc-de",
                                      "inner", "link"}));
  EXPECT_EQ(plat::ReadDir(tmp.File("inner")), std::vector<std::string>{"f.dat"});
  EXPECT_EQ(ReadWholeFile(other.File("g.tmp-abcdef")), "theirs");
  EXPECT_EQ(plat::RemoveStaleTemporaries(""), 0);
}
