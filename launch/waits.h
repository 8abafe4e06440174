/*
 * Which places looking at may wait on: a network, a disc, a card or a stick
 * that is not the launcher's own, or the cloud, which would bring a file
 * down. The chooser's rows look at no such place before the user chooses
 * it; the launch of a chosen entry goes wherever it must.
 */
#ifndef RUNVO_WAITS_H
#define RUNVO_WAITS_H

/* What kind a drive is, as the platform says of its root (its own
   numbers). */
enum DriveKind {
    DRIVE_KIND_UNKNOWN,
    DRIVE_KIND_NO_ROOT,   /* no such drive */
    DRIVE_KIND_REMOVABLE, /* a card reader, a stick */
    DRIVE_KIND_FIXED,
    DRIVE_KIND_REMOTE, /* a network drive */
    DRIVE_KIND_DISC,   /* a CD or DVD drive */
    DRIVE_KIND_RAM
};

/* A file's attributes, as far as waiting goes (the platform's own bits). */
typedef unsigned long FileAttributes;
const FileAttributes NO_SUCH_FILE = 0xFFFFFFFF, ATTRIBUTE_OFFLINE = 0x1000,
                     ATTRIBUTE_RECALL_ON_OPEN = 0x40000, ATTRIBUTE_RECALL_ON_DATA_ACCESS = 0x400000;

/* What LookingMayWait asks of the system: what kind a drive is, as the
   platform says of its root ("C:\\"); a file's attributes; and the letter
   of the drive the launcher runs from (0 for none). */
struct WaitAsks {
    DriveKind (*driveKind)(const wchar_t *root);
    FileAttributes (*attributes)(const wchar_t *path);
    wchar_t ownDrive;
};

/* Whether looking at a file or a folder (its attributes, icon or version)
   may wait on a network or a disc, or bring the cloud's copy down: a UNC
   path; a path on a network, disc or removable drive, but the one the
   launcher runs from; a file whose attributes say that it is offline, or
   that opening or reading it recalls it from elsewhere (OneDrive's files on
   demand). Each is asked only where the answers before it do not settle
   it: a UNC path is never asked about, a network drive's file never looked
   at. */
bool LookingMayWait(const wchar_t *path, const WaitAsks *asks);

#endif /* RUNVO_WAITS_H */
