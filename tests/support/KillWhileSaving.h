// Kills (SIGKILL) a process that saves one file over and over, at random
// moments, and checks after every kill that the file is a whole version,
// the old one or a newer one, and that the game's start-up sweep leaves no
// temporary behind.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

struct TSaveKind {
  std::string Name;  // for messages: "settings", "profile", ...
  std::string File;  // the file's name inside the folder
  // Writes version n (n >= 0) into folder through the game's own save code.
  // Runs in the child again and again, and in the test for reference copies.
  std::function<void(const std::string& folder, long long n)> Save;
  // The version a file's bytes claim to be, or -1 when they claim none.
  std::function<long long(const std::string& bytes)> VersionOf;
};

struct TKillReport {
  int Kills = 0;
  int CaughtMidSave = 0;  // a temporary was there right after the kill
  int Unchanged = 0;      // the kill came before a save had completed
  long long Saves = 0;    // versions completed over all the runs
  std::vector<std::string> Faults;
};

// text as a decimal number of up to 15 digits, or -1: how a file's version
// is read back.
long long WholeNumber(const std::string& text);

// The kill count for each kind: GS_KILLS from the environment, else the
// given default (the suite's number; the soak script asks for more).
int KillRounds(int suiteDefault);

// Saves version 0 in folder, then kills a saving child rounds times. The
// sweep is what the game runs over its folder at start-up.
TKillReport KillWhileSaving(const TSaveKind& kind, const std::string& folder, int rounds,
                            unsigned seed, const std::function<void(const std::string&)>& sweep);

// KillWhileSaving with KillRounds(200) and the game's own start-up sweep;
// prints the counts and fails the running test on every fault, or when no
// kill cut a save short.
void ExpectWholeFilesAfterKills(const TSaveKind& kind, const std::string& folder, unsigned seed);

}  // namespace testsupport
