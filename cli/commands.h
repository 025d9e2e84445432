// The commands of quillet-cli. Each takes the arguments after its own name and
// returns the exit status.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

class Terminal;

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // refused or failed, with a message
constexpr int kExitUsage = 2;   // the caller prints the usage

int RunSplitCommand(const std::vector<std::string>& args, Terminal& terminal);
int RunMergeCommand(const std::vector<std::string>& args, Terminal& terminal);
int RunVerifyCommand(const std::vector<std::string>& args, Terminal& terminal);
int RunRenameCommand(const std::vector<std::string>& args, Terminal& terminal);
int RunRepairCommand(const std::vector<std::string>& args, Terminal& terminal);
int RunUndoCommand(const std::vector<std::string>& args, Terminal& terminal);

// A folder argument as a full path, as rename and undo both take it.
std::string FullFolderPath(const std::string& folder);

// A path as the engines expect it: the system's separators, and a folder part even
// for a bare name, since the engines take a path's folder from its last separator.
std::string CommandLinePath(const std::string& argument);
