/*
 * A DLL that does nothing: what a Downloads folder may hold under the name of
 * one that Windows loads on a program's behalf.
 */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
