/*
 * Which places looking at may wait on, unit by unit: a network, a disc, a
 * card reader or stick, a file a cloud keeps.
 */
#include "launch/waits.h"
#include "tests/harness.h"

#include <wchar.h>
#include <wctype.h>

/* What a drive and a file's attributes say of a path, for LookingMayWait:
   C: is a fixed disk, N: a network drive, E: a DVD drive, R: and U: card
   readers or sticks (the launcher runs from U:), each by its letter in
   either case, as Windows takes it; a file whose name holds
   "cloud" is OneDrive's, on demand, "recall" one a cloud filter brings down
   when it is opened; "gone" none. */
static unsigned s_driveAsked, s_attributesAsked;

static DriveKind FakeDriveKind(const wchar_t *root)
{
    s_driveAsked++;
    switch (towupper(root[0])) {
    case L'N':
        return DRIVE_KIND_REMOTE;
    case L'E':
        return DRIVE_KIND_DISC;
    case L'R':
    case L'U':
        return DRIVE_KIND_REMOVABLE;
    }
    return DRIVE_KIND_FIXED;
}

static FileAttributes FakeAttributes(const wchar_t *path)
{
    s_attributesAsked++;
    if (wcsstr(path, L"gone"))
        return NO_SUCH_FILE;
    if (wcsstr(path, L"cloud"))
        return 0x20 | ATTRIBUTE_RECALL_ON_DATA_ACCESS;
    if (wcsstr(path, L"recall")) /* as a cloud filter driver marks one */
        return 0x20 | ATTRIBUTE_RECALL_ON_OPEN;
    return wcsstr(path, L"offline") ? ATTRIBUTE_OFFLINE : 0x20;
}

static void test_looking_may_wait(void)
{
    static const struct {
        const wchar_t *path;
        bool waits;
        unsigned driveAsked, attributesAsked;
    } rows[] = {
        {L"\\\\server\\share\\app.exe", true, 0, 0},
        {L"//server/share/app.exe", true, 0, 0},
        {L"\\\\?\\UNC\\server\\share\\app.exe", true, 0, 0},
        {L"N:\\Tools\\app.exe", true, 1, 0},
        {L"n:\\tools\\app.exe", true, 1, 0},
        {L"N:\\Tools", true, 1, 0}, /* a folder of PATH */
        {L"E:\\setup.exe", true, 1, 0},
        {L"R:\\Tools\\app.exe", true, 1, 0},
        {L"u:\\Tools\\app.exe", false, 1, 1}, /* the stick the launcher runs from */
        {L"U:\\Tools\\app.exe", false, 1, 1},
        {L"r:\\Tools\\app.exe", true, 1, 0},
        {L"C:\\Tools\\app.exe", false, 1, 1},
        {L"C:\\OneDrive\\cloud.exe", true, 1, 1},
        {L"C:\\OneDrive\\recall.exe", true, 1, 1}, /* recalled as soon as it is opened */
        {L"C:\\Tools\\offline.exe", true, 1, 1},
        {L"C:\\Tools\\gone.exe", false, 1, 1},
        {L"tools\\app.exe", false, 0, 0},
    };
    const WaitAsks asks = {FakeDriveKind, FakeAttributes, L'U'};
    for (const auto &row : rows) {
        s_driveAsked = s_attributesAsked = 0;
        bool waits = LookingMayWait(row.path, &asks);
        ok(waits == row.waits && s_driveAsked == row.driveAsked &&
               s_attributesAsked == row.attributesAsked,
           "[%s]: %d, asked the drive %u times, the file %u times", Shown(row.path).c_str(), waits,
           s_driveAsked, s_attributesAsked);
    }
}

int main()
{
    test_looking_may_wait();
    return TestSummary("waits");
}
