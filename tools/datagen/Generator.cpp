#include "Generator.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "Archive.h"
#include "Canvas.h"
#include "Encoders.h"
#include "LevelSheet.h"
#include "Manifest.h"
#include "ParticleFiles.h"
#include "Review.h"
#include "Texts.h"

namespace fs = std::filesystem;

namespace datagen {

namespace {

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

double Since(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

// Processor time of this thread: what a step costs, whatever else the machine runs.
double ThreadSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

class TreeWriter {
 public:
  explicit TreeWriter(std::string root) : root_(std::move(root)) {}

  void Write(const std::string& relative, const Bytes& bytes) {
    fs::path path = fs::path(root_) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    ++files_;
    bytes_ += bytes.size();
  }

  size_t Files() const { return files_; }
  uint64_t TotalBytes() const { return bytes_; }

 private:
  std::string root_;
  size_t files_ = 0;
  uint64_t bytes_ = 0;
};

std::string Stem(const std::string& name) { return name.substr(0, name.rfind('.')); }

int SerialOf(const std::string& name) {
  uint32_t h = 2166136261u;  // FNV-1a: a fixed serial per file name
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  return int(h & 0x7fffffff);
}

Bytes EncodeSound(const Entry& e, bool verbose) {
  double started = ThreadSeconds();
  Audio audio = e.sound();
  double made = ThreadSeconds();
  Bytes bytes = e.kind == Kind::Wav ? EncodeWav(audio)
                                    : EncodeOgg(audio, e.slow ? 0.4 : 0.5, SerialOf(e.name));
  if (verbose)
    std::fprintf(stderr, "%6.3f s  %s (%.3f s synthesis)\n", ThreadSeconds() - started,
                 e.Path().c_str(), made - started);
  return bytes;
}

Bytes CopySource(const Entry& e, const GeneratorOptions& o) {
  const std::string& s = e.source;
  if (s.rfind("text:", 0) == 0) return ReadFile(o.text + "/" + s.substr(5));
  if (s.rfind("font:", 0) == 0) return ReadFile(o.fonts + "/" + s.substr(5));
  if (s == "licence") return ReadFile(o.licence);
  throw std::runtime_error("unknown source \"" + s + "\" of " + e.name);
}

void CheckText(const GeneratorOptions& o) {
  Bytes text = ReadFile(o.text + "/gametext.txt");
  std::vector<std::string> problems = CheckGameText(std::string(text.begin(), text.end()));
  if (problems.empty()) return;
  std::ostringstream msg;
  msg << "gametext.txt has " << problems.size() << " problem(s):";
  for (const std::string& p : problems) msg << "\n  " << p;
  throw std::runtime_error(msg.str());
}

// Only the folders this program owns are cleared: stale files from older runs
// go, and a link left by an external-data build is replaced by a real folder.
void ClearOutput(const std::string& out) {
  for (const char* folder : {"data", "Data", "layouts"}) fs::remove_all(fs::path(out) / folder);
  fs::create_directories(fs::path(out) / "layouts");
}

void CopyLayouts(const GeneratorOptions& o, TreeWriter& writer) {
  if (o.layouts.empty() || !fs::is_directory(o.layouts)) return;
  std::vector<fs::path> files;
  for (const auto& item : fs::directory_iterator(o.layouts))
    if (item.is_regular_file() &&
        (item.path().extension() == ".layout" || item.path().filename() == "par.txt"))
      files.push_back(item.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& p : files)
    writer.Write("layouts/" + p.filename().string(), ReadFile(p.string()));
}

struct PaintedTree {
  std::map<std::string, Picture> pictures;  // by folder + name
  std::vector<PakItem> pak;
  std::vector<PakItem> dense;  // the pictures painted at twice their size
};

struct Painted {
  Picture picture;
  Bytes file;
  double seconds = 0;
};

Painted PaintOne(const Entry& e, int scale) {
  double started = ThreadSeconds();
  OutputScaleScope atScale(scale);
  Painted out;
  out.picture = e.paint(e.width, e.height);
  const Picture& p = out.picture;
  if (p.width != e.width * scale || p.height != e.height * scale)
    throw std::runtime_error(e.Path() + " was painted " + std::to_string(p.width) + "x" +
                             std::to_string(p.height) + " at scale " + std::to_string(scale) +
                             ", the manifest says " + std::to_string(e.width) + "x" +
                             std::to_string(e.height));
  out.file = e.kind == Kind::Jpeg ? EncodeJpeg(p, 92) : EncodePng(p);
  out.seconds = ThreadSeconds() - started;
  return out;
}

// Runs job(0) .. job(count - 1) on two threads that take the next one in
// turn; each job writes only its own result, so nothing depends on timing.
void OnTwoThreads(size_t count, const std::function<void(size_t)>& job) {
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t i; (i = next++) < count;) job(i);
  };
  auto helper = std::async(std::launch::async, worker);
  worker();
  helper.get();
}

// Pictures are painted on two threads, each once as it is and once at twice
// its size; the files are written afterwards in manifest order, so the
// result never depends on the threads' timing.
PaintedTree PaintPictures(TreeWriter& writer, bool verbose) {
  std::vector<const Entry*> pictures;
  for (const Entry& e : Manifest())
    if (e.IsPicture()) pictures.push_back(&e);
  std::vector<Painted> painted(pictures.size()), dense(pictures.size());
  // The dense set first: its larger jobs are best shared out early.
  size_t count = pictures.size();
  OnTwoThreads(2 * count, [&](size_t i) {
    if (i < count) {
      dense[i] = PaintOne(*pictures[i], Entry::kDenseScale);
    } else {
      painted[i - count] = PaintOne(*pictures[i - count], 1);
    }
  });
  PaintedTree tree;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const Entry& e = *pictures[i];
    if (e.InArchive()) {
      tree.pak.push_back({e.name, painted[i].file});
    } else {
      writer.Write(e.Path(), painted[i].file);
    }
    tree.dense.push_back({Entry::DenseName(e.Path()), std::move(dense[i].file)});
    if (verbose)
      std::fprintf(stderr, "%6.3f s  %s (%.3f s at twice the size)\n", painted[i].seconds,
                   e.Path().c_str(), dense[i].seconds);
    tree.pictures.emplace(e.Path(), std::move(painted[i].picture));
  }
  return tree;
}

