/*
 * Who else may change a place: access lists as the platform reads them,
 * and whether set-up asks before it points at a program there.
 */
#include "launch/access.h"
#include "tests/harness.h"

#include <vector>

static const wchar_t USER[] = L"S-1-5-21-1004336348-1177238915-682003330-1001",
                     SYSTEM[] = L"S-1-5-18", ADMINISTRATORS[] = L"S-1-5-32-544",
                     INSTALLER[] =
                         L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                     CREATOR_OWNER[] = L"S-1-3-0", USERS[] = L"S-1-5-32-545",
                     AUTHENTICATED[] = L"S-1-5-11", EVERYONE[] = L"S-1-1-0",
                     ANOTHER_USER[] = L"S-1-5-21-1004336348-1177238915-682003330-1002";

/* The rights of the Security tab's columns, as Windows writes them. */
const AccessRights FULL = 0x1F01FF, MODIFY = 0x1301BF, READ_EXECUTE = 0x1200A9, WRITE = 0x100116;

static AccessEntry Allow(const wchar_t *sid, AccessRights rights, bool inheritOnly = false)
{
    return AccessEntry{true, sid, rights, inheritOnly};
}

static AccessEntry Deny(const wchar_t *sid, AccessRights rights)
{
    return AccessEntry{false, sid, rights, false};
}

/* The user's own folder, as Windows makes it in the profile. */
static const std::vector<AccessEntry> OWN = {Allow(SYSTEM, FULL), Allow(ADMINISTRATORS, FULL),
                                             Allow(USER, FULL)};

static std::vector<AccessEntry> OwnAnd(const std::vector<AccessEntry> &more)
{
    std::vector<AccessEntry> all = OWN;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

static void test_others_may_write(void)
{
    static const struct {
        const char *what;
        bool kept;
        std::vector<AccessEntry> entries;
        bool file, folder; /* others may write it, as a file and as a folder */
    } rows[] = {
        {"the user only", true, OWN, false, false},
        {"the system's own accounts",
         true,
         {Allow(SYSTEM, FULL), Allow(ADMINISTRATORS, FULL), Allow(INSTALLER, FULL),
          Allow(CREATOR_OWNER, FULL, true)},
         false,
         false},
        {"Authenticated Users with Modify", true, OwnAnd({Allow(AUTHENTICATED, MODIFY)}), true,
         true},
        {"Everyone with Write", true, OwnAnd({Allow(EVERYONE, WRITE)}), true, true},
        {"Users with Read & Execute", true, OwnAnd({Allow(USERS, READ_EXECUTE)}), false, false},
        {"another user with Full control", true, OwnAnd({Allow(ANOTHER_USER, FULL)}), true, true},
        {"an inherited entry", true, OwnAnd({Allow(USERS, MODIFY)}), true, true},
        {"an entry for what a folder holds", true, OwnAnd({Allow(USERS, MODIFY, true)}), false,
         true},
        {"a deny entry", true, {Deny(EVERYONE, WRITE), Allow(USER, FULL)}, false, false},
        {"a deny entry before another's allow",
         true,
         {Deny(EVERYONE, WRITE), Allow(AUTHENTICATED, MODIFY)},
         true,
         true},
        {"no permissions at all", false, {}, true, true},
        {"an empty list", true, {}, false, false},
        {"Users may add files", true, OwnAnd({Allow(USERS, READ_EXECUTE | 0x2)}), true, true},
        {"Users may add folders", true, OwnAnd({Allow(USERS, READ_EXECUTE | 0x4)}), true, true},
        {"Users may delete what it holds", true, OwnAnd({Allow(USERS, READ_EXECUTE | 0x40)}), false,
         true},
        {"Users may delete it", true, OwnAnd({Allow(USERS, 0x10000)}), true, true},
        {"Users may change its permissions", true, OwnAnd({Allow(USERS, 0x40000)}), true, true},
        {"Users may take it", true, OwnAnd({Allow(USERS, 0x80000)}), true, true},
        {"Users with generic write", true, OwnAnd({Allow(USERS, 0x40000000)}), true, true},
        {"Users with generic all", true, OwnAnd({Allow(USERS, 0x10000000)}), true, true},
        {"Users may change its attributes", true, OwnAnd({Allow(USERS, READ_EXECUTE | 0x180)}),
         false, false},
    };
    for (const auto &row : rows) {
        const AccessList list = {row.kept, row.entries.data(), row.entries.size()};
        bool file = OthersMayWrite(&list, USER, false), folder = OthersMayWrite(&list, USER, true);
        ok(file == row.file && folder == row.folder, "%s: file %d, folder %d", row.what, file,
           folder);
    }
}

int main()
{
    test_others_may_write();
    return TestSummary("access");
}
