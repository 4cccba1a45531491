// SPDX-License-Identifier: GPL-3.0-or-later
/* Starts a program on the X display and watches it from outside, the same way
 * whatever toolkit it uses. Times are in milliseconds from the fork:
 *  - carte: its first top-level window mapped (MapNotify on the root window);
 *  - image: the first drawing on the screen after that (DAMAGE on the root
 *    window, which sees every window's drawing);
 *  - pret:  the last drawing before the memory is read ("ready");
 * then, at `avant` seconds, its proportional memory (PSS, KiB), and over the
 * next `repos` seconds of idling, its CPU time (ms, every thread), its
 * wake-ups (context switches of every thread) and the drawings it made.
 * Last, the CPU time (ms) it had used when its window was mapped: steadier
 * than the times on a loaded machine, to compare two builds.
 * Then how many other processes shared its toolkit's libraries at 3 s.
 * Prints one line: carte image pret pss_kio cpu_ms reveils dessins_au_repos
 * cpu_carte partages.
 * The server should have no cursor (Xvfb -nocursor): its redrawing would
 * count as the program's.
 * Usage: demarrage AVANT_S REPOS_S PROGRAMME [ARGUMENTS...] */
#define _GNU_SOURCE
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

static double depart;

static double maintenant_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6 - depart;
}

/* Sums, over every thread of `pid`, the run time (ns, from schedstat) and
 * the context switches (voluntary and not, from status). */
static void activite(pid_t pid, double *cpu_ms, long *changements) {
    char chemin[128];
    snprintf(chemin, sizeof chemin, "/proc/%d/task", (int)pid);
    *cpu_ms = 0;
    *changements = 0;
    DIR *d = opendir(chemin);
    if (!d) return;
    struct dirent *f;
    while ((f = readdir(d))) {
        if (f->d_name[0] == '.') continue;
        char fichier[600], ligne[256];
        snprintf(fichier, sizeof fichier, "%s/%s/schedstat", chemin, f->d_name);
        FILE *s = fopen(fichier, "r");
        if (s) {
            unsigned long long ns = 0;
            if (fscanf(s, "%llu", &ns) == 1) *cpu_ms += ns / 1e6;
            fclose(s);
        }
        snprintf(fichier, sizeof fichier, "%s/%s/status", chemin, f->d_name);
        s = fopen(fichier, "r");
        if (!s) continue;
        while (fgets(ligne, sizeof ligne, s)) {
            long n;
            if (sscanf(ligne, "voluntary_ctxt_switches: %ld", &n) == 1 ||
                sscanf(ligne, "nonvoluntary_ctxt_switches: %ld", &n) == 1)
                *changements += n;
        }
        fclose(s);
    }
    closedir(d);
}

static long pss_kio(pid_t pid) {
    char chemin[64], ligne[256];
    snprintf(chemin, sizeof chemin, "/proc/%d/smaps_rollup", (int)pid);
    FILE *f = fopen(chemin, "r");
    long pss = -1;
    if (!f) return pss;
    while (fgets(ligne, sizeof ligne, f))
        if (sscanf(ligne, "Pss: %ld", &pss) == 1) break;
    fclose(f);
    return pss;
}

/* How many other processes map one of the toolkit libraries `pid` maps (Qt,
 * GTK, wxWidgets): the PSS divides those pages with them, so a figure read
 * while another program of the same toolkit runs is too low. */
static int partages(pid_t pid) {
    static const char *const boites[] = {"libQt6Core.so", "libQt5Core.so", "libgtk-3.so", "libwx_baseu"};
    char chemin[64], ligne[512];
    int utilisees[4] = {0}, n = 0;
    snprintf(chemin, sizeof chemin, "/proc/%d/maps", (int)pid);
    FILE *f = fopen(chemin, "r");
    if (!f) return -1;
    while (fgets(ligne, sizeof ligne, f))
        for (int i = 0; i < 4; ++i) if (strstr(ligne, boites[i])) utilisees[i] = 1;
    fclose(f);
    DIR *d = opendir("/proc");
    struct dirent *e;
    while (d && (e = readdir(d))) {
        const int autre = atoi(e->d_name);
        if (autre <= 0 || autre == pid) continue;
        snprintf(chemin, sizeof chemin, "/proc/%d/maps", autre);
        if (!(f = fopen(chemin, "r"))) continue;
        int trouve = 0;
        while (!trouve && fgets(ligne, sizeof ligne, f))
            for (int i = 0; i < 4; ++i) if (utilisees[i] && strstr(ligne, boites[i])) trouve = 1;
        fclose(f);
        n += trouve;
    }
    if (d) closedir(d);
    return n;
}

