/*
 * DLLs loaded when they are needed. USER32 and GDI32 on first use: the
 * helper that each function's delay-load stub calls the first time, which
 * loads the DLL, finds the function, and puts it into the stub's import slot
 * for every later call. The DLLs that only some routes need (the registry's,
 * the shell's, COM's, the version reader's) by name, when the route is
 * taken.
 * The runtime's own helper would serve too, but it takes more than all of
 * the launcher's own code for what the launcher does not use (unloading,
 * bound imports, notification hooks), with unwind tables besides.
 */
#include "platform/win32.h"

#include <delayimp.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

/* The program's data at a relative address: the descriptor says where. */
template <class T>
static T *At(RVA rva)
{
    return reinterpret_cast<T *>(reinterpret_cast<BYTE *>(&__ImageBase) + rva);
}

extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr dll, FARPROC *slot)
{
    HMODULE *module = At<HMODULE>(dll->rvaHmod);
    if (!*module)
        *module = LoadLibraryA(At<char>(dll->rvaDLLName));
    const IMAGE_THUNK_DATA *name =
        At<IMAGE_THUNK_DATA>(dll->rvaINT) + (slot - At<FARPROC>(dll->rvaIAT));
    LPCSTR proc =
        IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)
            ? reinterpret_cast<LPCSTR>(IMAGE_ORDINAL(name->u1.Ordinal))
            : reinterpret_cast<LPCSTR>(At<IMAGE_IMPORT_BY_NAME>((RVA)name->u1.AddressOfData)->Name);
    FARPROC function = *module ? GetProcAddress(*module, proc) : NULL;
    /* Without USER32 or GDI32 there is no window to show anything in. */
    if (!function)
        ExitProcess((UINT)-1);
    *slot = function;
    return function;
}

void (*LateFunction(const char *dll, const char *function))(void)
{
    HMODULE module = LoadLibraryA(dll);
    return reinterpret_cast<void (*)(void)>(module ? GetProcAddress(module, function) : NULL);
}
