/*
 * Preloaded into a test program so that the disk fails on command: the Nth call of a chosen kind
 * after the test arms the shim returns -1 with a chosen errno instead of reaching the kernel.
 *
 * Nothing fails before tapoli_fault_arm() is called, and only calls on files under the folder
 * named by TAPOLI_FAULT_DIR are counted, so the toolkit's own files (fonts, caches, the event
 * descriptors it writes to) are never disturbed.
 *
 * A call is named by its family or by its own name: "write"; "fsync" (fsync and fdatasync: Qt's
 * QSaveFile calls the latter); "rename" (rename, renameat, renameat2); "link" (link and linkat:
 * QSaveFile gives its unnamed O_TMPFILE a name with linkat). "fdatasync", "renameat" and the other
 * single names count that function alone.
 *
 * The test finds these functions with dlsym(RTLD_DEFAULT, ...), so it can tell when the shim was
 * not preloaded and skip rather than pass without a fault ever happening.
 */
#define _GNU_SOURCE

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#define EXPORT __attribute__((visibility("default")))

EXPORT int tapoli_fault_arm(const char *call, int nth, int error);
EXPORT void tapoli_fault_limit_writes(size_t bytes);
EXPORT void tapoli_fault_disarm(void);
EXPORT int tapoli_fault_counted(void);
EXPORT int tapoli_fault_fired(void);

static ssize_t (*real_write)(int, const void *, size_t);
static int (*real_fsync)(int);
static int (*real_fdatasync)(int);
static int (*real_rename)(const char *, const char *);
static int (*real_renameat)(int, const char *, int, const char *);
static int (*real_renameat2)(int, const char *, int, const char *, unsigned int);
static int (*real_link)(const char *, const char *);
static int (*real_linkat)(int, const char *, int, const char *, int);

/* Set by arm and disarm, which the test calls between saves, never while one runs. */
static char armed_call[16];
static char folder[PATH_MAX];
static char folder_resolved[PATH_MAX];
static int armed_nth;
static int armed_error;
static size_t write_limit;

static int armed;
static int counted;
static int fired;

static const char *const known_calls[] = {
    "write", "fsync", "fdatasync", "rename", "renameat", "renameat2", "link", "linkat",
};

/* dlsym hands back an object pointer; copying its bytes is the portable way to a function pointer. */
#define RESOLVE(pointer, name)                                                                    \
    do {                                                                                          \
        if (!(pointer)) {                                                                         \
            void *symbol = dlsym(RTLD_NEXT, name);                                                \
            if (!symbol)                                                                          \
                abort();                                                                          \
            memcpy(&(pointer), &symbol, sizeof symbol);                                           \
        }                                                                                         \
    } while (0)

static int is_armed_for(const char *family, const char *name)
{
    if (!__atomic_load_n(&armed, __ATOMIC_ACQUIRE))
        return 0;
    return strcmp(armed_call, family) == 0 || strcmp(armed_call, name) == 0;
}

static int has_prefix(const char *path, const char *prefix)
{
    const size_t length = strlen(prefix);
    return length > 0 && strncmp(path, prefix, length) == 0 && (path[length] == '/' || path[length] == '\0');
}

static int is_inside_folder(const char *absolute)
{
    return has_prefix(absolute, folder) || has_prefix(absolute, folder_resolved);
}

/* The path behind a descriptor; an unnamed O_TMPFILE reads as "FOLDER/#inode (deleted)". */
static int descriptor_path(int fd, char *path, size_t size)
{
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, size - 1);
    if (length < 0)
        return 0;
    path[length] = '\0';
    return 1;
}

static int descriptor_inside_folder(int fd)
{
    char path[PATH_MAX];
    return descriptor_path(fd, path, sizeof path) && is_inside_folder(path);
}

/* Paths are judged as the program spells them: relative ones against their folder, no link followed. */
static int path_inside_folder(int dirfd, const char *path)
{
    if (!path)
        return 0;
    if (path[0] == '/')
        return is_inside_folder(path);
    char base[PATH_MAX];
    if (dirfd == AT_FDCWD) {
        if (!getcwd(base, sizeof base))
            return 0;
    } else if (!descriptor_path(dirfd, base, sizeof base)) {
        return 0;
    }
    char joined[PATH_MAX * 2];
    snprintf(joined, sizeof joined, "%s/%s", base, path);
    return is_inside_folder(joined);
}

/* One more counted call; true when it is the one that must fail. */
static int take_turn(void)
{
    if (__atomic_add_fetch(&counted, 1, __ATOMIC_ACQ_REL) != armed_nth)
        return 0;
    __atomic_add_fetch(&fired, 1, __ATOMIC_ACQ_REL);
    errno = armed_error;
    return 1;
}