/* Handles the X events until `jusqua` ms: the first top-level map, and the
 * drawings after it. */
static void suivre(xcb_connection_t *c, uint8_t premier_damage, double jusqua, pid_t pid,
                   double *carte, double *cpu_carte, double *image, double *pret, long *dessins) {
    struct pollfd p = {.fd = xcb_get_file_descriptor(c), .events = POLLIN};
    for (;;) {
        xcb_generic_event_t *e;
        while ((e = xcb_poll_for_event(c))) {
            const int genre = e->response_type & ~0x80;
            const double t = maintenant_ms();
            if (genre == XCB_MAP_NOTIFY && *carte < 0 &&
                !((xcb_map_notify_event_t *)e)->override_redirect) {
                long ignore;
                *carte = t;
                activite(pid, cpu_carte, &ignore);
            }
            else if (genre == premier_damage + XCB_DAMAGE_NOTIFY && *carte >= 0) {
                if (*image < 0) *image = t;
                *pret = t;
                ++*dessins;
            }
            free(e);
        }
        if (xcb_connection_has_error(c)) return;
        const double reste = jusqua - maintenant_ms();
        if (reste <= 0) return;
        poll(&p, 1, (int)reste + 1);
    }
}

int main(int argc, char **argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: %s AVANT_S REPOS_S PROGRAMME [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const double avant = atof(argv[1]) * 1e3, repos = atof(argv[2]) * 1e3;
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) { fprintf(stderr, "pas d'affichage X\n"); return 1; }
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (!ext || !ext->present) { fprintf(stderr, "pas d'extension DAMAGE\n"); return 1; }
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), NULL));
    xcb_screen_t *ecran = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t masque = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, ecran->root, XCB_CW_EVENT_MASK, &masque);
    xcb_damage_create(c, xcb_generate_id(c), ecran->root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));

    depart = 0;
    depart = maintenant_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        /* Not our stdout: whoever reads it would wait for the program's end. */
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(126);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    double carte = -1, cpu_carte = -1, image = -1, pret = -1;
    long dessins = 0;
    suivre(c, ext->first_event, avant, pid, &carte, &cpu_carte, &image, &pret, &dessins);
    const long pss = pss_kio(pid);
    const int autres = partages(pid);
    double cpu0, cpu1;
    long chg0, chg1;
    activite(pid, &cpu0, &chg0);
    const double pret_a_avant = pret;
    dessins = 0;
    double ignore1 = carte, ignore2 = image, ignore3, ignore4;
    suivre(c, ext->first_event, avant + repos, pid, &ignore1, &ignore4, &ignore2, &ignore3, &dessins);
    activite(pid, &cpu1, &chg1);
    kill(pid, SIGTERM);
    for (int i = 0; i < 50 && waitpid(pid, NULL, WNOHANG) == 0; ++i) usleep(20000);
    if (waitpid(pid, NULL, WNOHANG) == 0) { kill(pid, SIGKILL); waitpid(pid, NULL, 0); }
    xcb_disconnect(c);
    if (carte < 0 || pss < 0) { fprintf(stderr, "%s : aucune fenêtre ou déjà fini\n", argv[3]); return 1; }
    printf("%.1f %.1f %.1f %ld %.1f %ld %ld %.1f %d\n", carte, image, pret_a_avant, pss, cpu1 - cpu0,
           chg1 - chg0, dessins, cpu_carte, autres);
    return 0;
}
