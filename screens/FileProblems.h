// A player file that could not be written is no reason to end the game: the
// problem is noted on standard error and in "ErrorLog.txt", and play goes on.
#pragma once

#include <string>

void LogFileProblem(const std::string& message);

// The player's message for a file that could not be read: the game text
// "Could Not Read File" + the file's name + "'" (the English words when the
// game text predates the key).
std::string ReadFailureText(const std::string& fileName);
