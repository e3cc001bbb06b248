// A stand-in for the host's window: a plain X11 top-level window that prints its
// id in hexadecimal (no prefix, as the host passes it) and waits to be killed.

#include <X11/Xlib.h>

#include <cstdio>

int main() {
    Display* pantalla = XOpenDisplay(nullptr);
    if (pantalla == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const int numero = DefaultScreen(pantalla);
    const Window ventana =
        XCreateSimpleWindow(pantalla, RootWindow(pantalla, numero), 0, 0, 700, 320, 0,
                            BlackPixel(pantalla, numero), WhitePixel(pantalla, numero));
    XStoreName(pantalla, ventana, "Anfitrion de prueba");
    XMapWindow(pantalla, ventana);
    XSync(pantalla, False);
    std::printf("%lX\n", static_cast<unsigned long>(ventana));
    std::fflush(stdout);
    for (;;) {
        XEvent evento;
        XNextEvent(pantalla, &evento);
    }
}
