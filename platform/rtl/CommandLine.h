#pragma once
// The program's command line, as the entry function received it.
//
// main() calls SetCommandLine(argc, argv) first. The shell has split the
// arguments already; they are kept exactly as given, never split again.
// ParamCount() is the number of arguments after the program name;
// ParamStr(0) is the running program's full path (from /proc/self/exe, or
// argv[0] made absolute when that cannot be read), ParamStr(1 ..
// ParamCount()) the arguments. An index out of range gives "".

#include <string>

void SetCommandLine(int argc, const char* const* argv);
int ParamCount();
std::string ParamStr(int index);