std::string ReadText(const GeneratorOptions& o, const std::string& name) {
  Bytes bytes = ReadFile(o.text + "/" + name);
  return std::string(bytes.begin(), bytes.end());
}

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

void ThrowProblems(const std::string& what, const std::vector<std::string>& problems) {
  if (problems.empty()) return;
  std::ostringstream msg;
  msg << what << " has " << problems.size() << " problem(s):";
  for (const std::string& p : problems) msg << "\n  " << p;
  throw std::runtime_error(msg.str());
}

// One language's words in the pictures, by words key.
std::map<std::string, std::string> PictureWords(const std::string& bytes) {
  std::map<std::string, std::string> words;
  for (const TextBlock& b : ParseGameText(bytes)) words[b.key] = b.lines.empty() ? "" : b.lines[0];
  return words;
}

// A worded picture painted in another language's words, and where it goes.
struct WordedJob {
  const Entry* entry;
  std::string words;
  std::string path;
};

// Below this share of its English size a caption has been squeezed, not
// translated: it wants other words.
constexpr double kSmallestCaption = 0.8;

// The words of every worded picture in one language: a problem for each
// key missing, empty or unknown, and for each caption drawn too small.
std::vector<std::string> CheckPictureWords(const std::map<std::string, std::string>& words,
                                           bool allowSmall) {
  std::vector<std::string> problems;
  std::set<std::string> keys;
  for (const Entry& e : Manifest()) {
    if (!e.HasWords()) continue;
    keys.insert(e.wordsKey);
    auto it = words.find(e.wordsKey);
    if (it == words.end() || it->second.empty()) {
      problems.push_back(e.wordsKey + ": not translated");
      continue;
    }
    double english = e.wordsPixels(e.width, e.height, e.words);
    double own = e.wordsPixels(e.width, e.height, it->second);
    if (!allowSmall && own < kSmallestCaption * english)
      problems.push_back(e.Path() + ": \"" + it->second + "\" is drawn at " +
                         std::to_string(int(100 * own / english)) + "% of its English size");
  }
  for (const auto& [key, value] : words)
    if (!keys.count(key)) problems.push_back(key + ": no picture has these words");
  std::sort(problems.begin(), problems.end());
  problems.erase(std::unique(problems.begin(), problems.end()), problems.end());
  return problems;
}

// The worded pictures whose words differ from the English ones, for the
// language folder `folder` ("Data/..." of the English data becomes
// folder + "/...").
void AddWordedJobs(const std::map<std::string, std::string>& words, const std::string& folder,
                   std::vector<WordedJob>& jobs) {
  for (const Entry& e : Manifest()) {
    if (!e.HasWords()) continue;
    auto it = words.find(e.wordsKey);
    if (it == words.end() || it->second == e.words) continue;  // the English picture serves
    jobs.push_back({&e, it->second, folder + "/" + e.folder.substr(5) + e.name});
  }
}

}  // namespace

