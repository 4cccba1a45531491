/* Starts a program and prints the milliseconds from the fork to the first
 * top-level window mapped on the X display (MapNotify on the root window),
 * then leaves the program running and prints its pid on the second line.
 * Usage: premiere_fenetre PROGRAMME [ARGUMENTS...] */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double maintenant_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int main(int argc, char **argv) {
    if (argc < 2) { fprintf(stderr, "usage: %s PROGRAMME [ARGUMENTS...]\n", argv[0]); return 2; }
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) { fprintf(stderr, "pas d'affichage X\n"); return 1; }
    xcb_screen_t *ecran = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t masque = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, ecran->root, XCB_CW_EVENT_MASK, &masque);
    xcb_flush(c);

    const double debut = maintenant_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        /* Not our stdout: whoever reads it would wait for the program's end. */
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    xcb_generic_event_t *e;
    while ((e = xcb_wait_for_event(c))) {
        const int genre = e->response_type & ~0x80;
        free(e);
        if (genre == XCB_MAP_NOTIFY) {
            printf("%.1f\n%d\n", maintenant_ms() - debut, (int)pid);
            xcb_disconnect(c);
            return 0;
        }
    }
    return 1;
}
