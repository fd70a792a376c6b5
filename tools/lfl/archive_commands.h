// The archive subcommands of the lfl tool: list, extract and pack. Each
// takes the arguments after its own name and returns the exit status.
#pragma once

int lflList(int argc, char** argv);
int lflExtract(int argc, char** argv);
int lflPack(int argc, char** argv);

// True if an archive record name is safe to use as a file name inside an
// output folder: not empty, not ".", no '/', no "..".
bool safeRecordFileName(const char* name);
