// The resource archive: both versions, their damage cases, the index with
// loose files, and the stream hook.
#include <gtest/gtest.h>

#include <stdexcept>

#include "PakWriter.h"
#include "TPakFile.h"
#include "TPakFileManager.h"
#include "TPakFileStreamFactory.h"
#include "TestSupport.h"

using paktest::Entry;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

namespace {

const std::vector<Entry> kEntries = {
    {"calibri.ttf", 3, std::string(5000, 'f') + "face"},
    {"TitleScreen.jpg", 2, "jpeg bytes"},
    {"empty.dat", 0, ""},
};

std::string ReadMessage(const std::string& bytes) {
  plat::TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  TPakFile pak;
  try {
    pak.ReadFromStream(stream);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

void ExpectEntries(const TPakFile& pak) {
  ASSERT_EQ(pak.Items.size(), kEntries.size());
  for (size_t i = 0; i < kEntries.size(); ++i) {
    EXPECT_EQ(pak.Items[i]->Name, kEntries[i].name);
    EXPECT_EQ(pak.Items[i]->VarType, kEntries[i].kind);
    EXPECT_EQ(pak.Items[i]->GetString(), kEntries[i].data);
  }
}

std::string StreamText(plat::TStreamPtr stream) {
  if (!stream) return "<null>";
  auto bytes = stream->ReadAll();
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(PakFile, ReadsBothVersionsInArchiveOrder) {
  TempDir dir;
  WriteWholeFile(dir.File("v1.pak"), paktest::Version1(kEntries));
  WriteWholeFile(dir.File("v2.pak"), paktest::VersionTable(kEntries));
  for (const char* name : {"v1.pak", "v2.pak"}) {
    SCOPED_TRACE(name);
    auto pak = TPakFile::Create(dir.File(name));
    ASSERT_NE(pak, nullptr);
    ExpectEntries(*pak);
  }
  EXPECT_EQ(TPakFile::Create(dir.File("absent.pak")), nullptr);
}

TEST(PakFile, ATableArchiveIsReadItemByItemWhenAsked) {
  std::string bytes = paktest::VersionTable(kEntries);
  plat::TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  std::vector<TTableItem> table = TPakFile::ReadTable(stream);
  ASSERT_EQ(table.size(), kEntries.size());
  // Out of order, as the pictures are asked for.
  for (size_t i : {2, 0, 1}) {
    EXPECT_EQ(table[i].Name, kEntries[i].name);
    std::vector<uint8_t> item = TPakFile::ReadItem(stream, table[i]);
    EXPECT_EQ(std::string(item.begin(), item.end()), kEntries[i].data);
  }
  TTableItem past = table[0];
  past.Offset = int(bytes.size());
  EXPECT_THROW(TPakFile::ReadItem(stream, past), std::runtime_error);
}

TEST(PakFile, RejectsWrongMagicAndUnknownVersions) {
  std::string good = paktest::Version1(kEntries);
  EXPECT_EQ(ReadMessage("PAK!" + good.substr(4)), "TPakFile::Invalid pak file");
  EXPECT_EQ(ReadMessage("!PA"), "TPakFile::Invalid pak file");
  EXPECT_EQ(ReadMessage(""), "TPakFile::Invalid pak file");
  EXPECT_EQ(ReadMessage(paktest::Header(2) + good.substr(8)),
            "TPakFile::Unsupported pakfile version 2.0");
  EXPECT_EQ(ReadMessage(paktest::Header(0x00020001) + good.substr(8)),
            "TPakFile::Unsupported pakfile version 1.2");
  EXPECT_EQ(ReadMessage(paktest::Header(0xFFFFFFFFu)),
            "TPakFile::Unsupported pakfile version 65535.65535");
}

TEST(PakFile, TruncatedArchivesRaiseInsteadOfReadingPastTheEnd) {
  for (const std::string& full : {paktest::Version1(kEntries), paktest::VersionTable(kEntries)}) {
    // Every cut, from inside the header to the last byte of the last item.
    for (size_t cut = 5; cut < full.size(); cut += 7) {
      SCOPED_TRACE(cut);
      EXPECT_EQ(ReadMessage(full.substr(0, cut)), "TPakFile::Truncated pak file");
    }
    EXPECT_EQ(ReadMessage(full.substr(0, full.size() - 1)), "TPakFile::Truncated pak file");
  }
}

TEST(PakFile, DamagedItemDataAndTablesAreReported) {
  std::string v1 = paktest::Version1({{"a.txt", 1, "hello hello hello"}});
  v1[v1.size() - 3] ^= 0x55;  // inside the deflated data
  EXPECT_EQ(ReadMessage(v1), "TPakFile::Damaged item a.txt");

  // A stated real size that the data do not fill.
  std::string lying = paktest::Header(1);
  paktest::PutInt(lying, 1);
  std::string packed = paktest::Deflate("abc");
  lying += paktest::Field("b.bin", 52);
  paktest::PutInt(lying, 0);
  paktest::PutInt(lying, uint32_t(packed.size()));
  paktest::PutInt(lying, 10);
  EXPECT_EQ(ReadMessage(lying + packed), "TPakFile::Damaged item b.bin");

  // A huge item count must not allocate its way to a crash.
  std::string count = paktest::Header(1);
  paktest::PutInt(count, 0x7FFFFFFF);
  EXPECT_EQ(ReadMessage(count), "TPakFile::Truncated pak file");

  std::string table = paktest::VersionTable(kEntries);
  table[12] = 1;  // the table's stated size no longer matches the count
  EXPECT_EQ(ReadMessage(table), "TPakFile::Damaged item table");
}

TEST(PakFile, NamesAreTrimmedOfPaddingAtBothEnds) {
  std::string bytes = paktest::Header(1);
  paktest::PutInt(bytes, 2);
  std::string packed = paktest::Deflate("x");
  for (const std::string& field :
       {paktest::Field("loading.png", 52, '\0'), paktest::Field("  spaced.png", 52, ' ')}) {
    bytes += field;
    paktest::PutInt(bytes, 2);
    paktest::PutInt(bytes, uint32_t(packed.size()));
    paktest::PutInt(bytes, 1);
    bytes += packed;
  }
  plat::TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  TPakFile pak;
  pak.ReadFromStream(stream);
  ASSERT_EQ(pak.Items.size(), 2u);
  EXPECT_EQ(pak.Items[0]->Name, "loading.png");
  EXPECT_EQ(pak.Items[1]->Name, "spaced.png");
  EXPECT_EQ(TrimPakName(std::string("\0 a b \t\0", 8)), "a b");
}

TEST(PakFileManager, IndexesArchivesAndLooseFilesByLowerCaseName) {
  TempDir dir;
  WriteWholeFile(dir.File("data.pak"), paktest::VersionTable(kEntries));
  plat::CreateDir(dir.File("sub/deeper"), true);
  WriteWholeFile(dir.File("score1.par"), "particles");
  WriteWholeFile(dir.File("sub/deeper/Notes.TXT"), "notes");
  auto man = TPakFileManager::Create(dir.Path() + "/./", ".pak");
  EXPECT_EQ(man->Path, dir.Path() + "/");
  EXPECT_EQ(man->Map.size(), 5u);
  EXPECT_EQ(man->GetItem("TITLESCREEN.JPG"), man->GetItem("titlescreen.jpg"));
  ASSERT_NE(man->GetItem("titleScreen.jpg"), nullptr);
  EXPECT_EQ(man->GetItem("titlescreen.jpg")->Name, "TitleScreen.jpg");
  auto notes = man->GetItem("sub/deeper/notes.txt");
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->Name, "sub/deeper/Notes.TXT");
  EXPECT_EQ(notes->VarType, PAK_TEXT);
  EXPECT_EQ(man->GetItem("score1.par")->VarType, PAK_BINARY);
  EXPECT_EQ(man->GetItem("data.pak"), nullptr);  // archives are not items
  EXPECT_EQ(man->GetString("empty.dat"), "");
  EXPECT_NE(man->GetItem("empty.dat"), nullptr);
}

TEST(PakFileManager, LooseFilesAndLaterArchivesReplaceEarlierItems) {
  TempDir dir;
  WriteWholeFile(dir.File("a.pak"), paktest::Version1({{"shared.txt", 1, "from a"},
                                                       {"titlescreen.jpg", 2, "archive"}}));
  WriteWholeFile(dir.File("b.pak"), paktest::VersionTable({{"Shared.txt", 1, "from b"}}));
  WriteWholeFile(dir.File("TitleScreen.JPG"), "loose");
  auto man = TPakFileManager::Create(dir.Path(), ".pak");
  EXPECT_EQ(man->GetString("shared.txt"), "from b");
  EXPECT_EQ(man->GetString("titlescreen.jpg"), "loose");
  EXPECT_EQ(man->GetItem("titlescreen.jpg")->VarType, PAK_IMAGE);

  // Reload picks up what changed on the disk.
  plat::DeleteFile(dir.File("TitleScreen.JPG"));
  man->Reload();
  EXPECT_EQ(man->GetString("titlescreen.jpg"), "archive");
}

TEST(PakFileManager, EmptyOrMissingFoldersGiveAnEmptyIndex) {
  TempDir dir;
  auto man = TPakFileManager::Create(dir.Path(), ".pak");
  EXPECT_TRUE(man->Map.empty());
  EXPECT_EQ(man->LoadPaks(dir.File("missing"), ".pak"), 0);
  EXPECT_EQ(man->LoadPakFile(dir.File("missing.pak")), 0);
  EXPECT_EQ(man->GetItem("anything"), nullptr);
  EXPECT_TRUE(man->GetBinary("anything").empty());
  EXPECT_TRUE(man->GetBank("anything").empty());
  EXPECT_EQ(man->GetString("anything"), "");
  EXPECT_EQ(man->GetText("anything"), "");
  EXPECT_EQ(man->GetStream("anything"), nullptr);
  EXPECT_EQ(man->GetPixmap("anything"), nullptr);
  EXPECT_EQ(man->GetImage("anything"), nullptr);
  EXPECT_EQ(man->GetAnimImage("anything", 8, 8, 0, 1), nullptr);
  EXPECT_EQ(man->GetImageFont("anything", 12), nullptr);
  EXPECT_EQ(man->GetSound("anything"), nullptr);
  EXPECT_EQ(man->GetAudioSample("anything"), nullptr);
}

TEST(PakFileManager, DamagedArchiveStopsTheIndex) {
  TempDir dir;
  WriteWholeFile(dir.File("data.pak"), "!PAK\x02");
  EXPECT_THROW(TPakFileManager::Create(dir.Path(), ".pak"), std::runtime_error);
}

TEST(PakFileManager, LoadPakFileAddsOneArchive) {
  TempDir dir;
  WriteWholeFile(dir.File("extra.bin"), paktest::Version1({{"late.txt", 1, "late"}}));
  auto man = TPakFileManager::Create(dir.File("none"), ".pak");
  EXPECT_EQ(man->LoadPakFile(dir.File("extra.bin")), 1);
  EXPECT_EQ(man->GetString("LATE.TXT"), "late");
}

TEST(PakItem, TextHonoursByteOrderMarksAndKindsFollowExtensions) {
  TPakItem plain("a.txt", PAK_TEXT, {'h', 0xE9, 'j'});
  EXPECT_EQ(plain.GetText(), "h\u00e9j");  // Latin-1
  TPakItem utf8("b.txt", PAK_TEXT, {0xEF, 0xBB, 0xBF, 'h', 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xC3});
  EXPECT_EQ(utf8.GetText(), "h\u00e9\u20ac\u00c3");  // a cut sequence: its byte as Latin-1
  TPakItem utf16("c.txt", PAK_TEXT,
                 {0xFF, 0xFE, 'h', 0, 0xE9, 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE});
  EXPECT_EQ(utf16.GetText(), "h\u00e9\u20ac\U0001F600");
  TPakItem utf16be("d.txt", PAK_TEXT, {0xFE, 0xFF, 0, 'o', 0, 'k'});
  EXPECT_EQ(utf16be.GetText(), "ok");
  EXPECT_EQ(TPakItem(plain).ToString(), "a.txt");
  auto stream = plain.GetStream();
  EXPECT_EQ(stream->ReadByte(), 'h');
  EXPECT_EQ(stream->Size(), 3);

  EXPECT_EQ(TPakItem::VarTypeForFile("a/B.DAT"), PAK_BINARY);
  EXPECT_EQ(TPakItem::VarTypeForFile("x.bin"), PAK_BINARY);
  EXPECT_EQ(TPakItem::VarTypeForFile("x.Txt"), PAK_TEXT);
  for (const char* image : {"p.png", "p.JPG", "p.tga", "p.bmp"}) {
    EXPECT_EQ(TPakItem::VarTypeForFile(image), PAK_IMAGE) << image;
  }
  EXPECT_EQ(TPakItem::VarTypeForFile("calibri.TTF"), PAK_FONT);
  EXPECT_EQ(TPakItem::VarTypeForFile("s.wav"), PAK_SOUND);
  EXPECT_EQ(TPakItem::VarTypeForFile("s.ogg"), PAK_SOUND);
  EXPECT_EQ(TPakItem::VarTypeForFile("score1.par"), PAK_BINARY);
  EXPECT_EQ(TPakItem::VarTypeForFile("folder.d/noext"), PAK_BINARY);
}

TEST(PakFileStreamFactory, ServesItemsByProtocolAndByPathUnlessALooseFileExists) {
  TempDir dir;
  std::string res = dir.File("data/resources");
  plat::CreateDir(res, true);
  WriteWholeFile(res + "/data.pak", paktest::VersionTable({{"titlescreen.jpg", 2, "archive"}}));
  auto man = TPakFileManager::Create(res, ".pak");
  auto factory = RegisterPakProtocol(man, "pak");
  ASSERT_NE(factory, nullptr);

  EXPECT_EQ(StreamText(plat::ReadStream("pak::TitleScreen.jpg")), "archive");
  EXPECT_EQ(StreamText(plat::ReadStream(res + "/titlescreen.jpg")), "archive");
  EXPECT_EQ(factory->CreateStream("", "pak", "titlescreen.jpg", true, true), nullptr);
  EXPECT_EQ(factory->CreateStream("", "zip", "titlescreen.jpg", true, false), nullptr);
  EXPECT_EQ(factory->Open("pak::missing.jpg"), nullptr);
  EXPECT_EQ(factory->Open(dir.File("titlescreen.jpg")), nullptr);  // outside the folder

  WriteWholeFile(res + "/titlescreen.jpg", "loose");
  EXPECT_EQ(StreamText(plat::ReadStream(res + "/titlescreen.jpg")), "loose");

  RegisterPakProtocol(nullptr, "pak");
  EXPECT_EQ(plat::ReadStream("pak::titlescreen.jpg"), nullptr);
}

TEST(PakPaths, AbsolutePathResolvesDotsAndSeparators) {
  EXPECT_EQ(AbsolutePath("/a/b/../c/./d", false), "/a/c/d");
  EXPECT_EQ(AbsolutePath("/a//b\\c", true), "/a/b/c/");
  EXPECT_EQ(AbsolutePath("/..", false), "/");
  EXPECT_EQ(AbsolutePath("rel", false), AbsolutePath(plat::CurrentDir(), true) + "rel");
}
