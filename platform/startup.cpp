/*
 * Process start-up: hands WinMain its four values. The tail is formed here
 * from the process's own command line, because the C runtime's start-up
 * takes a byte from 0x80 up that follows the program's name for a blank and
 * drops it; the launcher passes every byte of the tail on.
 */
#include "launch/command.h"
#include "platform/platform.h"

int main()
{
    STARTUPINFOA si;
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    int nCmdShow = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
    return WinMain(GetModuleHandleA(NULL), NULL, CommandLineTail(GetCommandLineA()), nCmdShow);
}
