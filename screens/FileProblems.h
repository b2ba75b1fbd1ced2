// A player file that could not be written is no reason to end the game: the
// problem is noted on standard error and in "ErrorLog.txt", and play goes on.
#pragma once

#include <string>

void LogFileProblem(const std::string& message);
