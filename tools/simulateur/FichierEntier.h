// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file written whole or not at all: the text goes to a temporary file beside
// it, renamed to the file's name once complete. A run that fails or is
// interrupted leaves no partial file behind (and an older file untouched).
// Anything other than a regular file (/dev/stdout, a pipe) is written directly.
#include <cstdio>
#include <string>

class FichierEntier {
public:
    FichierEntier() = default;
    FichierEntier(const FichierEntier &) = delete;
    FichierEntier &operator=(const FichierEntier &) = delete;
    ~FichierEntier() { abandonner(); }

    // False, with `erreur` saying why in one line, when the file cannot be written.
    bool ouvrir(const std::string &chemin, std::string &erreur);
    // False from the first failed write on; terminer() then says why.
    bool ecrire(const std::string &texte);
    // Flushes, closes and puts the file in place.
    bool terminer(std::string &erreur);
    // Closes and removes what was written.
    void abandonner();

private:
    std::string chemin_, temporaire_;
    std::FILE *f_ = nullptr;
    int erreur_ = 0;  // errno of the first failed write
};
