// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleUtf8.h"

#include <cstdio>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

bool estConsole(DWORD flux) {
    DWORD mode;
    return GetConsoleMode(GetStdHandle(flux), &mode) != 0;
}

// Unbuffered, the C library hands a console a character's two bytes in two
// writes, and each half is shown as a stray sign; in text mode it may also
// recode the bytes itself. Binary and buffered, the console gets whole lines.
void enUtf8(std::FILE *f) {
    _setmode(_fileno(f), _O_BINARY);
    std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
}

}  // namespace
#endif

ConsoleUtf8::ConsoleUtf8() {
#ifdef _WIN32
    const bool sortie = estConsole(STD_OUTPUT_HANDLE), erreurs = estConsole(STD_ERROR_HANDLE);
    if (!sortie && !erreurs) return;
    avant_ = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    if (sortie) enUtf8(stdout);
    if (erreurs) enUtf8(stderr);
#endif
}

ConsoleUtf8::~ConsoleUtf8() {
    // The console decodes at the write: what is still buffered goes out
    // before its code page is given back.
    std::fflush(stdout);
    std::fflush(stderr);
#ifdef _WIN32
    if (avant_ != 0) SetConsoleOutputCP(avant_);
#endif
}
