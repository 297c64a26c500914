#pragma once
// For the configuration file tests: the shared file helpers. (Saves run in a
// child process with fewer rights or a file size limit use RunInChild from
// support/OtherProgram.h, on POSIX systems.)

#include "support/TestFiles.h"
