/*
 * A stand-in for Tarvok Calc under Wine, written for the end-to-end test of the bridge.
 *
 * Does what the real client does towards the spooler: reads "SpoolDir" from its per-user key,
 * waits for the spooler's window class, writes one numbered text job into the spool folder with
 * CreateFile/WriteFile in pieces with pauses, then FindWindowA + PostMessageA(WM_USER, 123456,
 * 123456) to bring the spooler's window up.
 *
 * Usage: tarvok-standin.exe job WAIT-MS JOBNAME LINES PAUSE-MS GO-FILE
 *        tarvok-standin.exe quit|close WAIT-MS
 *   job: reads "SpoolDir", waits up to WAIT-MS for the class, writes JOBNAME with LINES numbered
 *   lines (a pause of PAUSE-MS after every tenth), then waits for GO-FILE to exist (so that the
 *   test can choose the moment) and posts WM_USER 123456 123456.
 *   quit: posts WM_QUIT (both parameters 0) to the class; close: posts WM_CLOSE and checks,
 *   after 500 ms, that the class is still there.
 * Prints on standard output, one per line:
 *   spooldir=<value read>
 *   class-found-ms=<ms from this process's creation to FindWindowA finding the class>
 *   class-found-at=<Unix time in ms>
 *   posted-at=<Unix time in ms of the PostMessageA call>
 * Exit status: 0 done, 1 no "SpoolDir", 2 class not found within WAIT-MS, 3 job not written,
 * 4 bad usage, 5 the class went away on WM_CLOSE, 6 no GO-FILE within WAIT-MS.
 */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#define SPOOLER_CLASS "TTarvokCalcOstrelin"
#define SETTINGS_KEY "Software\\Veldane\\Tarvok Calc Ostrelin"

static ULONGLONG filetime_ms(FILETIME time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return value.QuadPart / 10000;
}

static ULONGLONG now_ms(void)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return filetime_ms(now);
}

/* Milliseconds between 1601-01-01 and 1970-01-01. */
#define UNIX_EPOCH_MS 11644473600000ULL

static BOOL read_spool_dir(char *out, DWORD size)
{
    HKEY key;
    DWORD type = 0, length = size - 1;
    LONG status;

    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    status = RegQueryValueExA(key, "SpoolDir", NULL, &type, (BYTE *)out, &length);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return FALSE;
    out[length] = '\0';
    return TRUE;
}

static HWND wait_for_class(DWORD wait_ms)
{
    const ULONGLONG until = now_ms() + wait_ms;
    HWND window;

    while (!(window = FindWindowA(SPOOLER_CLASS, NULL)) && now_ms() < until) Sleep(20);
    return window;
}

static BOOL write_piece(HANDLE file, const void *bytes, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, bytes, size, &written, NULL) && written == size;
}

/* A text job: description line, CR LF, two skipped bytes, then one text record per line. Every
 * line is written by a WriteFile of its own; after every tenth the writer pauses. */
static BOOL write_job(const char *path, int lines, DWORD pause_ms)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    static const char head[] = "Zkouska pod Wine\r\n\0\0";
    BOOL ok;
    int n;

    if (file == INVALID_HANDLE_VALUE) return FALSE;
    ok = write_piece(file, head, sizeof(head) - 1);
    for (n = 1; ok && n <= lines; ++n) {
        char record[64];
        const int length = snprintf(record + 2, sizeof(record) - 2, "Radek %04d ze stand-inu", n);
        record[0] = 0;
        record[1] = (char)length;
        ok = write_piece(file, record, (DWORD)length + 2);
        if (n % 10 == 0) Sleep(pause_ms);
    }
    return CloseHandle(file) && ok;
}

static BOOL file_exists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int main(int argc, char *argv[])
{
    char spool_dir[MAX_PATH], path[MAX_PATH * 2];
    FILETIME created, exited, kernel, user;
    ULONGLONG until;
    HWND window;
    DWORD wait_ms;

    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    if (!((argc == 7 && strcmp(argv[1], "job") == 0) ||
          (argc == 3 && (strcmp(argv[1], "quit") == 0 || strcmp(argv[1], "close") == 0)))) {
        fprintf(stderr, "usage: tarvok-standin.exe job WAIT-MS JOBNAME LINES PAUSE-MS GO-FILE\n"
                        "       tarvok-standin.exe quit|close WAIT-MS\n");
        return 4;
    }
    wait_ms = (DWORD)strtoul(argv[2], NULL, 10);

    if (strcmp(argv[1], "job") == 0) {
        if (!read_spool_dir(spool_dir, sizeof(spool_dir))) {
            fprintf(stderr, "no SpoolDir under HKCU\\%s\n", SETTINGS_KEY);
            return 1;
        }
        printf("spooldir=%s\n", spool_dir);
        fflush(stdout);
    }

    window = wait_for_class(wait_ms);
    if (!window) {
        fprintf(stderr, "class %s not found within %lu ms\n", SPOOLER_CLASS, wait_ms);
        return 2;
    }
    printf("class-found-ms=%llu\n", now_ms() - filetime_ms(created));
    printf("class-found-at=%llu\n", now_ms() - UNIX_EPOCH_MS);
    fflush(stdout);

    if (strcmp(argv[1], "quit") == 0) {
        printf("posted-at=%llu\n", now_ms() - UNIX_EPOCH_MS);
        PostMessageA(window, WM_QUIT, 0, 0);
        return 0;
    }
    if (strcmp(argv[1], "close") == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        Sleep(500);
        return FindWindowA(SPOOLER_CLASS, NULL) ? 0 : 5;
    }

    snprintf(path, sizeof(path), "%s%s%s", spool_dir,
             spool_dir[0] && spool_dir[strlen(spool_dir) - 1] == '\\' ? "" : "\\", argv[3]);
    if (!write_job(path, atoi(argv[4]), (DWORD)strtoul(argv[5], NULL, 10))) {
        fprintf(stderr, "cannot write %s (error %lu)\n", path, GetLastError());
        return 3;
    }

    until = now_ms() + wait_ms;
    while (!file_exists(argv[6]) && now_ms() < until) Sleep(10);
    if (!file_exists(argv[6])) {
        fprintf(stderr, "no %s within %lu ms\n", argv[6], wait_ms);
        return 6;
    }
    window = FindWindowA(SPOOLER_CLASS, NULL);
    if (!window) {
        fprintf(stderr, "class %s gone before the message\n", SPOOLER_CLASS);
        return 2;
    }
    printf("posted-at=%llu\n", now_ms() - UNIX_EPOCH_MS);
    fflush(stdout);
    PostMessageA(window, WM_USER, 123456, 123456);
    return 0;
}
