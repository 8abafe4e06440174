/*
 * Files as the platform names and opens them: the executable's own path,
 * the list file opened for reading, whether a file is there, its short
 * name, and the stamp that tells it was saved again; a file read whole, and
 * written whole or not at all: a new file beside it put in its place in one
 * step, so that a crash, a full disk or a pulled stick leaves the old file
 * or the new, never half of one.
 */
#include "platform/win32.h"

#include <stdlib.h>

size_t GetModulePath(PathChar *path, size_t size)
{
    return GetModuleFileNameW(NULL, path, (DWORD)size);
}

FILE *OpenToRead(const PathChar *path)
{
    return _wfopen(path, L"rb");
}

bool PathExists(const WCHAR *name)
{
    return GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
}

FileStamp FileStampOf(const WCHAR *path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return FileStamp{{0, 0}, 0, 0};
    return FileStamp{data.ftLastWriteTime, data.nFileSizeLow, data.nFileSizeHigh};
}

bool SameStamp(const FileStamp &a, const FileStamp &b)
{
    return a.written.dwLowDateTime == b.written.dwLowDateTime &&
           a.written.dwHighDateTime == b.written.dwHighDateTime && a.sizeLow == b.sizeLow &&
           a.sizeHigh == b.sizeHigh;
}

bool ShortName(const WCHAR *name, WCHAR *shortName)
{
    DWORD n = GetShortPathNameW(name, shortName, PATH_SIZE);
    return FitsPath(n);
}

DWORD ReadWholeFile(const WCHAR *path, ListBytes *out)
{
    *out = ListBytes{NULL, 0};
    HANDLE h =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError();
    LARGE_INTEGER size;
    DWORD error = ERROR_SUCCESS, got = 0;
    if (!GetFileSizeEx(h, &size))
        error = GetLastError();
    else if (size.QuadPart > LIST_WRITABLE_BYTES)
        error = ERROR_FILE_TOO_LARGE;
    else if (!(out->bytes = static_cast<unsigned char *>(malloc((size_t)size.QuadPart + 1))))
        error = ERROR_NOT_ENOUGH_MEMORY;
    else if (!ReadFile(h, out->bytes, (DWORD)size.QuadPart, &got, NULL))
        error = GetLastError();
    out->n = got;
    CloseHandle(h);
    if (error) {
        free(out->bytes);
        *out = ListBytes{NULL, 0};
    }
    return error;
}

/* Writes the bytes into the new, empty file at temp, through to the disk. */
static DWORD WriteNewFile(const WCHAR *temp, const unsigned char *bytes, size_t n)
{
    HANDLE h =
        CreateFileW(temp, GENERIC_WRITE, 0, NULL, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD error = ERROR_SUCCESS, wrote;
    for (size_t done = 0; !error && done < n; done += wrote)
        if (!WriteFile(h, bytes + done, (DWORD)(n - done), &wrote, NULL))
            error = GetLastError();
    if (!error && !FlushFileBuffers(h))
        error = GetLastError();
    CloseHandle(h);
    return error;
}

/* Puts the new file temp in the place of path (there: a file is there now). */
static DWORD PutInPlace(const WCHAR *path, const WCHAR *temp, bool there)
{
    if (!there)
        return MoveFileExW(temp, path, MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS : GetLastError();
    if (ReplaceFileW(path, temp, NULL, REPLACEFILE_IGNORE_MERGE_ERRORS, NULL, NULL))
        return ERROR_SUCCESS;
    DWORD error = GetLastError();
    /* The old file gone and the new one not moved: put it there now. */
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
        GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES &&
        MoveFileExW(temp, path, MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    return error;
}

DWORD ReplaceWholeFile(const WCHAR *path, const unsigned char *bytes, size_t n)
{
    WCHAR folder[PATH_SIZE], temp[PATH_SIZE];
    DWORD attributes = GetFileAttributesW(path);
    bool there = attributes != INVALID_FILE_ATTRIBUTES;
    /* A name of the system's making, a file of its own: no user's file. */
    if (!FolderOf(path, folder))
        return ERROR_INVALID_NAME;
    if (!GetTempFileNameW(folder, L"rvo", 0, temp))
        return GetLastError();
    DWORD error = WriteNewFile(temp, bytes, n);
    if (!error)
        error = PutInPlace(path, temp, there);
    if (error)
        DeleteFileW(temp);
    else if (there) /* neither way of putting it in place keeps them */
        SetFileAttributesW(path, attributes);
    return error;
}
