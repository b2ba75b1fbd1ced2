#include "KillWhileSaving.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <random>
#include <thread>

#include "Platform.h"
#include "TestSupport.h"

namespace testsupport {

namespace {

std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> found;
  std::error_code ec;
  for (const auto& item : std::filesystem::recursive_directory_iterator(folder, ec)) {
    std::string name = item.path().filename().string();
    if (name.find(".tmp-") != std::string::npos) found.push_back(name);
  }
  return found;
}

double SecondsPerSave(const TSaveKind& kind) {
  TempDir scratch;
  auto start = std::chrono::steady_clock::now();
  const int n = 20;
  for (int i = 0; i < n; ++i) kind.Save(scratch.Path(), i);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / n;
}

// The child: says it is ready, then saves versions from first on until it
// is killed. It never returns into the test program.
[[noreturn]] void SaveForever(const TSaveKind& kind, const std::string& folder, long long first,
                              int ready, pid_t parent) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(0);
  char byte = 1;
  if (write(ready, &byte, 1) != 1) _exit(4);
  try {
    for (long long n = first;; ++n) kind.Save(folder, n);
  } catch (...) {
  }
  _exit(3);
}

bool WaitReady(int fd) {
  pollfd p{fd, POLLIN, 0};
  char byte = 0;
  return poll(&p, 1, 10000) == 1 && read(fd, &byte, 1) == 1;
}

}  // namespace

long long WholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 15) return -1;
  long long n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

int KillRounds(int suiteDefault) {
  const char* text = std::getenv("GS_KILLS");
  int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : suiteDefault;
}

TKillReport KillWhileSaving(const TSaveKind& kind, const std::string& folder, int rounds,
                            unsigned seed, const std::function<void(const std::string&)>& sweep) {
  TKillReport report;
  const std::string path = folder + "/" + kind.File;
  TempDir reference;
  auto fault = [&](const std::string& text) {
    report.Faults.push_back(kind.Name + ", kill " + std::to_string(report.Kills) + ": " + text);
  };
  kind.Save(folder, 0);
  // Kills fall anywhere within the first few saves of a child, so every
  // moment of a save (writing, flushing, renaming) is hit in turn.
  double window = std::max(4 * SecondsPerSave(kind), 200e-6);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> delay(0, window);
  long long current = 0;
  for (int round = 0; round < rounds && report.Faults.size() < 5; ++round) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
      fault("no pipe");
      break;
    }
    pid_t parent = getpid();
    pid_t child = fork();
    if (child < 0) {
      close(pipeEnds[0]);
      close(pipeEnds[1]);
      fault("no fork");
      break;
    }
    if (child == 0) {
      close(pipeEnds[0]);
      SaveForever(kind, folder, current + 1, pipeEnds[1], parent);
    }
    close(pipeEnds[1]);
    bool ready = WaitReady(pipeEnds[0]);
    close(pipeEnds[0]);
    if (ready) std::this_thread::sleep_for(std::chrono::duration<double>(delay(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ++report.Kills;
    if (!ready) fault("the saving process did not start");
    if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
      fault("the saving process ended by itself (status " + std::to_string(status) + ")");
    }

    std::string bytes = ReadWholeFile(path);
    long long version = kind.VersionOf(bytes);
    if (version < 0) {
      fault("the file is broken (" + std::to_string(bytes.size()) + " bytes)");
    } else if (version < current) {
      fault("the file went back from version " + std::to_string(current) + " to " +
            std::to_string(version));
    } else {
      kind.Save(reference.Path(), version);
      if (ReadWholeFile(reference.Path() + "/" + kind.File) != bytes) {
        fault("the file claims version " + std::to_string(version) + " but differs from it");
      }
      if (version == current) ++report.Unchanged;
      report.Saves += version - current;
      current = version;
    }
    if (!Temporaries(folder).empty()) ++report.CaughtMidSave;
    sweep(folder);
    for (const std::string& left : Temporaries(folder)) fault("temporary left: " + left);
  }
  return report;
}

void ExpectWholeFilesAfterKills(const TSaveKind& kind, const std::string& folder, unsigned seed) {
  const int rounds = KillRounds(200);
  TKillReport r = KillWhileSaving(kind, folder, rounds, seed,
                                  [](const std::string& f) { plat::RemoveStaleTemporaries(f); });
  std::printf(
      "[ kills    ] %s: %d kills, %d caught mid-save, %d before a save completed, "
      "%lld versions saved\n",
      kind.Name.c_str(), r.Kills, r.CaughtMidSave, r.Unchanged, r.Saves);
  for (const std::string& fault : r.Faults) ADD_FAILURE() << fault;
  EXPECT_EQ(r.Kills, rounds);
  EXPECT_GT(r.CaughtMidSave, 0) << kind.Name << ": no kill cut a save short";
}

}  // namespace testsupport