EXPORT int tapoli_fault_arm(const char *call, int nth, int error)
{
    tapoli_fault_disarm();
    const char *named = getenv("TAPOLI_FAULT_DIR");
    if (!call || nth < 1 || error <= 0 || !named || named[0] != '/' || strlen(named) >= sizeof folder)
        return -1;
    int known = 0;
    for (size_t index = 0; index < sizeof known_calls / sizeof known_calls[0]; ++index)
        known = known || strcmp(call, known_calls[index]) == 0;
    if (!known)
        return -1;

    snprintf(armed_call, sizeof armed_call, "%s", call);
    snprintf(folder, sizeof folder, "%s", named);
    size_t length = strlen(folder);
    while (length > 1 && folder[length - 1] == '/')
        folder[--length] = '\0';
    if (!realpath(folder, folder_resolved))
        snprintf(folder_resolved, sizeof folder_resolved, "%s", folder);
    armed_nth = nth;
    armed_error = error;
    __atomic_store_n(&counted, 0, __ATOMIC_RELEASE);
    __atomic_store_n(&fired, 0, __ATOMIC_RELEASE);
    __atomic_store_n(&armed, 1, __ATOMIC_RELEASE);
    return 0;
}

/* A disk that is filling up stores only some of a write and reports how much: the caller must try again. */
EXPORT void tapoli_fault_limit_writes(size_t bytes)
{
    write_limit = bytes;
}

EXPORT void tapoli_fault_disarm(void)
{
    __atomic_store_n(&armed, 0, __ATOMIC_RELEASE);
    write_limit = 0;
}

EXPORT int tapoli_fault_counted(void)
{
    return __atomic_load_n(&counted, __ATOMIC_ACQUIRE);
}

EXPORT int tapoli_fault_fired(void)
{
    return __atomic_load_n(&fired, __ATOMIC_ACQUIRE);
}

EXPORT ssize_t write(int fd, const void *buffer, size_t count)
{
    RESOLVE(real_write, "write");
    const int faulting = is_armed_for("write", "write");
    const int shortening = __atomic_load_n(&armed, __ATOMIC_ACQUIRE) && write_limit > 0;
    if ((faulting || shortening) && descriptor_inside_folder(fd)) {
        if (faulting && take_turn())
            return -1;
        if (shortening && count > write_limit)
            count = write_limit;
    }
    return real_write(fd, buffer, count);
}

EXPORT int fsync(int fd)
{
    RESOLVE(real_fsync, "fsync");
    if (is_armed_for("fsync", "fsync") && descriptor_inside_folder(fd) && take_turn())
        return -1;
    return real_fsync(fd);
}

EXPORT int fdatasync(int fd)
{
    RESOLVE(real_fdatasync, "fdatasync");
    if (is_armed_for("fsync", "fdatasync") && descriptor_inside_folder(fd) && take_turn())
        return -1;
    return real_fdatasync(fd);
}

EXPORT int rename(const char *from, const char *to)
{
    RESOLVE(real_rename, "rename");
    if (is_armed_for("rename", "rename")
        && (path_inside_folder(AT_FDCWD, from) || path_inside_folder(AT_FDCWD, to)) && take_turn())
        return -1;
    return real_rename(from, to);
}

EXPORT int renameat(int fromfd, const char *from, int tofd, const char *to)
{
    RESOLVE(real_renameat, "renameat");
    if (is_armed_for("rename", "renameat") && (path_inside_folder(fromfd, from) || path_inside_folder(tofd, to))
        && take_turn())
        return -1;
    return real_renameat(fromfd, from, tofd, to);
}

EXPORT int renameat2(int fromfd, const char *from, int tofd, const char *to, unsigned int flags)
{
    RESOLVE(real_renameat2, "renameat2");
    if (is_armed_for("rename", "renameat2") && (path_inside_folder(fromfd, from) || path_inside_folder(tofd, to))
        && take_turn())
        return -1;
    return real_renameat2(fromfd, from, tofd, to, flags);
}

EXPORT int link(const char *from, const char *to)
{
    RESOLVE(real_link, "link");
    if (is_armed_for("link", "link") && path_inside_folder(AT_FDCWD, to) && take_turn())
        return -1;
    return real_link(from, to);
}

/* Only the new name is judged: QSaveFile's source is "/proc/self/fd/N", which lies in no folder. */
EXPORT int linkat(int fromfd, const char *from, int tofd, const char *to, int flags)
{
    RESOLVE(real_linkat, "linkat");
    if (is_armed_for("link", "linkat") && path_inside_folder(tofd, to) && take_turn())
        return -1;
    return real_linkat(fromfd, from, tofd, to, flags);
}