void CheckLanguages(const GeneratorOptions& o) {
  std::string english = ReadText(o, "gametext.txt");
  std::vector<std::string> problems;
  // Every character a text holds has its glyph, in both faces: the game
  // draws the texts in the regular face, the pictures in the bold one.
  auto glyphs = [&](const std::string& file, const std::string& text) {
    for (Face face : {Face::Regular, Face::Bold}) {
      std::string codes;
      for (char32_t c : CharactersWithoutGlyph(face, text)) {
        char code[16];
        std::snprintf(code, sizeof code, " U+%04X", unsigned(c));
        codes += code;
      }
      if (!codes.empty())
        problems.push_back(file + ": characters without a glyph in Carlito:" + codes);
    }
  };
  glyphs("gametext.txt", english);
  for (const std::string& code : TranslationCodes()) {
    const std::string own = ReadText(o, "gametext." + code + ".txt");
    glyphs("gametext." + code + ".txt", own);
    glyphs("pictures." + code + ".txt", ReadText(o, "pictures." + code + ".txt"));
    for (const std::string& p : CheckTranslation(english, own))
      problems.push_back("gametext." + code + ".txt: " + p);
    std::vector<std::string> lacked = LackedKeys(english, own);
    if (!lacked.empty()) {
      std::string keys;
      for (const std::string& key : lacked) keys += (keys.empty() ? "" : ", ") + key;
      std::fprintf(stderr,
                   "gleamstrand-datagen: gametext.%s.txt, keys shown in English (%zu): %s\n",
                   code.c_str(), lacked.size(), keys.c_str());
    }
    auto words = PictureWords(ReadText(o, "pictures." + code + ".txt"));
    for (const std::string& p : CheckPictureWords(words, false))
      problems.push_back("pictures." + code + ".txt: " + p);
  }
  ThrowProblems("The translations", problems);
}

namespace {

// The translations and the pseudo-language: their game text, and their
// worded pictures, painted on two threads and written in order.
void WriteLanguages(const GeneratorOptions& o, TreeWriter& writer, GeneratorReport& report,
                    std::vector<PakItem>& dense) {
  std::string english = ReadText(o, "gametext.txt");
  std::vector<WordedJob> jobs;
  for (const std::string& code : TranslationCodes()) {
    std::string text = ReadText(o, "gametext." + code + ".txt");
    std::string folder = "Data/languages/" + code;
    writer.Write(folder + "/text/gametext.txt", AsBytes(text));
    report.languageBytes[code] += text.size();
    AddWordedJobs(PictureWords(ReadText(o, "pictures." + code + ".txt")), folder, jobs);
  }
  size_t shipped = jobs.size();
  TreeWriter pseudo(o.pseudo);
  if (!o.pseudo.empty()) {
    fs::remove_all(o.pseudo);
    pseudo.Write("text/gametext.txt", AsBytes(PseudoGameText(english)));
    std::map<std::string, std::string> words;
    for (const Entry& e : Manifest())
      if (e.HasWords()) words[e.wordsKey] = PseudoWords(e.words);
    AddWordedJobs(words, "Data", jobs);
    // The options screen's button for the pseudo-language itself.
    const std::string own = "languageen";
    for (const Entry& e : Manifest())
      if (e.folder == "Data/menus/" && e.name.rfind(own, 0) == 0 && e.paintWords)
        jobs.push_back(
            {&e, PseudoWords("Pseudo"), "Data/menus/languageqps" + e.name.substr(own.size())});
  }
  // The shipped pictures are painted at twice their size too (jobs from
  // jobs.size() on); the pseudo-language's are for the tests alone.
  std::vector<Bytes> files(jobs.size() + shipped);
  OnTwoThreads(jobs.size() + shipped, [&](size_t i) {
    const WordedJob& job = jobs[i < jobs.size() ? i : i - jobs.size()];
    OutputScaleScope atScale(i < jobs.size() ? 1 : Entry::kDenseScale);
    Picture p = job.entry->paintWords(job.entry->width, job.entry->height, job.words);
    files[i] = EncodePng(p);
  });
  for (size_t i = 0; i < shipped; ++i)
    dense.push_back({Entry::DenseName(jobs[i].path), std::move(files[jobs.size() + i])});
  for (size_t i = 0; i < jobs.size(); ++i) {
    if (i < shipped) {
      writer.Write(jobs[i].path, files[i]);
      std::string code = jobs[i].path.substr(15, jobs[i].path.find('/', 15) - 15);
      report.languageBytes[code] += files[i].size();
    } else {
      pseudo.Write(jobs[i].path.substr(5), files[i]);
    }
  }
}

std::string HelpLine(const GeneratorOptions& o) {
  Bytes text = ReadFile(o.text + "/gametext.txt");
  for (const TextBlock& b : ParseGameText(std::string(text.begin(), text.end())))
    if (b.key == "Help Message" && !b.lines.empty()) return b.lines[0];
  return "";
}

void WriteReview(const GeneratorOptions& o, const PaintedTree& tree, GeneratorReport& report) {
  const std::string& folder = o.review;
  bool verbose = o.verbose;
  std::vector<NamedPicture> all;
  PictureLookup byName;
  for (const Entry& e : Manifest()) {
    if (!e.IsPicture()) continue;
    const Picture* p = &tree.pictures.at(e.Path());
    all.push_back({e.folder, e.name, p});
    // The game's own folders hold two "menu" pictures; the mock-ups want the button.
    if (!byName.count(Stem(e.name)) || e.folder == "Data/menus/") byName[Stem(e.name)] = p;
  }
  fs::create_directories(folder);
  double last = ThreadSeconds();
  auto save = [&](const std::string& name, const Picture& p) {
    Bytes bytes = EncodePng(p, 3);  // big and never shipped: quick compression
    std::ofstream out(fs::path(folder) / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + (fs::path(folder) / name).string());
    if (verbose) std::fprintf(stderr, "%6.3f s  %s\n", ThreadSeconds() - last, name.c_str());
    last = ThreadSeconds();
  };
  save("contact-sheet.png", ContactSheet(all));
  save("mockup-game.png", GameScreenMockup(byName, HelpLine(o)));
  save("mockup-walls.png", WallTestMockup(byName));
  if (!o.layouts.empty() && fs::is_directory(o.layouts))
    save("levels.png", LevelSheet(ReadLevelFolder(o.layouts), byName));
  report.wallRulesInTest = int(WallRulesUsed(WallTestLayout()).size());
}

}  // namespace

