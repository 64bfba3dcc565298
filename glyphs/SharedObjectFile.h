#pragma once

// A look at a shared library file before the dynamic loader maps it. The
// loader trusts the file: a library cut short (an interrupted copy, a full
// disk) makes it touch pages past the end of the file, and the program dies
// of SIGBUS at every start. Only a file whose headers, program headers and
// sections all lie inside it is handed to the loader.

#include <QString>

// True when the file at path is a whole ELF shared object of this machine:
// its header, its program headers and the file part of every segment and
// section lie inside the file. Reads the headers only, never the whole file.
bool IsWholeSharedObject(const QString& path);
