// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The statistics and the messages are written in UTF-8 (the rows' accents).
// A Windows console decodes what it is given in its own code page: it is
// switched to UTF-8 for the run and given back its own at the end, as the
// console outlives the program. Elsewhere, and into a file or a pipe, this
// does nothing.
class ConsoleUtf8 {
public:
    ConsoleUtf8();
    ~ConsoleUtf8();
    ConsoleUtf8(const ConsoleUtf8 &) = delete;
    ConsoleUtf8 &operator=(const ConsoleUtf8 &) = delete;

private:
    [[maybe_unused]] unsigned avant_ = 0;  // the console's own code page; 0: no console (Windows only)
};
