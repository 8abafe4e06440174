/*
 * Files as the platform names and opens them: the executable's own path,
 * the list file opened for reading, whether a file is there, its short
 * name, and the stamp that tells it was saved again.
 */
#include "platform/win32.h"

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
    return n > 0 && n < PATH_SIZE;
}
