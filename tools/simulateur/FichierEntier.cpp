// SPDX-License-Identifier: GPL-3.0-or-later
#include "FichierEntier.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file to remove if the process is stopped by a signal.
char temporaireEnCours[PATH_MAX + 16] = "";

extern "C" void surSignal(int signal) {
    if (temporaireEnCours[0]) unlink(temporaireEnCours);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void surveillerSignaux() {
#ifdef _WIN32
    for (int s : {SIGINT, SIGTERM}) std::signal(s, surSignal);
#else
    struct sigaction a {};
    a.sa_handler = surSignal;
    sigemptyset(&a.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &a, nullptr);
#endif
}

std::string raison(int erreur) {
    switch (erreur) {
    case EACCES: case EPERM: return "permission refusée";
    case ENOENT: return "dossier inexistant";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "c'est un dossier";
    case EROFS: return "système de fichiers en lecture seule";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "plus de place sur le disque";
    case ENAMETOOLONG: return "nom trop long";
    default: return std::strerror(erreur);
    }
}

}  // namespace

bool FichierEntier::ouvrir(const std::string &chemin, std::string &erreur) {
    const auto echec = [&](int numero) {
        erreur = "impossible d'écrire la trace « " + chemin + " » : " + raison(numero);
        return false;
    };
    chemin_ = chemin;
    struct stat s {};
#ifndef _WIN32
    if (lstat(chemin.c_str(), &s) == 0 && S_ISLNK(s.st_mode)) {
        // Replace what the link names, not the link.
        char cible[PATH_MAX];
        if (realpath(chemin.c_str(), cible)) chemin_ = cible;
    }
#endif
    if (stat(chemin_.c_str(), &s) == 0) {
        if (S_ISDIR(s.st_mode)) return echec(EISDIR);
        if (access(chemin_.c_str(), W_OK) != 0) return echec(errno);
        if (!S_ISREG(s.st_mode)) {
            f_ = std::fopen(chemin_.c_str(), "w");
            return f_ ? true : echec(errno);
        }
    }
    if (chemin_.size() >= PATH_MAX) return echec(ENAMETOOLONG);
    std::string modele = chemin_ + ".XXXXXX";
    const int fd = mkstemp(modele.data());
    if (fd < 0) return echec(errno);
#ifndef _WIN32
    // mkstemp makes it 0600; the trace gets the mode of any new file.
    const mode_t masque = umask(0);
    umask(masque);
    fchmod(fd, 0666 & ~masque);
#endif
    temporaire_ = modele;
    std::strcpy(temporaireEnCours, temporaire_.c_str());
    surveillerSignaux();
    f_ = fdopen(fd, "w");
    if (!f_) {
        const int numero = errno;
        close(fd);
        abandonner();
        return echec(numero);
    }
    return true;
}

bool FichierEntier::ecrire(const std::string &texte) {
    if (!f_ || erreur_) return false;
    if (std::fwrite(texte.data(), 1, texte.size(), f_) == texte.size()) return true;
    erreur_ = errno ? errno : EIO;
    return false;
}

bool FichierEntier::terminer(std::string &erreur) {
    if (!f_) return false;
    const bool ecrit = !erreur_ && std::fflush(f_) == 0 && !std::ferror(f_);
    int numero = erreur_ ? erreur_ : errno;
    const bool ferme = std::fclose(f_) == 0;
    if (ecrit && !ferme) numero = errno;
    f_ = nullptr;
    bool ok = ecrit && ferme;
    if (ok && !temporaire_.empty()) {
        ok = std::rename(temporaire_.c_str(), chemin_.c_str()) == 0;
        numero = errno;
        if (ok) {
            temporaire_.clear();
            temporaireEnCours[0] = '\0';
        }
    }
    if (!ok) {
        erreur = "impossible d'écrire la trace « " + chemin_ + " » : " + raison(numero);
        abandonner();
    }
    return ok;
}

void FichierEntier::abandonner() {
    if (f_) {
        std::fclose(f_);
        f_ = nullptr;
    }
    if (!temporaire_.empty()) {
        unlink(temporaire_.c_str());
        temporaire_.clear();
        temporaireEnCours[0] = '\0';
    }
}