GeneratorReport GenerateTree(const GeneratorOptions& o) {
  auto started = std::chrono::steady_clock::now();
  SetFontFolder(o.fonts);
  CheckText(o);
  CheckLanguages(o);
  ClearOutput(o.out);
  TreeWriter writer(o.out);
  // The music is the long part: each track on a thread of its own, while two
  // more paint the pictures.
  std::vector<std::pair<const Entry*, std::future<Bytes>>> slow;
  for (const Entry& e : Manifest())
    if (e.slow)
      slow.emplace_back(&e, std::async(std::launch::async, EncodeSound, std::cref(e), o.verbose));
  PaintedTree tree = PaintPictures(writer, o.verbose);
  for (const Entry& e : Manifest()) {
    switch (e.kind) {
      case Kind::Wav:
      case Kind::Ogg:
        if (!e.slow) writer.Write(e.Path(), EncodeSound(e, o.verbose));
        break;
      case Kind::Copy:
        if (e.InArchive()) {
          tree.pak.push_back({e.name, CopySource(e, o)});
        } else {
          writer.Write(e.Path(), CopySource(e, o));
        }
        break;
      case Kind::Particle:
        writer.Write(e.Path(), SerialiseEffect(ScoreEffect(e.effect)));
        break;
      default:
        break;
    }
  }
  for (const Entry& e : Manifest())
    if (e.kind == Kind::Archive && e.Path() != Entry::kDenseArchive)
      writer.Write(e.Path(), BuildPak(tree.pak));
  CopyLayouts(o, writer);
  GeneratorReport report;
  double languagesStarted = ThreadSeconds();
  WriteLanguages(o, writer, report, tree.dense);
  Bytes dense = BuildPak(tree.dense);
  report.denseBytes = dense.size();
  writer.Write(Entry::kDenseArchive, dense);
  if (o.verbose)
    std::fprintf(stderr, "%6.3f s  translations\n", ThreadSeconds() - languagesStarted);
  double reviewStarted = ThreadSeconds();
  if (!o.review.empty()) WriteReview(o, tree, report);
  if (o.verbose)
    std::fprintf(stderr, "%6.3f s  review pictures\n", ThreadSeconds() - reviewStarted);
  for (auto& [entry, future] : slow) writer.Write(entry->Path(), future.get());
  report.files = writer.Files();
  report.bytes = writer.TotalBytes();
  report.seconds = Since(started);
  return report;
}

}  // namespace datagen
