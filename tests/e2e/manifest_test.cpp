/*
 * The application manifest of runvo.exe, read back through the platform's
 * own parser, as Windows reads it when it starts the program: an activation
 * context made from the executable, and its settings. A manifest that the
 * parser refuses would keep the program from starting at all.
 *   manifest_test runvo.exe
 */
#include <windows.h>

#include <stddef.h>

#include <string>
#include <wctype.h>

#include "tests/harness.h"

static const WCHAR WINDOWS_SETTINGS_2016[] =
    L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";

/* A windowsSettings value, or "(none)". */
static std::wstring Setting(HANDLE actx, const WCHAR *ns, const WCHAR *name)
{
    WCHAR value[64];
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, actx, ns, name, value, 64, &written))
        return L"(none)";
    return value;
}

static void test_settings(HANDLE actx)
{
    std::wstring aware = Setting(actx, NULL, L"dpiAware");
    ok(aware == L"true", "dpiAware: %s", Shown(aware).c_str());
    std::wstring awareness = Setting(actx, WINDOWS_SETTINGS_2016, L"dpiAwareness");
    ok(awareness == L"PerMonitorV2", "dpiAwareness: %s", Shown(awareness).c_str());
}

static void test_run_level(HANDLE actx)
{
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
    SIZE_T got = 0;
    bool read = QueryActCtxW(0, actx, NULL, RunlevelInformationInActivationContext, &level,
                             sizeof level, &got);
    ok(read && level.RunLevel == ACTCTX_RUN_LEVEL_AS_INVOKER && level.UiAccess == 0,
       "run level %d, uiAccess %lu (read: %d)", (int)level.RunLevel, level.UiAccess, read);
}

/* Windows Vista, 7, 8, 8.1, and 10 and 11, in that order. */
static void test_supported_os(HANDLE actx)
{
    static const GUID WANTED[] = {
        {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},
        {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
        {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
        {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
        {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},
    };
    /* The elements as Windows 10 (since 1903) and Wine write them: a
       version after the type, which MinGW's declaration lacks. */
    struct Element {
        GUID id;
        DWORD type;
        ULONGLONG maxVersionTested;
    };
    struct {
        DWORD count;
        Element elements[16];
    } info = {};
    SIZE_T got = 0;
    bool read = QueryActCtxW(0, actx, NULL, CompatibilityInformationInActivationContext, &info,
                             sizeof info, &got);
    SIZE_T size = offsetof(decltype(info), elements) + info.count * sizeof(Element);
    if (!ok(read && info.count == 5 && got == size,
            "%lu compatibility elements in %lu bytes (read: %d)", info.count, (unsigned long)got,
            read))
        return;
    for (DWORD i = 0; i < 5; i++)
        ok(info.elements[i].type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS &&
               IsEqualGUID(info.elements[i].id, WANTED[i]),
           "element %lu: type %lu, id %08lx", i, info.elements[i].type, info.elements[i].id.Data1);
}

/* Common Controls 6, for the visual styles: comctl32.dll is redirected to
   its assembly; the controls made in the context are of that module, which
   Wine keeps side by side (its version still reads 5.81: its path tells). */
static void test_common_controls(HANDLE actx)
{
    ULONG_PTR cookie = 0;
    if (!ok(ActivateActCtx(actx, &cookie), "cannot activate the context: %lu", GetLastError()))
        return;
    ACTCTX_SECTION_KEYED_DATA data = {};
    data.cbSize = sizeof data;
    bool redirected = FindActCtxSectionStringW(0, NULL, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                               L"comctl32.dll", &data);
    ok(redirected, "comctl32.dll is not redirected to Common Controls 6");
    HWND button = CreateWindowW(L"Button", L"OK", WS_POPUP, 0, 0, 50, 14, NULL, NULL, NULL, NULL);
    WCHAR module[MAX_PATH] = L"";
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    if (controls)
        GetModuleFileNameW(controls, module, MAX_PATH);
    std::wstring path = module;
    for (wchar_t &c : path)
        c = (wchar_t)towlower(c);
    ok(button && path.find(L"\\winsxs\\") != std::wstring::npos &&
           path.find(L"common-controls_6595b64144ccf1df_6.") != std::wstring::npos,
       "the controls' module: %s", Shown(path).c_str());
    if (button)
        DestroyWindow(button);
    DeactivateActCtx(0, cookie);
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        printf("usage: %s runvo.exe\n", argv[0]);
        return 2;
    }
    std::wstring exe(argv[1], argv[1] + strlen(argv[1]));
    ACTCTXW ctx = {};
    ctx.cbSize = sizeof ctx;
    ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.lpSource = exe.c_str();
    ctx.lpResourceName = MAKEINTRESOURCEW(1) /* the manifest Windows reads at start */;
    HANDLE actx = CreateActCtxW(&ctx);
    if (!ok(actx != INVALID_HANDLE_VALUE, "the manifest of %s does not parse: %lu", argv[1],
            GetLastError()))
        return TestSummary("manifest");
    test_settings(actx);
    test_run_level(actx);
    test_supported_os(actx);
    test_common_controls(actx);
    ReleaseActCtx(actx);
    return TestSummary("manifest");
}
