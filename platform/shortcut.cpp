/*
 * Shortcuts through the shell's own shortcut object (made through COM,
 * platform/shell.cpp): read whole, an installer's advertised one
 * resolved to its program (MSI, loaded only for such a shortcut), and
 * written for set-up.
 */
#include "launch/shortcut.h"
#include "platform/win32.h"

#include <msi.h>
#include <shellapi.h>
#include <shlobj.h>

static_assert(SHORTCUT_OF_INSTALLER == SLDF_HAS_DARWINID &&
                  SHORTCUT_AS_ADMINISTRATOR == SLDF_RUNAS_USER,
              "the core's shortcut flags are the platform's");

/* An installer's advertised shortcut names the product's feature and
   component, not a file: the path that GetPath gives is only its icon's.
   The program is the component's file where the feature is installed on
   this PC; asked of no other state, as that would have the installer put
   the product in place. msi.dll is loaded only for such a shortcut. */
static void AdvertisedTarget(const WCHAR *lnk, WCHAR *target)
{
    auto shortcutTarget = LATE("msi.dll", MsiGetShortcutTargetW);
    auto featureState = LATE("msi.dll", MsiQueryFeatureStateW);
    auto componentPath = LATE("msi.dll", MsiGetComponentPathW);
    WCHAR product[INSTALLER_CODE_SIZE], feature[MAX_FEATURE_CHARS + 1],
        component[INSTALLER_CODE_SIZE];
    DWORD n = PATH_SIZE;
    target[0] = L'\0';
    if (!shortcutTarget || !featureState || !componentPath ||
        shortcutTarget(lnk, product, feature, component) != ERROR_SUCCESS ||
        featureState(product, feature) != INSTALLSTATE_LOCAL)
        return;
    if (componentPath(product, component, target, &n) != INSTALLSTATE_LOCAL)
        target[0] = L'\0';
}

/* The shortcut object's fields, once it is loaded. */
static ShortcutRead ReadFields(IShellLinkW *link, const WCHAR *lnk, WCHAR *target, WCHAR *args,
                               WCHAR *dir, WCHAR *icon)
{
    int index;
    /* GetPath says S_FALSE, and gives "", for a target that is no file. */
    if (FAILED(link->GetPath(target, PATH_SIZE, NULL, 0)) ||
        (args && FAILED(link->GetArguments(args, COMMAND_LINE_SIZE))) ||
        FAILED(link->GetWorkingDirectory(dir, PATH_SIZE)) ||
        (icon && FAILED(link->GetIconLocation(icon, PATH_SIZE, &index))))
        return SHORTCUT_UNREADABLE;
    IShellLinkDataList *data = NULL;
    DWORD flags = 0;
    if (SUCCEEDED(link->QueryInterface(IID_IShellLinkDataList, reinterpret_cast<void **>(&data)))) {
        data->GetFlags(&flags);
        data->Release();
    }
    ShortcutProgram(flags, lnk, target, AdvertisedTarget);
    /* GetArguments truncates what does not fit, without saying so. */
    return args && wcslen(args) >= COMMAND_LINE_SIZE - 1 ? SHORTCUT_TOO_LONG : SHORTCUT_READ;
}

ShortcutRead ReadShortcut(const WCHAR *lnk, WCHAR *target, WCHAR *args, WCHAR *dir, WCHAR *icon)
{
    IShellLinkW *link;
    IPersistFile *file = NULL;
    target[0] = dir[0] = L'\0';
    if (args)
        args[0] = L'\0';
    if (icon)
        icon[0] = L'\0';
    if (FAILED(NewObject(CLSID_ShellLink, IID_IShellLinkW, reinterpret_cast<void **>(&link))))
        return SHORTCUT_UNREADABLE;
    ShortcutRead read = SHORTCUT_UNREADABLE;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
        SUCCEEDED(file->Load(lnk, STGM_READ)))
        read = ReadFields(link, lnk, target, args, dir, icon);
    if (file)
        file->Release();
    link->Release();
    return read;
}

DWORD WriteShortcut(const WCHAR *lnk, const WCHAR *target, const WCHAR *dir)
{
    IShellLinkW *link;
    IPersistFile *file = NULL;
    HRESULT hr = NewObject(CLSID_ShellLink, IID_IShellLinkW, reinterpret_cast<void **>(&link));
    if (SUCCEEDED(hr)) {
        if (SUCCEEDED(hr = link->SetPath(target)) &&
            SUCCEEDED(hr = link->SetWorkingDirectory(dir)) &&
            SUCCEEDED(hr = link->SetIconLocation(target, 0)) &&
            SUCCEEDED(hr =
                          link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))))
            hr = file->Save(lnk, TRUE);
        if (file)
            file->Release();
        link->Release();
    }
    return ErrorOf(hr);
}
