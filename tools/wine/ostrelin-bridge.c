/*
 * ostrelin-bridge: the spooler's window class inside a Wine prefix
 *
 * Windows programs running under Wine look for the spooler with
 * FindWindowA("TTarvokCalcOstrelin", NULL) and talk to it with PostMessageA.
 * The spooler itself is a Linux program whose windows Wine cannot see, so this
 * small program stands in for it on the Wine side: it registers the class with
 * one hidden top-level window and hands every WM_USER and every posted WM_QUIT,
 * both parameters unchanged, to the Linux tool ostrelin-post, which passes it
 * on to the running spooler. The spooler decides what a message means.
 *
 * Wine starts a Linux program named by its Z:\ path as a plain Unix process
 * with the user's environment, so ostrelin-post finds the spooler's socket in
 * $XDG_RUNTIME_DIR as it does when started from a terminal. (Wine 8.0 has no
 * AF_UNIX sockets in Winsock, and a Winelib build would tie the bridge to one
 * Wine build.)
 *
 * Usage: ostrelin-bridge.exe [UNIX-PATH-OF-OSTRELIN-POST]
 *   default /usr/bin/ostrelin-post
 * Exit status: 0 ended by the session, 1 could not make its window, 2 the
 * class is already there in this prefix and desktop, 3 bad usage.
 */

#include <stdio.h>
#include <string.h>
#include <windows.h>

#define BRIDGE_CLASS "TTarvokCalcOstrelin"
#define BRIDGE_TITLE "Tarvok Calc Ostrelin"
#define DEFAULT_POST_PATH "/usr/bin/ostrelin-post"

enum { EXIT_ENDED = 0, EXIT_NO_WINDOW = 1, EXIT_ALREADY_THERE = 2, EXIT_USAGE = 3 };

/* The DOS path (e.g. Z:\usr\bin\ostrelin-post) of ostrelin-post, set once at start. */
static char post_dos_path[MAX_PATH];

/* Writes a line of UTF-8 text to standard error as it is; Wine hands the bytes on unchanged. */
static void report(const char *text)
{
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written;

    if (err == NULL || err == INVALID_HANDLE_VALUE) return;
    WriteFile(err, "ostrelin-bridge: ", 17, &written, NULL);
    WriteFile(err, text, (DWORD)strlen(text), &written, NULL);
    WriteFile(err, "\n", 1, &written, NULL);
}

/* Turns a Unix path into the DOS path Wine maps it to, through Wine's own export of kernel32.
 * Returns FALSE when the path has no DOS name (or when this is not Wine). */
static BOOL dos_path_of(const char *unix_path, char *out, size_t size)
{
    typedef WCHAR *(CDECL *to_dos_fn)(const char *);
    to_dos_fn to_dos = (to_dos_fn)(void (*)(void))GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                                 "wine_get_dos_file_name");
    WCHAR *wide;
    int length;

    if (!to_dos) return FALSE;
    wide = to_dos(unix_path);
    if (!wide) return FALSE;
    length = WideCharToMultiByte(CP_ACP, 0, wide, -1, out, (int)size, NULL, NULL);
    HeapFree(GetProcessHeap(), 0, wide);
    return length > 0;
}

/* Starts ostrelin-post MESSAGE WPARAM LPARAM and does not wait: Wine gives back no handle of a
 * Unix process, and the window must not stop taking messages meanwhile. */
static void forward(UINT message, WPARAM wparam, LPARAM lparam)
{
    char command[MAX_PATH + 96];
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;

    snprintf(command, sizeof(command), "\"%s\" %u %llu %lld", post_dos_path, message,
             (unsigned long long)wparam, (long long)lparam);
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    memset(&process, 0, sizeof(process));
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        char text[MAX_PATH + 96];
        snprintf(text, sizeof(text), "nelze spustit %s (chyba %lu), zpráva %u se ztratila",
                 post_dos_path, GetLastError(), message);
        report(text);
        return;
    }
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
}

static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_USER:
        forward(message, wparam, lparam);
        return 0;
    case WM_CLOSE:
        /* The spooler's window is not closed by others; this one stays as well. */
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

/* The name of the desktop this thread runs on, so that the bridge is one per desktop. */
static void desktop_name(char *out, DWORD size)
{
    DWORD needed = 0;

    if (!GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, out, size,
                                   &needed))
        lstrcpynA(out, "Default", (int)size);
}

int main(int argc, char *argv[])
{
    const char *post_unix_path = argc > 1 ? argv[1] : DEFAULT_POST_PATH;
    char desktop[128], mutex_name[192];
    WNDCLASSA window_class;
    HANDLE only_one;
    HWND window;
    MSG msg;
    int got;

    if (argc > 2) {
        report("použití: ostrelin-bridge.exe [UNIXOVÁ-CESTA-K-OSTRELIN-POST]");
        return EXIT_USAGE;
    }
    if (!dos_path_of(post_unix_path, post_dos_path, sizeof(post_dos_path)))
        lstrcpynA(post_dos_path, post_unix_path, sizeof(post_dos_path));

    /* One bridge per prefix (one wineserver) and desktop: the named mutex settles a race of two
     * bridges starting at once, the window search a class made by some other program. */
    desktop_name(desktop, sizeof(desktop));
    snprintf(mutex_name, sizeof(mutex_name), "Local\\OstrelinBridge-%s", desktop);
    only_one = CreateMutexA(NULL, TRUE, mutex_name);
    if (!only_one || GetLastError() == ERROR_ALREADY_EXISTS || FindWindowA(BRIDGE_CLASS, NULL)) {
        report("třída okna TTarvokCalcOstrelin už v této předponě a ploše je");
        return EXIT_ALREADY_THERE;
    }

    memset(&window_class, 0, sizeof(window_class));
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = GetModuleHandleA(NULL);
    window_class.lpszClassName = BRIDGE_CLASS;
    /* A top-level window, never shown: FindWindowA skips message-only windows. */
    if (!RegisterClassA(&window_class) ||
        !(window = CreateWindowExA(0, BRIDGE_CLASS, BRIDGE_TITLE, WS_OVERLAPPEDWINDOW,
                                   CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, NULL, NULL,
                                   window_class.hInstance, NULL))) {
        char text[96];
        snprintf(text, sizeof(text), "okno nelze vytvořit (chyba %lu)", GetLastError());
        report(text);
        return EXIT_NO_WINDOW;
    }

    /* GetMessage returns 0 for WM_QUIT, also for one posted to the window: it is forwarded
     * like WM_USER, and the bridge goes on as long as its session does. */
    while ((got = GetMessageA(&msg, NULL, 0, 0)) != -1) {
        if (got == 0) {
            forward(WM_QUIT, msg.wParam, msg.lParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(window);
    CloseHandle(only_one);
    return EXIT_ENDED;
}
